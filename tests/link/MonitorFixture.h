#pragma once

#include "FakeMonitor.h"
#include "NotifyRecorder.h"
#include "ScriptedPort.h"

#include "RecordingMessages.h"
#include "TempProfile.h"
#include "link/Monitor.h"
#include "platform/PortMap.h"

#include <gtest/gtest.h>

// A controller on a scripted port with a fake monitor behind it, every item available at
// 100 of 255, four port slots /dev/m0../dev/m3.
class MonitorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        PortMap().SetAll({"/dev/m0", "/dev/m1", "/dev/m2", "/dev/m3"});
        for (int item = 0; item < Items::kCount; ++item)
            fake[Items::Info(item).code].value = 100;
        monitor.SetSerialPort(&port);
        monitor.SetTimings({std::chrono::milliseconds(40), {}, {}});
        monitor.SetNotifyWindow(&notified);
    }
    void TearDown() override { PortMap() = CPortMap(); }

    // Connects and reads and commits every group, as start-up does.
    void Start() {
        ASSERT_TRUE(monitor.Connect());
        ASSERT_TRUE(monitor.ReadBrightContrast() && monitor.ReadGeometry() &&
                    monitor.ReadConvergence() && monitor.ReadColor() && monitor.ReadModes());
        monitor.CommitAllGroups();
        port.ClearWritten();
        fake.sets.clear();
        fake.queried.clear();
    }
    std::uint16_t Current(int item) const { return monitor.Item(item).current; }

    CRecordingMessages messages;
    CTempProfile profile;
    CNotifyRecorder notified;
    CScriptedPort port;
    CFakeMonitor fake{port};
    CMonitor monitor;
};
