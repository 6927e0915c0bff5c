// The watcher of unsolicited monitor traffic: a thread that sleeps until more than five
// bytes are queued and then has the controller read them on its own thread, and the
// controller's handlers for what arrives.

#include "link/Monitor.h"
#include "link/MonitorNotify.h"

#include "platform/PortWait.h"

#include <sys/eventfd.h>
#include <sys/resource.h>
#include <unistd.h>

#include <poll.h>

#include <cerrno>
#include <thread>

namespace {
// Fewer bytes than this are not worth waking the controller for: a stray byte or two
// must not make it start reading.
constexpr std::size_t kWakeCount = 6;

void ResetEvent(int eventFd) {
    std::uint64_t count = 0;
    while (::read(eventFd, &count, sizeof count) > 0) {
    }
}

void SignalEvent(int eventFd) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(eventFd, &one, sizeof one);
}
} // namespace

bool CMonicom::EnableReceiveEvent() {
    // The watcher waits in poll() on every system here; there is no event mask to extend.
    return true;
}

bool CMonicom::DisableReceiveEvent() {
    return true;
}

bool CMonicom::CreateWindow() {
    m_bWindow = true;
    m_watchInfo.target = this;
    if (m_watcher.joinable() || !Port().IsOpen())
        return true;
    if (!EnableReceiveEvent())
        return false;
    m_watchInfo.port = &Port();
    ResetEvent(m_stopEvent);
    ResetEvent(m_doneEvent);
    m_watcher = std::thread([this] { WatchThread(); });
    return true;
}

void CMonicom::StopWatcher() {
    if (!m_watcher.joinable())
        return;
    SignalEvent(m_stopEvent);
    DisableReceiveEvent();
    m_watcher.join();
    ResetEvent(m_stopEvent);
}

void CMonicom::WatchThread() {
    // Below normal, as the watcher only hands work on.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 1);
    ISerialPort* port = m_watchInfo.port;
    CPortWait wait(port->PollDescriptor(), m_stopEvent);
    for (;;) {
        const auto result =
            wait.WaitForCount([port] { return port->QueuedInput(); }, kWakeCount, std::nullopt);
        if (result == CPortWait::Result::Stopped)
            return;
        if (result == CPortWait::Result::Failed) {
            emit portFailed();
            return;
        }
        if (!DeliverMonitorData())
            return;
    }
}

bool CMonicom::DeliverMonitorData() {
    // Like a sent message: the watcher waits until the handler has read the frame, so the
    // two threads never read at once. Unlike a blocking queued call, the stop event still
    // ends the wait, so stopping the watcher from the controller's thread cannot deadlock.
    QMetaObject::invokeMethod(
        this,
        [this] {
            OnMonitorData();
            SignalEvent(m_doneEvent);
        },
        Qt::QueuedConnection);
    pollfd fds[2] = {{m_doneEvent, POLLIN, 0}, {m_stopEvent, POLLIN, 0}};
    while (poll(fds, 2, -1) < 0 && errno == EINTR) {
    }
    if (fds[1].revents & POLLIN)
        return false;
    ResetEvent(m_doneEvent);
    return true;
}

// --- the controller's handlers ---

namespace {
constexpr std::uint8_t kTimingReport = 0x4E;
constexpr std::uint8_t kPanelReport = 0x58;
constexpr std::uint8_t kTimingStatus = 0x6D;
constexpr std::uint8_t kRevisionC = 1;
} // namespace

class CMonitor::CFollowingMonitor {
public:
    explicit CFollowingMonitor(CMonitor& monitor) : m_monitor(monitor) {
        ++m_monitor.m_nFollowingMonitor;
    }
    ~CFollowingMonitor() { --m_monitor.m_nFollowingMonitor; }
    CFollowingMonitor(const CFollowingMonitor&) = delete;
    CFollowingMonitor& operator=(const CFollowingMonitor&) = delete;

private:
    CMonitor& m_monitor;
};

void CMonitor::OnMonitorData() {
    if (Port().QueuedInput() <= 0)
        return;
    CFollowingMonitor following(*this);
    MonReply reply;
    if (!ReceiveFrame(reply))
        return;
    if (reply.kind == kTimingReport)
        OnTimingReport(reply);
    else if (reply.kind == kPanelReport)
        OnPanelChange(reply);
}

void CMonitor::OnTimingReport(const MonReply& timing) {
    // Revision C sends its status frame only once it has settled on the new timing.
    if (GetProtocolRevision() == kRevisionC)
        std::this_thread::sleep_for(Timings().timingStatus);
    MonReply status;
    const bool received = ReceiveFrame(status);
    if (received && status.kind == kTimingStatus && status.data[0] == 0) {
        // The picture needs sizing. The notice runs once both this report and the
        // desktop's own display change have come, in either order.
        if (m_bDisplayChangeSeen) {
            m_bDisplayChangeSeen = false;
            RunAutoSizeNotice();
        } else {
            m_bAutoSizeReportSeen = true;
        }
    }
    m_fH = std::uint16_t(timing.data[0] << 8 | timing.data[1]);
    m_fV = std::uint16_t(timing.data[2] << 8 | timing.data[3]);
    if (GetProtocolRevision() == kRevisionC) {
        m_fH /= 100;
        m_fV /= 100;
    }
    m_bTimingKnown = true;
    emit timingUpdated();
    ReadGeometry();
    CommitGeometry();
    Notify(CMonitorNotifyEvent::kTimingChanged, 0);
    // A front-panel report that came in place of the status frame is not lost.
    if (received && status.kind == kPanelReport)
        OnPanelChange(status);
}

void CMonitor::OnPanelChange(const MonReply& change) {
    const int item = ApplyPanelChange(change);
    if (item >= 0)
        FollowPanelChange(item, m_items[item].current);
}

void CMonitor::OnPanelReportWhileWaiting(const MonReply& change) {
    // The cache takes the value at once; the re-reads and the notification would send
    // requests in the middle of the exchange that is waiting, so they follow once it is over.
    const int item = ApplyPanelChange(change);
    if (item < 0)
        return;
    const std::uint16_t value = m_items[item].current;
    QMetaObject::invokeMethod(
        this, [this, item, value] { FollowPanelChange(item, value); }, Qt::QueuedConnection);
}

int CMonitor::ApplyPanelChange(const MonReply& change) {
    const int item = Items::FromCode(change.data[0]);
    if (item < 0)
        return -1;
    const std::uint16_t value = std::uint16_t(change.data[1] << 8 | change.data[2]);
    m_items[item].current = value;
    m_items[item].device = value;
    emit itemUpdated(item, true);
    return item;
}

void CMonitor::FollowPanelChange(int item, std::uint16_t value) {
    CFollowingMonitor following(*this);
    // A new colour mode brings its own colour values; auto-sizing moves the geometry.
    if (item == Items::ColorMode)
        ReadColor();
    if (item == Items::AutoSizeItem)
        ReadGeometry();
    Notify(item, value);
}

void CMonitor::OnTimingChanged() {
    CFollowingMonitor following(*this);
    ReadItem(Items::ModeWord);
    ReadTiming();
    ReadGeometry();
    CommitGeometry();
    Notify(CMonitorNotifyEvent::kTimingChanged, 0);
}

void CMonitor::OnDisplayChange() {
    if (m_bAutoSizeReportSeen) {
        m_bAutoSizeReportSeen = false;
        RunAutoSizeNotice();
    } else {
        m_bDisplayChangeSeen = true;
    }
}

void CMonitor::RunAutoSizeNotice() {
    if (m_pAutoSizeNotice)
        m_pAutoSizeNotice->Run(*this);
    else
        AutoSize();
}
