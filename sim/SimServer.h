#pragma once

#include "sim/SimMonitor.h"

#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Serves a simulated monitor on a pseudo-terminal, so that the program's real serial code
// talks to it through a device path. A thread of its own waits in poll() (nothing is burnt
// while the line is idle), hands received bytes to the engine once their line time has
// passed and writes the engine's frames paced at 9600 baud 8N1 (960 bytes/s).
//
// Pulling the cable (Monitor().PullCable()) closes the pseudo-terminal, so the program sees
// its device hang up, and removes the link; Replug() opens a fresh one (a new path) and
// points the link at it again.
class CSimServer {
public:
    using Clock = std::chrono::steady_clock;

    struct Options {
        bool paced = true; // false: bytes go out as soon as they are due
        QString linkPath;  // non-empty: a symbolic link to the device, kept up to date
    };
    // One traced frame: sent = true for the monitor's output. `note` says what it is.
    using TraceSink =
        std::function<void(Clock::time_point time, bool sent,
                           const std::vector<std::uint8_t>& bytes, const QString& note)>;

    explicit CSimServer(const SimProfile& profile);
    CSimServer(const SimProfile& profile, const Options& options);
    ~CSimServer(); // stops the thread and closes the device
    CSimServer(const CSimServer&) = delete;
    CSimServer& operator=(const CSimServer&) = delete;

    // Opens the pseudo-terminal and starts the thread. False with Error() set when the
    // device cannot be made (or the link cannot be placed).
    bool Start();
    // Ends the thread promptly and closes the device; safe to call twice.
    void Stop();
    bool IsRunning() const;

    // The device path the program should open (the link when one was asked for), and
    // the pseudo-terminal's own path. Empty while the cable is pulled.
    QString Path() const;
    QString DevicePath() const;
    QString Error() const;

    CSimMonitor& Monitor() { return m_monitor; }
    const CSimMonitor& Monitor() const { return m_monitor; }

    // Every frame in both directions; called on the server thread. Set before Start().
    void SetTraceSink(TraceSink sink);
    // Called on the server thread after a replug opened a new device.
    void SetReplugHandler(std::function<void(const QString& path)> handler);

    // Bytes written to the device since Start (for the pacing benchmark).
    std::uint64_t BytesSent() const { return m_bytesSent.load(); }

private:
    struct Impl;

    CSimMonitor m_monitor;
    Options m_options;
    std::unique_ptr<Impl> m_impl;
    std::atomic<std::uint64_t> m_bytesSent{0};
};
