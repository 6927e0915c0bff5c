#pragma once

#include "RecordingMessages.h"
#include "TempProfile.h"
#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "sim/LoopbackPort.h"
#include "sim/SimMonitor.h"

#include <cstdint>
#include <initializer_list>

// A controller wired in-process to a simulated monitor that sits at `path`, the only port,
// with the profile in a temporary folder and messages recorded. Tests using it link
// qelt32_link and qelt32_sim.
class CLoopbackMonitor {
public:
    CLoopbackMonitor(const SimProfile& simProfile, const QString& path) : sim(simProfile) {
        port.Attach(path, &sim);
        PortMap().SetOnly(path);
        monitor.SetSerialPort(&port);
    }
    ~CLoopbackMonitor() { PortMap() = CPortMap(); }
    CLoopbackMonitor(const CLoopbackMonitor&) = delete;
    CLoopbackMonitor& operator=(const CLoopbackMonitor&) = delete;

    // Connects and reads every group as start-up does (the colour-temperature table too
    // when asked), then keeps what was read as the stored values. Commits even after a
    // failed read, so a test sees the state start-up would leave.
    bool ReadAsAtStartUp(bool colorTempTable = false) {
        const bool ok = monitor.Connect() && monitor.ReadModes() && monitor.ReadGeometry() &&
                        monitor.ReadConvergence() && monitor.ReadColor() &&
                        monitor.ReadBrightContrast() &&
                        (!colorTempTable || monitor.ReadColorTempTable());
        monitor.CommitAllGroups();
        return ok;
    }

    // Frames with this command the monitor received since the last ClearRequestLog.
    int Requests(std::uint8_t command) const {
        int n = 0;
        for (const SimRequest& request : sim.RequestLog())
            n += request.command == command;
        return n;
    }
    // Set-value frames the monitor has received for these items.
    int SetValues(std::initializer_list<int> items) const {
        int total = 0;
        for (int item : items)
            total += sim.SetValueCount(item);
        return total;
    }

    CTempProfile profile;
    CRecordingMessages messages;
    CSimMonitor sim;
    CLoopbackPort port;
    CMonitor monitor;
};
