#pragma once

#include "platform/SerialPort.h"
#include "sim/SimMonitor.h"

#include <QString>

#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

// A serial port wired straight to simulated monitors in the same process: no
// pseudo-terminal, no line pacing (the engine's reply delay still applies). For fast tests
// of the controller and the windows.
//
// Monitors are attached under device paths; Open(path) reaches the monitor attached there
// and fails like a missing device for any other path, so a probe over the port map works.
// PollDescriptor() is readable exactly while received bytes are queued. A pulled cable makes
// every call fail; the port stays dead after a replug until it is opened again, as a real
// device that vanished would.
class CLoopbackPort : public ISerialPort {
public:
    CLoopbackPort();
    ~CLoopbackPort() override;
    CLoopbackPort(const CLoopbackPort&) = delete;
    CLoopbackPort& operator=(const CLoopbackPort&) = delete;

    // Makes `monitor` (not owned; it must outlive the port) reachable under `path`.
    // The port becomes the monitor's one listener.
    void Attach(const QString& path, CSimMonitor* monitor);
    // The monitor of the open port, or nullptr.
    CSimMonitor* Connected() const;

    bool Open(const QString& path) override;
    void Close() override;
    bool IsOpen() const override;
    void Purge() override;

    int QueuedInput() const override;
    int QueuedOutput() const override;
    bool WaitQueued(std::size_t count, Clock::time_point deadline) override;
    bool ReadExact(std::uint8_t* data, std::size_t count) override;
    bool WaitOutputDrained(Clock::time_point deadline) override;
    bool WriteAll(const std::uint8_t* data, std::size_t count) override;
    void ClearError() override;

    int PollDescriptor() const override;
    QString LastError() const override;

private:
    bool LineDeadLocked() const;
    void CollectLocked(Clock::time_point now) const;
    void RearmLocked() const;
    void OnMonitorOutput();

    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::map<QString, CSimMonitor*> m_monitors;
    CSimMonitor* m_open = nullptr;
    unsigned m_generation = 0;
    mutable std::vector<std::uint8_t> m_received; // taken from the monitor, not yet read
    QString m_error;
    int m_timerFd = -1; // readable while bytes are queued (armed at the next due time)
};
