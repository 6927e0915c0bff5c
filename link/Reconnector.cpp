#include "link/Reconnector.h"

#include "link/Monitor.h"
#include "platform/PortDiscovery.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

#include <sys/inotify.h>
#include <unistd.h>

namespace {
// A node appearing, a link made or renamed into place, a node's permissions set by udev.
constexpr std::uint32_t kDeviceEvents = IN_CREATE | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF;
} // namespace

CReconnector::CReconnector(CMonitor& monitor, QObject* parent)
    : QObject(parent), m_monitor(monitor) {
    m_probeTimer.setSingleShot(true);
    connect(&m_probeTimer, &QTimer::timeout, this, &CReconnector::Probe);
    // Queued: the lost link is looked after once the exchange that found it is over.
    connect(&m_monitor, &CMonitor::connectionChanged, this, &CReconnector::OnConnectionChanged,
            Qt::QueuedConnection);
}

CReconnector::~CReconnector() {
    StopWatching();
}

void CReconnector::SetOtherMonitorHandler(std::function<bool(std::uint32_t)> handler) {
    m_acceptOther = std::move(handler);
}

void CReconnector::SetOtherModelHandler(std::function<void(const QString&)> handler) {
    m_tellOtherModel = std::move(handler);
}

void CReconnector::Hold(bool held) {
    m_held = held;
    if (!held && std::exchange(m_probeDue, false))
        m_probeTimer.start(0);
}

void CReconnector::OnConnectionChanged(bool) {
    // A probe opens and closes the port itself; its outcome is its own to act on.
    if (m_probing)
        return;
    // The state may have changed again since this was queued: the present one counts.
    if (m_monitor.IsConnected() || m_monitor.LinkLostReason().isEmpty()) {
        StopWatching();
        return;
    }
    if (!m_notifier) {
        m_lostPath = m_monitor.DevicePath();
        m_seenNodes.clear();
        for (const AdapterCandidate& adapter : PortDiscovery::FindAdapters())
            m_seenNodes.insert(adapter.device);
        StartWatching();
    }
}

void CReconnector::StartWatching() {
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify < 0)
        return;
    WatchFolders();
    m_notifier = std::make_unique<QSocketNotifier>(m_inotify, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &CReconnector::OnDeviceEvent);
    // The device may already be back (a replug faster than the lost link was noticed).
    m_probeTimer.start(0);
}

void CReconnector::StopWatching() {
    m_probeTimer.stop();
    m_notifier.reset();
    if (m_inotify >= 0)
        ::close(m_inotify);
    m_inotify = -1;
}

void CReconnector::WatchFolders() {
    // Folders that do not exist yet (by-id goes with the last adapter) are watched from
    // their parent; adding a watch twice only renews it.
    const QString dev = PortDiscovery::DeviceFolder();
    for (const QString& folder :
         {QFileInfo(m_lostPath).path(), dev, dev + QStringLiteral("/serial"),
          dev + QStringLiteral("/serial/by-id")})
        inotify_add_watch(m_inotify, QFile::encodeName(folder).constData(), kDeviceEvents);
}

void CReconnector::OnDeviceEvent() {
    char buffer[4096];
    while (::read(m_inotify, buffer, sizeof buffer) > 0) {
    }
    WatchFolders();
    if (m_probeTimer.isActive())
        return;
    // At most one probe per interval, however many events a plug brings.
    const auto since = std::chrono::steady_clock::now() - m_lastProbe;
    const auto wait = since >= kProbeInterval
                          ? std::chrono::milliseconds(0)
                          : std::chrono::ceil<std::chrono::milliseconds>(kProbeInterval - since);
    m_probeTimer.start(wait);
}

void CReconnector::Probe() {
    if (m_monitor.IsConnected() || !m_notifier || m_probing)
        return;
    if (m_held) {
        m_probeDue = true;
        return;
    }
    auto accept = [this](std::uint32_t serial, const QString& otherModel) {
        if (!m_refused.insert(serial).second)
            return false;
        if (!otherModel.isEmpty()) {
            if (m_tellOtherModel)
                m_tellOtherModel(otherModel);
            return false;
        }
        const bool taken = m_acceptOther && m_acceptOther(serial);
        if (taken)
            m_refused.erase(serial);
        return taken;
    };
    // Only a probe that opened something counts towards the interval: the events of one
    // plug (a node made, then its link put in place) may come before the device is there.
    auto tryPath = [&](const QString& path) {
        if (path.isEmpty() || !QFileInfo::exists(path))
            return false;
        m_lastProbe = std::chrono::steady_clock::now();
        return m_monitor.Reconnect(path, accept);
    };
    m_probing = true;
    bool back = tryPath(m_lostPath);
    // Another adapter is tried once, when it appears: the ones that were there all along
    // did not have the monitor, and each silent one holds the program for a reply wait.
    const QString lostNode = QFileInfo(m_lostPath).canonicalFilePath();
    for (const AdapterCandidate& adapter : PortDiscovery::FindAdapters()) {
        if (back || !adapter.skipped.isEmpty() || !m_seenNodes.insert(adapter.device).second)
            continue;
        if (adapter.path != m_lostPath && adapter.device != lostNode)
            back = tryPath(adapter.path);
    }
    m_probing = false;
    if (!back)
        return;
    StopWatching();
    emit reconnected();
}
