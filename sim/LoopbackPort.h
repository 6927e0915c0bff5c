#pragma once

#include "platform/SerialPort.h"
#include "sim/SimMonitor.h"

#include <QString>

#include <condition_variable>
#include <map>
#include <memory>
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

    // Makes `monitor` (not owned) reachable under `path`, replacing any monitor attached
    // there before. The port becomes the monitor's one listener. A monitor may be destroyed
    // before the port, but not while the port has it open.
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

    // What the monitors' listeners reach; cut off when the port goes, so a monitor that
    // outlives the port calls nothing.
    struct Relay {
        std::mutex mutex;
        CLoopbackPort* port = nullptr;
    };

    std::shared_ptr<Relay> m_relay;
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::map<QString, CSimMonitor*> m_monitors;
    CSimMonitor* m_open = nullptr;
    unsigned m_generation = 0;
    mutable std::vector<std::uint8_t> m_received; // taken from the monitor, not yet read
    QString m_error;
    int m_timerFd = -1; // readable while bytes are queued (armed at the next due time)
};
