#include "cli/Session.h"

#include "cli/CliMessages.h"
#include "cli/ExitStatus.h"
#include "cli/FrameTrace.h"
#include "link/Monitor.h"
#include "sim/SimServer.h"

#include <algorithm>
#include <cassert>

CCliSession::CCliSession(std::unique_ptr<CSimServer> sim, bool trace, ISerialPort* port)
    : m_sim(std::move(sim)), m_bTrace(trace), m_pPort(port) {}

CCliSession::~CCliSession() {
    m_monitor.reset();
}

int CCliSession::Connect(const CliNeeds& needs) {
    if (m_nConnectStatus >= 0)
        return m_nConnectStatus;
    m_monitor = std::make_unique<CMonitor>();
    if (m_pPort)
        m_monitor->SetSerialPort(m_pPort);
    if (m_bTrace)
        m_monitor->SetTraceSink(FrameTrace::StderrSink());
    CMonitor& monitor = *m_monitor;
    if (!monitor.FindMonitor()) {
        // After the program's own message, what each port said.
        for (const QString& reason : monitor.ConnectFailures())
            PrintError(reason);
        return m_nConnectStatus = Exit::NoMonitor;
    }
    return m_nConnectStatus = Read(needs);
}

int CCliSession::Read(const CliNeeds& needs) {
    CMonitor& monitor = *m_monitor;
    // An item named twice ("get bright bright") is asked for once.
    std::vector<int> items;
    for (int item : needs.items)
        if (std::find(items.begin(), items.end(), item) == items.end())
            items.push_back(item);
    if (needs.timing || needs.everything)
        monitor.ReadTiming(); // a command that shows the frequencies says when they are unknown
    // Each read tells the user itself when it fails.
    const bool read =
        needs.everything ? monitor.ReadModes() && monitor.ReadGeometry() &&
                               monitor.ReadConvergence() && monitor.ReadColor() &&
                               monitor.ReadBrightContrast() && monitor.ReadColorTempTable()
                         : monitor.ReadItems(items) && (!needs.colorGroup || monitor.ReadColor()) &&
                               (!needs.colorTables || monitor.ReadColorTempTable());
    if (!read)
        return Exit::Failure;
    // What was read is what the monitor's memory is taken to hold, as at the program's start.
    for (int item = 0; item < Items::kCount; ++item)
        monitor.CommitItem(item);
    return Exit::Ok;
}

CMonitor& CCliSession::Monitor() {
    assert(m_nConnectStatus == Exit::Ok && "Monitor() before a successful Connect()");
    return *m_monitor;
}

const CMonitor* CCliSession::ConnectedMonitor() const {
    return m_nConnectStatus == Exit::Ok ? m_monitor.get() : nullptr;
}
