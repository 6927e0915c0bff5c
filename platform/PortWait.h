#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>

// Waits for received bytes on a port descriptor without burning the processor. The kernel
// reports readability as long as any byte is queued, so a plain poll() would return at once
// while a frame is still arriving. This waiter instead wakes on each new arrival (an
// edge-triggered epoll), sleeps the line time of bytes that are evidently on their way, and
// also wakes on an optional stop descriptor (the watcher's stop event) and on a hang-up.
class CPortWait {
public:
    using Clock = std::chrono::steady_clock;
    enum class Result { Ready, Timeout, Stopped, Failed };

    // One byte at 9600 baud, 8N1: ten bits on the line.
    static constexpr std::chrono::microseconds kByteTime{1042};

    // `portFd` may be -1 (a port without a descriptor: the waits become timed naps);
    // `stopFd` (-1 for none) stops every wait once it is readable.
    explicit CPortWait(int portFd, int stopFd = -1);
    ~CPortWait();
    CPortWait(const CPortWait&) = delete;
    CPortWait& operator=(const CPortWait&) = delete;

    // Waits until `queued()` reports at least `count` bytes (Ready), the deadline passes
    // (Timeout; none = wait for ever), the stop descriptor fires (Stopped) or `queued()`
    // reports a failed port with a negative count (Failed).
    Result WaitForCount(const std::function<int()>& queued, std::size_t count,
                        std::optional<Clock::time_point> deadline);
    // Sleeps for `duration`; ends early only on a stop (Stopped) or a hang-up (Failed).
    Result Sleep(Clock::duration duration);

private:
    // Waits for the next arrival after the previous one was seen.
    Result AwaitArrival(std::optional<Clock::time_point> deadline);

    int m_portFd;
    int m_stopFd;
    int m_epoll = -1;
};
