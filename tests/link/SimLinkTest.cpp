// The controller and its real serial port against the simulated monitor on a
// pseudo-terminal, with the faults a cable and a monitor can have.

#include "EventLoop.h"
#include "SimLinkFixture.h"

#include "platform/StringTable.h"

#include <atomic>

using namespace std::chrono_literals;

namespace {
constexpr int kHSize = 2;

using SimLinkTest = SimLinkFixture;

class PacedSimLinkTest : public SimLinkFixture {
protected:
    PacedSimLinkTest() : SimLinkFixture(true) {}
};
} // namespace

TEST_F(SimLinkTest, StartUpFillsTheCacheFromTheMonitor) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(monitor.GetSerialNumber(), Sim().Profile().serial);
    EXPECT_EQ(monitor.GetProtocolRevision(), 1);
    std::uint16_t fH = 0, fV = 0;
    monitor.GetTiming(&fH, &fV);
    EXPECT_EQ(fH, Sim().TimingH() / 100);
    EXPECT_EQ(fV, Sim().TimingV() / 100);
    for (int item = 0; item < Items::kCount; ++item) {
        EXPECT_EQ(monitor.Item(item).status, Sim().Status(item)) << "item " << item;
        if (monitor.IsAvailable(item)) {
            EXPECT_EQ(monitor.Item(item).maximum, Sim().Maximum(item)) << "item " << item;
        }
    }
    ExpectCacheMatchesTheMonitor();
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SimLinkTest, WritesReachTheMonitorWithTheirRamp) {
    ASSERT_TRUE(Start());
    const std::uint16_t from = Sim().Value(kHSize);
    const std::uint16_t to = from > 30 ? from - 23 : from + 23;
    ASSERT_TRUE(monitor.WriteItem(kHSize, to));
    EXPECT_EQ(Sim().Value(kHSize), to);
    EXPECT_EQ(Sim().SetValueCount(kHSize), 5) << "four steps of 5, then the target";
    ASSERT_TRUE(monitor.SetPowerSaveMode(1));
    const std::uint16_t word = monitor.Item(Items::ModeWord).current;
    ASSERT_TRUE(monitor.ReadModes()) << "a mode write has no read-back; read it here";
    EXPECT_EQ(monitor.Item(Items::ModeWord).current, word);
    EXPECT_EQ(monitor.GetPowerSaveMode(), 1);
    ExpectCacheMatchesTheMonitor();
}

TEST_F(SimLinkTest, NoiseBadChecksumsAndSingleDropsAreRiddenOut) {
    ASSERT_TRUE(Start());
    Sim().InjectNoise(40);
    EXPECT_TRUE(monitor.ReadGeometry());
    Sim().CorruptNextChecksum();
    EXPECT_TRUE(monitor.ReadItem(kHSize));
    Sim().DropReplies(2);
    EXPECT_TRUE(monitor.ReadItem(kHSize));
    EXPECT_TRUE(messages.shown.empty());
    ExpectCacheMatchesTheMonitor();
}

TEST_F(SimLinkTest, ThreeDroppedRepliesFailTheReadAndKeepTheCache) {
    ASSERT_TRUE(Start());
    const std::uint16_t before = monitor.Item(kHSize).current;
    Sim().DropReplies(3);
    EXPECT_FALSE(monitor.ReadItem(kHSize));
    EXPECT_EQ(messages.shown, std::vector<int>{Str::CommFailure});
    EXPECT_EQ(monitor.Item(kHSize).current, before);
}

TEST_F(SimLinkTest, ValueThatDoesNotStickFailsWithTheMonitorsValueCached) {
    ASSERT_TRUE(Start());
    for (SimStick stick : {SimStick::KeepsOld, SimStick::ReportsOther}) {
        messages.Clear();
        Sim().SetStick(kHSize, stick);
        const std::uint16_t target = monitor.Item(kHSize).current == 40 ? 44 : 40;
        EXPECT_FALSE(monitor.WriteItem(kHSize, target));
        EXPECT_EQ(messages.shown, std::vector<int>{Str::CommFailure});
        EXPECT_EQ(monitor.Item(kHSize).current, Sim().Value(kHSize));
    }
    Sim().SetStick(kHSize, SimStick::Sticks);
    EXPECT_TRUE(monitor.WriteItem(kHSize, 50));
    EXPECT_EQ(Sim().Value(kHSize), 50);
}

TEST_F(SimLinkTest, PulledCableFailsEveryOperationWithoutHanging) {
    ASSERT_TRUE(Start());
    // Connected before the watcher starts: it emits on its own thread.
    std::atomic<int> failures = 0;
    QObject::connect(&monitor, &CMonicom::portFailed, [&] { ++failures; });
    ASSERT_TRUE(monitor.CreateWindow());
    monitor.SetTimings({10s, 0ms, 0ms});
    Sim().PullCable();
    EXPECT_TRUE(ProcessUntil([&] { return failures == 1; })) << "the watcher ends and says so";
    const std::uint16_t before = monitor.Item(kHSize).current;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(monitor.WriteItem(kHSize, 60));
    EXPECT_FALSE(monitor.ReadGeometry());
    EXPECT_FALSE(monitor.Degauss());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << "no reply wait is waited out";
    EXPECT_EQ(messages.shown, (std::vector<int>{Str::CommFailure, Str::CommFailure}));
    EXPECT_EQ(monitor.Item(kHSize).current, before) << "nothing reached the monitor";
}

TEST_F(SimLinkTest, FrontPanelChangeReachesTheWindowThroughTheWatcher) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(monitor.CreateWindow());
    ASSERT_TRUE(Sim().PanelChange(kHSize, 77));
    ASSERT_TRUE(ProcessUntil([&] { return !notified.received.empty(); }));
    EXPECT_EQ(notified.received.front(), std::make_pair(kHSize, 77));
    EXPECT_EQ(monitor.Item(kHSize).current, 77);
    monitor.StopWatcher();
}

TEST_F(SimLinkTest, TimingChangeAndDisplayChangeRunTheNoticeOnce) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(monitor.CreateWindow());
    monitor.OnDisplayChange();
    Sim().TimingChange(6400, 8500, 0);
    ASSERT_TRUE(ProcessUntil([&] { return !notified.received.empty(); }));
    EXPECT_EQ(notified.received.front(), std::make_pair(78, 0));
    EXPECT_EQ(notice.runs, 1);
    EXPECT_EQ(Sim().AutoSizeCount(), 1);
    std::uint16_t fH = 0, fV = 0;
    monitor.GetTiming(&fH, &fV);
    EXPECT_EQ(fH, 64);
    EXPECT_EQ(fV, 85);
    ExpectCacheMatchesTheMonitor();
    monitor.StopWatcher();
}

TEST_F(PacedSimLinkTest, PacedLineGivesTheSameResults) {
    ASSERT_TRUE(monitor.Connect());
    ASSERT_TRUE(monitor.ReadGeometry());
    const std::uint16_t from = monitor.Item(kHSize).current;
    ASSERT_TRUE(monitor.WriteItem(kHSize, from > 20 ? from - 12 : from + 12));
    EXPECT_EQ(Sim().Value(kHSize), monitor.Item(kHSize).current);
    EXPECT_TRUE(messages.shown.empty());
}
