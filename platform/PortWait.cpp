#include "platform/PortWait.h"

#include <poll.h>
#include <sys/epoll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <ctime>

namespace {
constexpr auto kNoDescriptorNap = CPortWait::kByteTime * 8;

timespec ToTimespec(CPortWait::Clock::duration duration) {
    const auto ns = std::max<std::int64_t>(
        0, std::chrono::duration_cast<std::chrono::nanoseconds>(duration).count());
    return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}
} // namespace

CPortWait::CPortWait(int portFd, int stopFd) : m_portFd(portFd), m_stopFd(stopFd) {
    if (m_portFd < 0)
        return;
    m_epoll = epoll_create1(EPOLL_CLOEXEC);
    if (m_epoll < 0)
        return;
    epoll_event port{};
    port.events = EPOLLIN | EPOLLET;
    port.data.fd = m_portFd;
    epoll_ctl(m_epoll, EPOLL_CTL_ADD, m_portFd, &port);
    if (m_stopFd >= 0) {
        epoll_event stop{};
        stop.events = EPOLLIN;
        stop.data.fd = m_stopFd;
        epoll_ctl(m_epoll, EPOLL_CTL_ADD, m_stopFd, &stop);
    }
}

CPortWait::~CPortWait() {
    if (m_epoll >= 0)
        close(m_epoll);
}

CPortWait::Result CPortWait::WaitForCount(const std::function<int()>& queued, std::size_t count,
                                          std::optional<Clock::time_point> deadline) {
    int seen = 0;
    bool napped = false;
    for (;;) {
        const int n = queued();
        if (n < 0)
            return Result::Failed;
        if (static_cast<std::size_t>(n) >= count)
            return Result::Ready;
        const auto now = Clock::now();
        if (deadline && now >= *deadline)
            return Result::Timeout;
        Result result;
        const std::size_t missing = count - static_cast<std::size_t>(n);
        if (n > seen && !napped && missing > 1) {
            // Part of the group is here, so the rest is on the line: sleep through the line
            // time of all but the last byte instead of waking for every one, then wake on
            // the arrivals, so that a line running a little late costs no extra sleep.
            napped = true;
            Clock::duration nap = kByteTime * (missing - 1);
            if (deadline)
                nap = std::min(nap, *deadline - now);
            result = Sleep(nap);
        } else {
            result = AwaitArrival(deadline);
        }
        seen = n;
        if (result == Result::Stopped || result == Result::Failed)
            return result;
    }
}

CPortWait::Result CPortWait::Sleep(Clock::duration duration) {
    // The port is watched with no requested events: poll() still reports a hang-up.
    pollfd fds[2] = {{m_portFd, 0, 0}, {m_stopFd, POLLIN, 0}};
    const timespec timeout = ToTimespec(duration);
    if (ppoll(fds, 2, &timeout, nullptr) <= 0)
        return Result::Ready;
    if (fds[1].revents & POLLIN)
        return Result::Stopped;
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL))
        return Result::Failed;
    return Result::Ready;
}

CPortWait::Result CPortWait::AwaitArrival(std::optional<Clock::time_point> deadline) {
    if (m_epoll < 0) {
        Clock::duration nap = kNoDescriptorNap;
        if (deadline)
            nap = std::min(nap, *deadline - Clock::now());
        return Sleep(nap);
    }
    int timeoutMs = -1;
    if (deadline) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
        timeoutMs = static_cast<int>(std::max<std::int64_t>(0, left.count()));
    }
    epoll_event events[2];
    const int n = epoll_wait(m_epoll, events, 2, timeoutMs);
    Result result = Result::Ready;
    for (int i = 0; i < n; ++i) {
        if (events[i].data.fd == m_stopFd)
            return Result::Stopped;
        if (events[i].events & (EPOLLHUP | EPOLLERR))
            result = Result::Failed;
    }
    return result;
}
