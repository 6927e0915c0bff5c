#pragma once

#include "platform/PortClaim.h"
#include "platform/PortWait.h"
#include "platform/SerialLine.h"
#include "platform/SerialPort.h"

#include <atomic>
#include <memory>

#include <sys/types.h>

// A terminal device driven through termios: claimed before anything of it is changed
// (platform/PortClaim.h: not the user's own terminal, not used by another program; then
// TIOCEXCL, an flock and a UUCP lock file, so a second program cannot share the cable) and
// given back with the line settings it had; raw 9600 8N1 with RTS/CTS output flow control.
// The settings are read back after they were applied: a device that keeps another speed or
// framing is refused, one that drops the handshake is used without it.
// Waits sleep in the kernel until bytes arrive or the deadline passes; a hang-up (cable
// pulled, pseudo-terminal closed) fails the wait at once.
class CPosixSerialPort : public ISerialPort {
public:
    CPosixSerialPort() = default;
    ~CPosixSerialPort() override;
    CPosixSerialPort(const CPosixSerialPort&) = delete;
    CPosixSerialPort& operator=(const CPosixSerialPort&) = delete;

    bool Open(const QString& path) override;
    void Close() override;
    bool IsOpen() const override { return m_fd >= 0; }
    void Purge() override;

    int QueuedInput() const override;
    int QueuedOutput() const override;

    bool WaitQueued(std::size_t count, Clock::time_point deadline) override;
    bool ReadExact(std::uint8_t* data, std::size_t count) override;
    bool WaitOutputDrained(Clock::time_point deadline) override;
    bool WriteAll(const std::uint8_t* data, std::size_t count) override;
    void ClearError() override;

    int PollDescriptor() const override { return m_fd; }
    QString LastError() const override { return m_lastError; }
    // Why the port stopped working (a hang-up, a read or write error); empty while it works.
    // Once set, the port counts as failed until it is opened again.
    const QString& Failure() const { return m_failure; }

    // The line settings as the open left them (read back from the driver); after a failed
    // open, what the device held when its settings were refused, if that got that far.
    const SerialLine& Line() const { return m_line; }

protected:
    // The one place bytes are read from the device; a test stands in for a failing adapter.
    virtual ssize_t ReadSome(int fd, std::uint8_t* data, std::size_t count);

private:
    // Empty when the line is raw 9600 8N1; otherwise why it is not.
    QString ApplyLineSettings();
    void Fail(const QString& what);
    // The device is unusable from now on: every wait and count reports the failure.
    void MarkFailed(const QString& why);

    int m_fd = -1;
    CPortClaim m_claim;
    SerialLine m_line;
    std::unique_ptr<CPortWait> m_wait;
    QString m_lastError;
    QString m_failure;
    // Set with m_failure; the watcher thread reads only this flag.
    std::atomic<bool> m_bFailed = false;
};
