#pragma once

#include "link/Monitor.h"
#include "sim/LoopbackPort.h"
#include "sim/SimMonitor.h"

#include <QString>

#include <array>
#include <memory>

// Simulated monitors on the four port slots, reached through the port map, and the
// controller wired to them with short waits, so that a silent monitor costs little.
class CSimBench {
public:
    CSimBench();
    ~CSimBench();

    // Puts a monitor of `profile` on `slot` (0..3).
    CSimMonitor& Plug(int slot, const QString& profile);
    CSimMonitor& Plug(int slot, const SimProfile& profile);
    CSimMonitor& Sim(int slot = 0) { return *m_sims[static_cast<std::size_t>(slot)]; }
    CMonitor& Monitor() { return *m_monitor; }
    // Connects and reads every group as start-up does; false on any failure.
    bool ConnectAndRead();
    // Ends the controller now (it saves "com" and closes the port).
    void DestroyMonitor() { m_monitor.reset(); }

private:
    std::array<std::unique_ptr<CSimMonitor>, 4> m_sims; // outlive the port wired to them
    CLoopbackPort m_port;
    std::unique_ptr<CMonitor> m_monitor;
};

// Points the program folder at the build tree's (cursors, help files).
void UseBuildProgramFolder();
