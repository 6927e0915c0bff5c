#pragma once

#include "LoopbackMonitor.h"

#include <gtest/gtest.h>

// A controller connected to a simulated monitor in the same process, every group read and
// committed as at start-up, with the profile in a temporary folder and messages recorded.
class CSimMonitorFixture : public CLoopbackMonitor {
public:
    // fH in kHz and fV in Hz as the controller will report them.
    explicit CSimMonitorFixture(const QString& profileName = "revC", std::uint16_t fH = 68,
                                std::uint16_t fV = 85)
        : CLoopbackMonitor(MakeProfile(profileName, fH, fV), kPath) {
        connected = ReadAsAtStartUp();
        sim.ClearRequestLog();
        messages.Clear();
    }

    // Set-value frames the monitor received since the last ClearRequestLog.
    int SetValueFrames() const { return Requests(0x03); }

    static inline const QString kPath = "loop:doc";
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
