// What moving to another device asks before anything changes: another serial number, the
// changed monitor left behind, a model the windows are not made for. Every refusal leaves
// the monitor in use as it was and says why.

#include "RecordingMessages.h"
#include "TempProfile.h"

#include "app/PortSwitch.h"
#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "platform/StringTable.h"
#include "sim/SimServer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {
constexpr int kHSize = 2;

class PortSwitchFlowTest : public ::testing::Test {
protected:
    PortSwitchFlowTest()
        : inUse(*SimProfile::ByName(QStringLiteral("revB")),
                CSimServer::Options{false, dir.filePath(QStringLiteral("in-use"))}) {}
    void SetUp() override {
        ASSERT_TRUE(inUse.Start());
        PortMap().SetOnly(inUse.Path());
        monitor.SetTimings({150ms, 0ms, 0ms});
        ASSERT_TRUE(monitor.Connect() && monitor.ReadAll());
        messages.Clear();
    }
    void TearDown() override { PortMap() = CPortMap(); }
    // A monitor of `profile` behind a link of its own.
    std::unique_ptr<CSimServer> Another(const QString& profile) {
        auto server = std::make_unique<CSimServer>(
            *SimProfile::ByName(profile), CSimServer::Options{false, dir.filePath(profile)});
        EXPECT_TRUE(server->Start());
        return server;
    }
    void ExpectStillOnTheMonitorInUse() {
        EXPECT_EQ(monitor.DevicePath(), inUse.Path());
        EXPECT_EQ(monitor.GetSerialNumber(), inUse.Monitor().Profile().serial);
        EXPECT_TRUE(monitor.WriteItem(kHSize, 99));
        EXPECT_TRUE(monitor.ReadItem(kHSize));
        EXPECT_EQ(inUse.Monitor().Value(kHSize), 99);
    }

    QTemporaryDir dir;
    CTempProfile profile;
    CRecordingMessages messages;
    CSimServer inUse;
    CMonitor monitor;
};
} // namespace

TEST_F(PortSwitchFlowTest, AnotherSerialNumberIsTakenOnlyWhenTheUserSaysSo) {
    const auto other = Another(QStringLiteral("revB15"));
    messages.reply = MsgResult::No;
    EXPECT_FALSE(SwitchPort(monitor, other->Path(), [] { return true; }));
    EXPECT_EQ(messages.shown, std::vector<int>{Str::OtherMonitor});
    EXPECT_EQ(messages.args.front(), QString::number(other->Monitor().Profile().serial));
    ExpectStillOnTheMonitorInUse();

    messages.reply = MsgResult::Yes;
    EXPECT_TRUE(SwitchPort(monitor, other->Path(), [] { return true; }));
    EXPECT_EQ(monitor.GetSerialNumber(), other->Monitor().Profile().serial);
}

TEST_F(PortSwitchFlowTest, LeavingTheMonitorInUseCanBeCancelledAndIsAskedOnlyOnceAnAnswerCame) {
    const auto same = Another(QStringLiteral("revB"));
    int asked = 0;
    auto cancel = [&] {
        ++asked;
        return false;
    };
    same->Monitor().DropReplies(1);
    EXPECT_FALSE(SwitchPort(monitor, same->Path(), cancel));
    EXPECT_EQ(asked, 0) << "nothing to leave for";
    EXPECT_EQ(messages.shown, std::vector<int>{Str::PortNotSwitched});
    EXPECT_TRUE(messages.args.front().contains(QStringLiteral("no monitor answered")));
    EXPECT_FALSE(SwitchPort(monitor, same->Path(), cancel));
    EXPECT_EQ(asked, 1);
    ExpectStillOnTheMonitorInUse();
}

TEST_F(PortSwitchFlowTest, AnotherModelIsRefusedAndTheDeviceInUseIsNotOpenedTwice) {
    const auto otherModel = Another(QStringLiteral("revC"));
    EXPECT_FALSE(SwitchPort(monitor, otherModel->Path(), [] { return true; }));
    EXPECT_EQ(messages.shown, std::vector<int>{Str::OtherModel});
    EXPECT_EQ(messages.args.front(), QStringLiteral("VR-21C"));
    messages.Clear();
    EXPECT_TRUE(SwitchPort(monitor, inUse.Path(), [] { return true; }));
    EXPECT_TRUE(messages.shown.empty()) << "the device in use is not refused as busy";
    ExpectStillOnTheMonitorInUse();
}
