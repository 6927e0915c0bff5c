#pragma once

#include "LoopbackMonitor.h"

#include <gtest/gtest.h>

#include <array>

// A controller wired in-process to a simulated monitor, read and committed as start-up
// leaves it. Change `sim` (or pass a changed profile) before Start() to begin from another
// monitor state.
class CSimulatedMonitor : public CLoopbackMonitor {
public:
    explicit CSimulatedMonitor(const SimProfile& simProfile) : CLoopbackMonitor(simProfile, kPath) {
        // A dead line should cost a test little time.
        MonTimings timings;
        timings.reply = std::chrono::milliseconds(200);
        monitor.SetTimings(timings);
    }
    explicit CSimulatedMonitor(const QString& profileName)
        : CSimulatedMonitor(*SimProfile::ByName(profileName)) {}

    static SimProfile Profile(const QString& name) { return *SimProfile::ByName(name); }

    // Connects and reads everything; false (with a test failure) when that did not work.
    bool Start() {
        const bool ok = ReadAsAtStartUp(true);
        EXPECT_TRUE(ok) << "the simulated monitor could not be read";
        messages.Clear();
        return ok;
    }

    // A change made with the monitor's own keys, as the watcher hands it to the controller.
    void PanelChange(int item, std::uint16_t value) {
        sim.PanelChange(item, value);
        monitor.OnMonitorData();
    }

    // The seven colour items as the monitor holds them, in item order 23..29.
    std::array<std::uint16_t, 7> SimColors() const {
        std::array<std::uint16_t, 7> values{};
        for (int i = 0; i < 7; ++i)
            values[i] = sim.Value(23 + i);
        return values;
    }

    static constexpr const char* kPath = "/dev/qelt32-sim";
};
