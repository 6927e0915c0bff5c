#pragma once

#include "RecordingMessages.h"
#include "TempProfile.h"
#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "sim/LoopbackPort.h"
#include "sim/SimMonitor.h"

#include <gtest/gtest.h>

// A controller connected to a simulated monitor in the same process, every group read and
// committed as at start-up, with the profile in a temporary folder and messages recorded.
class CSimMonitorFixture {
public:
    // fH in kHz and fV in Hz as the controller will report them.
    explicit CSimMonitorFixture(const QString& profileName = "revC", std::uint16_t fH = 68,
                                std::uint16_t fV = 85)
        : sim(MakeProfile(profileName, fH, fV)) {
        port.Attach(kPath, &sim);
        PortMap().SetOnly(kPath);
        monitor.SetSerialPort(&port);
        connected = monitor.Connect() && monitor.ReadModes() && monitor.ReadGeometry() &&
                    monitor.ReadConvergence() && monitor.ReadColor() &&
                    monitor.ReadBrightContrast();
        monitor.CommitGeometry();
        monitor.CommitConvergence();
        monitor.CommitColor();
        monitor.CommitBrightContrast();
        monitor.CommitModes();
        sim.ClearRequestLog();
        messages.Clear();
    }
    ~CSimMonitorFixture() { PortMap() = CPortMap(); }

    // Set-value frames the monitor received since the last ClearRequestLog.
    int SetValueFrames() const {
        int n = 0;
        for (const SimRequest& request : sim.RequestLog())
            n += request.command == 0x03;
        return n;
    }

    static inline const QString kPath = "loop:doc";
    CTempProfile profile;
    CRecordingMessages messages;
    CSimMonitor sim;
    CLoopbackPort port;
    CMonitor monitor;
    bool connected = false;

private:
    static SimProfile MakeProfile(const QString& name, std::uint16_t fH, std::uint16_t fV) {
        SimProfile p = *SimProfile::ByName(name);
        const int scale = p.revision == 'B' ? 1 : 100; // revision C reports hundredths
        p.fH = std::uint16_t(fH * scale);
        p.fV = std::uint16_t(fV * scale);
        return p;
    }
};
