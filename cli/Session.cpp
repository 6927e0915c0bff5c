#include "cli/Session.h"

#include "cli/CliMessages.h"
#include "cli/ExitStatus.h"
#include "cli/FrameTrace.h"
#include "link/Monitor.h"
#include "sim/SimServer.h"

#include <cassert>

CCliSession::CCliSession(std::unique_ptr<CSimServer> sim, bool trace, ISerialPort* port)
    : m_sim(std::move(sim)), m_bTrace(trace), m_pPort(port) {}

CCliSession::~CCliSession() {
    m_monitor.reset();
}

int CCliSession::Connect() {
    if (m_nConnectStatus >= 0)
        return m_nConnectStatus;
    m_monitor = std::make_unique<CMonitor>();
    if (m_pPort)
        m_monitor->SetSerialPort(m_pPort);
    if (m_bTrace)
        m_monitor->SetTraceSink(FrameTrace::StderrSink());
    CMonitor& monitor = *m_monitor;
    if (!monitor.Connect()) {
        // After the program's own message, what each port said.
        for (const QString& reason : monitor.ConnectFailures())
            PrintError(reason);
        return m_nConnectStatus = Exit::NoMonitor;
    }
    // Each read tells the user itself when it fails.
    const bool read = monitor.ReadModes() && monitor.ReadGeometry() && monitor.ReadConvergence() &&
                      monitor.ReadColor() && monitor.ReadBrightContrast() &&
                      monitor.ReadColorTempTable();
    if (!read)
        return m_nConnectStatus = Exit::Failure;
    monitor.CommitGeometry();
    monitor.CommitConvergence();
    monitor.CommitColor();
    monitor.CommitBrightContrast();
    monitor.CommitModes();
    return m_nConnectStatus = Exit::Ok;
}

CMonitor& CCliSession::Monitor() {
    assert(m_nConnectStatus == Exit::Ok && "Monitor() before a successful Connect()");
    return *m_monitor;
}
