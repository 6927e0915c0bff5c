#pragma once

#include <QString>

#include <chrono>
#include <cstddef>
#include <cstdint>

// One serial port as the monitor link uses it. The kernel's receive queue is the only
// buffer, so that the watcher thread can count queued bytes while the user-interface
// thread reads exact byte counts. Every wait ends at its deadline; none spins.
class ISerialPort {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~ISerialPort() = default;

    // Opens `path` exclusively and applies the line settings (raw 9600 8N1, RTS/CTS
    // output flow control). False, with LastError() set, when the device is missing,
    // refused, busy or not a terminal.
    virtual bool Open(const QString& path) = 0;
    // Clears DTR, then RTS, then closes. Does nothing when not open.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Discards the transmit queue, then the receive queue.
    virtual void Purge() = 0;

    // Bytes waiting in the receive / transmit queue; -1 when the port failed (cable pulled,
    // device gone). Callable from the watcher thread.
    virtual int QueuedInput() const = 0;
    virtual int QueuedOutput() const = 0;

    // Waits until at least `count` bytes are queued for reading; false at the deadline or
    // on a port failure.
    virtual bool WaitQueued(std::size_t count, Clock::time_point deadline) = 0;
    // Reads exactly `count` bytes that are already queued; false on a short read.
    virtual bool ReadExact(std::uint8_t* data, std::size_t count) = 0;
    // Waits until the transmit queue is empty; false at the deadline or on a failure.
    virtual bool WaitOutputDrained(Clock::time_point deadline) = 0;
    // Writes all bytes; false on a short write.
    virtual bool WriteAll(const std::uint8_t* data, std::size_t count) = 0;
    // Clears a pending line error after a short read or write.
    virtual void ClearError() = 0;

    // A descriptor the watcher may poll() for readability; -1 when there is none.
    virtual int PollDescriptor() const = 0;
    virtual QString LastError() const = 0;
};
