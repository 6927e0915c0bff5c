#pragma once

#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "sim/LoopbackPort.h"
#include "sim/SimMonitor.h"

#include "RecordingMessages.h"
#include "TempProfile.h"

#include <gtest/gtest.h>

// A controller wired in-process to a simulated monitor, read and committed as start-up
// leaves it. Change `sim` (or pass a changed profile) before Start() to begin from another
// monitor state.
class CSimulatedMonitor {
public:
    explicit CSimulatedMonitor(const SimProfile& simProfile) : sim(simProfile) {
        port.Attach(kPath, &sim);
        PortMap().SetOnly(kPath);
        monitor.SetSerialPort(&port);
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
        const bool ok = monitor.Connect() && monitor.ReadModes() && monitor.ReadGeometry() &&
                        monitor.ReadConvergence() && monitor.ReadColor() &&
                        monitor.ReadBrightContrast() && monitor.ReadColorTempTable();
        EXPECT_TRUE(ok) << "the simulated monitor could not be read";
        monitor.CommitGeometry();
        monitor.CommitConvergence();
        monitor.CommitColor();
        monitor.CommitBrightContrast();
        monitor.CommitModes();
        messages.Clear();
        return ok;
    }

    // A change made with the monitor's own keys, as the watcher hands it to the controller.
    void PanelChange(int item, std::uint16_t value) {
        sim.PanelChange(item, value);
        monitor.OnMonitorData();
    }

    // Set-value frames the monitor has received for these items.
    int SetValues(std::initializer_list<int> items) const {
        int total = 0;
        for (int item : items)
            total += sim.SetValueCount(item);
        return total;
    }
    // The seven colour items as the monitor holds them, in item order 23..29.
    std::array<std::uint16_t, 7> SimColors() const {
        std::array<std::uint16_t, 7> values{};
        for (int i = 0; i < 7; ++i)
            values[i] = sim.Value(23 + i);
        return values;
    }

    static constexpr const char* kPath = "/dev/qelt32-sim";

    CTempProfile profile;
    CRecordingMessages messages;
    CSimMonitor sim;
    CLoopbackPort port;
    CMonitor monitor;
};
