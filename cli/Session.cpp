#include "cli/Session.h"

#include "bus/BusMonitor.h"
#include "cli/CliMessages.h"
#include "cli/ExitStatus.h"
#include "cli/FrameTrace.h"
#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "platform/SerialDiagnostics.h"
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

constexpr int kSlots = 4;

// The slot whose device is `path`, or -1.
int SlotOf(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    for (int slot = 0; slot < kSlots; ++slot) {
        const QString device = PortMap().Path(slot);
        if (!device.isEmpty() &&
            (device == path || QFileInfo(device).canonicalFilePath() == canonical))
            return slot;
    }
    return -1;
}

} // namespace

std::optional<int> CCliSession::ConnectThroughBus() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const std::optional<BusHolder> holder = CBusMonitor::FindHolder(bus);
    const int slot = holder ? SlotOf(holder->port) : -1;
    if (slot < 0)
        return std::nullopt;
    if (m_bTrace)
        PrintError(QStringLiteral("%1 is held by %2: the command goes through the session bus "
                                  "(com.vorka.qelt32)")
                       .arg(holder->port, holder->Describe()));
    QString error;
    std::unique_ptr<CBusMonitor> monitor = CBusMonitor::Open(bus, slot, &error);
    if (!monitor) {
        PrintError(error);
        return Exit::NoMonitor;
    }
    m_monitor = std::move(monitor);
    return Read(CliNeeds{});
}

void CCliSession::NameHolders(const QString& failure) {
    // "PATH: in use by another program": who, as doctor tells it.
    const QString path = failure.section(QStringLiteral(": "), 0, 0);
    if (!failure.endsWith(QLatin1String("in use by another program")))
        return;
    QStringList names;
    for (const auto& holder : SerialDiagnostics::Holders(path))
        names << QStringLiteral("%1 (pid %2)").arg(holder.program).arg(holder.pid);
    if (!names.isEmpty())
        PrintError(QStringLiteral("%1 is held by %2").arg(path, names.join(QStringLiteral(", "))));
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
    if (!monitor.FindMonitor()) {
        // After the program's own message, what each port said.
        for (const QString& reason : monitor.ConnectFailures()) {
            PrintError(reason);
            NameHolders(reason);
        }
        return m_nConnectStatus = Exit::NoMonitor;
    }
    return m_nConnectStatus = Read(needs);
}

int CCliSession::Read(const CliNeeds& needs) {
    CMonitor& monitor = *m_monitor;
    // Through the bus the holder's cache was copied whole. The colour-temperature tables
    // stay with the holder: its SetColorTemperature uses them.
    if (dynamic_cast<CBusMonitor*>(&monitor)) {
        if (!needs.colorTables || needs.everything)
            return Exit::Ok;
        PrintError(QStringLiteral("the colour temperature is not read through the session bus; "
                                  "the program that holds the monitor shows and sets it"));
        return Exit::Failure;
    }
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
