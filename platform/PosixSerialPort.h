#pragma once

#include "platform/PortWait.h"
#include "platform/SerialPort.h"

#include <memory>

// A terminal device driven through termios: opened exclusively (TIOCEXCL and an flock, so a
// second program cannot share the cable), raw 9600 8N1 with RTS/CTS output flow control.
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

private:
    bool ApplyLineSettings();
    void Fail(const QString& what);

    int m_fd = -1;
    std::unique_ptr<CPortWait> m_wait;
    QString m_lastError;
};
