#include "cli/Session.h"

#include "bus/BusMonitor.h"
#include "cli/CliMessages.h"
#include "cli/ExitStatus.h"
#include "cli/FrameTrace.h"
#include "link/Monitor.h"
#include "platform/PortClaim.h"
#include "platform/PortDiscovery.h"
#include "platform/PortMap.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"
#include "sim/SimServer.h"

#include <QFileInfo>

#include <algorithm>
#include <cassert>

CCliSession::CCliSession(std::unique_ptr<CSimServer> sim, bool trace, ISerialPort* port)
    : m_sim(std::move(sim)), m_bTrace(trace), m_pPort(port) {}

CCliSession::~CCliSession() {
    m_monitor.reset();
}

namespace {

constexpr int kPorts = 4; // the controller's slots, COM1..COM4

bool SameDevice(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    return a == b || QFileInfo(a).canonicalFilePath() == QFileInfo(b).canonicalFilePath();
}

// Whether this run would try `path`: the slot it is in (-1 for an adapter outside the
// slots), or nothing.
std::optional<int> TriedAs(const QString& path) {
    for (int slot = 0; slot < kPorts; ++slot)
        if (SameDevice(PortMap().Path(slot), path))
            return slot;
    if (!PortMap().RemembersPortIndex())
        return std::nullopt;
    if (SameDevice(Profile::GetString("Settings", "Device"), path))
        return -1;
    for (const AdapterCandidate& adapter : PortDiscovery::FindAdapters())
        if (adapter.skipped.isEmpty() && SameDevice(adapter.path, path))
            return -1;
    return std::nullopt;
}

} // namespace

std::optional<int> CCliSession::ConnectThroughBus() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const std::optional<BusHolder> holder = CBusMonitor::FindHolder(bus);
    const std::optional<int> slot = holder ? TriedAs(holder->port) : std::nullopt;
    if (!slot)
        return std::nullopt;
    if (m_bTrace)
        PrintError(QStringLiteral("%1 is held by %2: the command goes through the session bus "
                                  "(com.vorka.qelt32)")
                       .arg(holder->port, holder->Describe()));
    QString error;
    // An adapter outside the slots keeps the slot of the last run, as when found directly.
    const int index =
        *slot >= 0 ? *slot : std::clamp(Profile::GetInt("Settings", "com", 0), 0, kPorts - 1);
    const QString adapter = *slot >= 0 ? QString() : PortDiscovery::StableName(holder->port);
    std::unique_ptr<CBusMonitor> monitor = CBusMonitor::Open(bus, *holder, index, adapter, &error);
    if (!monitor) {
        PrintError(error);
        return Exit::NoMonitor;
    }
    m_monitor = std::move(monitor);
    return Read(CliNeeds{});
}

int CCliSession::Connect(const CliNeeds& needs) {
    if (m_nConnectStatus >= 0)
        return m_nConnectStatus;
    // Runs on a simulated or given port never meet another program.
    if (!m_sim && !m_pPort) {
        if (const std::optional<int> status = ConnectThroughBus())
            return m_nConnectStatus = *status;
    }
    m_monitor = std::make_unique<CMonitor>();
    if (m_pPort)
        m_monitor->SetSerialPort(m_pPort);
    if (m_bTrace)
        m_monitor->SetTraceSink(FrameTrace::StderrSink());
    CMonitor& monitor = *m_monitor;
    if (!monitor.FindMonitor(false)) {
        // The program's own message blames the cable; a port another program holds is
        // named instead, with what each port said.
        const QStringList& reasons = monitor.ConnectFailures();
        if (std::none_of(reasons.begin(), reasons.end(), CPortClaim::SaysInUse))
            UserMessages().Show(Str::NoMonitor);
        for (const QString& reason : reasons)
            PrintError(reason);
        return m_nConnectStatus = Exit::NoMonitor;
    }
    return m_nConnectStatus = Read(needs);
}

int CCliSession::Read(const CliNeeds& needs) {
    CMonitor& monitor = *m_monitor;
    // Through the bus the holder's cache was copied whole; the colour-temperature tables
    // stay with the holder, which works the temperature out for us.
    if (monitor.IsServed())
        return Exit::Ok;
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
