#include "sim/LoopbackPort.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

CLoopbackPort::CLoopbackPort() : m_relay(std::make_shared<Relay>()) {
    m_relay->port = this;
    m_timerFd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
}

CLoopbackPort::~CLoopbackPort() {
    {
        std::lock_guard lock(m_relay->mutex);
        m_relay->port = nullptr;
    }
    if (m_timerFd >= 0)
        ::close(m_timerFd);
}

void CLoopbackPort::Attach(const QString& path, CSimMonitor* monitor) {
    monitor->SetListener([relay = std::weak_ptr<Relay>(m_relay)] {
        if (const auto r = relay.lock()) {
            std::lock_guard lock(r->mutex);
            if (r->port)
                r->port->OnMonitorOutput();
        }
    });
    std::lock_guard lock(m_mutex);
    CSimMonitor*& slot = m_monitors[path];
    if (slot == m_open && slot != monitor) {
        // Another device now sits at the open path: the old one is gone for this port.
        m_open = nullptr;
        m_received.clear();
    }
    slot = monitor;
}

CSimMonitor* CLoopbackPort::Connected() const {
    std::lock_guard lock(m_mutex);
    return m_open;
}

bool CLoopbackPort::Open(const QString& path) {
    std::lock_guard lock(m_mutex);
    m_open = nullptr;
    m_received.clear();
    const auto it = m_monitors.find(path);
    if (path.isEmpty() || it == m_monitors.end() || it->second->IsCablePulled()) {
        m_error = QStringLiteral("%1: no such device").arg(path);
        RearmLocked();
        return false;
    }
    m_open = it->second;
    m_generation = m_open->CableGeneration();
    m_error.clear();
    RearmLocked();
    return true;
}

void CLoopbackPort::Close() {
    std::lock_guard lock(m_mutex);
    m_open = nullptr;
    m_received.clear();
    RearmLocked();
}

bool CLoopbackPort::IsOpen() const {
    std::lock_guard lock(m_mutex);
    return m_open != nullptr;
}

void CLoopbackPort::Purge() {
    std::lock_guard lock(m_mutex);
    m_received.clear();
    // What is due has reached the port's queue; a reply still on its way is not touched.
    if (m_open)
        m_open->TakeOutput();
    RearmLocked();
}

bool CLoopbackPort::LineDeadLocked() const {
    return !m_open || m_open->IsCablePulled() || m_open->CableGeneration() != m_generation;
}

void CLoopbackPort::CollectLocked(Clock::time_point now) const {
    for (SimChunk& chunk : m_open->TakeOutput(now))
        m_received.insert(m_received.end(), chunk.bytes.begin(), chunk.bytes.end());
}

int CLoopbackPort::QueuedInput() const {
    std::lock_guard lock(m_mutex);
    if (LineDeadLocked())
        return -1;
    CollectLocked(Clock::now());
    return int(m_received.size());
}

int CLoopbackPort::QueuedOutput() const {
    std::lock_guard lock(m_mutex);
    return LineDeadLocked() ? -1 : 0;
}

bool CLoopbackPort::WaitQueued(std::size_t count, Clock::time_point deadline) {
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (LineDeadLocked())
            return false;
        const Clock::time_point now = Clock::now();
        CollectLocked(now);
        if (m_received.size() >= count)
            return true;
        if (now >= deadline)
            return false;
        Clock::time_point until = deadline;
        if (const auto due = m_open->NextDue())
            until = std::min(until, *due);
        m_arrived.wait_until(lock, until);
    }
}

bool CLoopbackPort::ReadExact(std::uint8_t* data, std::size_t count) {
    std::lock_guard lock(m_mutex);
    if (LineDeadLocked())
        return false;
    CollectLocked(Clock::now());
    const std::size_t n = std::min(count, m_received.size());
    std::copy_n(m_received.begin(), n, data);
    m_received.erase(m_received.begin(), m_received.begin() + n);
    RearmLocked();
    if (n < count)
        m_error = QStringLiteral("short read: %1 of %2 bytes").arg(n).arg(count);
    return n == count;
}

bool CLoopbackPort::WaitOutputDrained(Clock::time_point) {
    std::lock_guard lock(m_mutex);
    return !LineDeadLocked(); // nothing is ever held back on the way out
}

bool CLoopbackPort::WriteAll(const std::uint8_t* data, std::size_t count) {
    CSimMonitor* monitor = nullptr;
    {
        std::lock_guard lock(m_mutex);
        if (LineDeadLocked()) {
            m_error = QStringLiteral("the device is gone");
            return false;
        }
        monitor = m_open;
    }
    // Outside the lock: the monitor calls back into OnMonitorOutput when it answers.
    monitor->Feed(data, count);
    return true;
}

void CLoopbackPort::ClearError() {}

int CLoopbackPort::PollDescriptor() const {
    return m_timerFd;
}

QString CLoopbackPort::LastError() const {
    std::lock_guard lock(m_mutex);
    return m_error;
}

void CLoopbackPort::RearmLocked() const {
    // The timer is "expired" (readable) exactly while bytes are queued or the line is dead;
    // setting it again clears a past expiry.
    itimerspec expiry{};
    const bool dead = m_open && LineDeadLocked();
    std::optional<Clock::time_point> due;
    if (m_open && !dead)
        due = m_received.empty() ? m_open->NextDue() : Clock::now();
    if (dead) {
        expiry.it_value.tv_nsec = 1; // long past: readable at once
    } else if (due) {
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                            std::max(due->time_since_epoch(), std::chrono::nanoseconds(1)))
                            .count();
        expiry.it_value.tv_sec = ns / 1000000000;
        expiry.it_value.tv_nsec = ns % 1000000000;
    }
    timerfd_settime(m_timerFd, TFD_TIMER_ABSTIME, &expiry, nullptr);
}

void CLoopbackPort::OnMonitorOutput() {
    {
        std::lock_guard lock(m_mutex);
        RearmLocked();
    }
    m_arrived.notify_all();
}
