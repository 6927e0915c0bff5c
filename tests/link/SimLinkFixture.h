#pragma once

#include "CountingNotice.h"
#include "NotifyRecorder.h"
#include "RecordingMessages.h"
#include "TempProfile.h"

#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "sim/SimServer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

// The controller and its real serial port against the simulated monitor served on a
// pseudo-terminal, reached through a link of its own (a freed /dev/pts/N is soon reused).
class SimLinkFixture : public ::testing::Test {
protected:
    explicit SimLinkFixture(bool paced = false, const QString& profile = QStringLiteral("revC"))
        : server(*SimProfile::ByName(profile),
                 CSimServer::Options{paced, linkDir.filePath(QStringLiteral("monitor"))}) {}

    void SetUp() override {
        ASSERT_TRUE(server.Start()) << qPrintable(server.Error());
        PortMap().SetOnly(server.Path());
        monitor.SetTimings({std::chrono::milliseconds(150), std::chrono::milliseconds(0),
                            std::chrono::milliseconds(0)});
        monitor.SetNotifyWindow(&notified);
        monitor.SetAutoSizeNotice(&notice);
    }
    void TearDown() override { PortMap() = CPortMap(); }

    // Finds the monitor and reads every group, as start-up does.
    bool Start() {
        if (!monitor.Connect() || !monitor.ReadBrightContrast() || !monitor.ReadGeometry() ||
            !monitor.ReadConvergence() || !monitor.ReadColor() || !monitor.ReadModes())
            return false;
        monitor.CommitAllGroups();
        return true;
    }
    CSimMonitor& Sim() { return server.Monitor(); }
    // Every available item of the cache agrees with the monitor, once the monitor has taken
    // what is still on the line (a set-value has no reply; a query's reply comes after it).
    void ExpectCacheMatchesTheMonitor() {
        if (monitor.IsPortOpen())
            monitor.QueryTiming(nullptr, nullptr);
        for (int item = 0; item < Items::kCount; ++item) {
            if (!monitor.IsAvailable(item))
                continue;
            EXPECT_EQ(monitor.Item(item).current, Sim().Value(item)) << "item " << item;
        }
    }

    QTemporaryDir linkDir;
    CRecordingMessages messages;
    CTempProfile profile;
    CNotifyRecorder notified;
    CCountingNotice notice;
    CSimServer server;
    CMonitor monitor;
};
