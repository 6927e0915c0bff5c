#include "MonitorFixture.h"

#include "platform/Profile.h"
#include "platform/StringTable.h"

using Bytes = std::vector<std::uint8_t>;
using Values = std::vector<std::uint16_t>;

namespace {
constexpr std::uint8_t kHSize = 0x1A;
constexpr int kVConvTop = 20, kVConvBottom = 21;
} // namespace

// --- connecting ---

TEST_F(MonitorFixture, ProbeStartsAtTheStoredPortThenTakesTheOthersInOrder) {
    Profile::WriteInt("Settings", "com", 2);
    port.devices = {"/dev/m1"};
    ASSERT_TRUE(monitor.Connect());
    EXPECT_EQ(port.opened, (std::vector<QString>{"/dev/m2", "/dev/m0", "/dev/m1"}));
    EXPECT_EQ(monitor.GetPortIndex(), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MonitorFixture, StoredPortOutsideTheFourIsNeverOpened) {
    Profile::WriteInt("Settings", "com", 7);
    fake.silent = true;
    EXPECT_FALSE(monitor.Connect());
    EXPECT_EQ(port.opened, (std::vector<QString>{"/dev/m0", "/dev/m1", "/dev/m2", "/dev/m3"}));
    EXPECT_EQ(messages.shown, std::vector<int>{Str::NoMonitor});
}

TEST_F(MonitorFixture, FlatPanelIsRefusedAndThenNoMonitorIsReported) {
    port.devices = {"/dev/m0"};
    fake.model = "LQ-150  ";
    EXPECT_FALSE(monitor.Connect());
    EXPECT_EQ(messages.shown, (std::vector<int>{Str::FlatPanel, Str::NoMonitor}));
}

TEST_F(MonitorFixture, PortIndexIsKeptForTheNextRun) {
    port.devices = {"/dev/m3"};
    {
        CMonitor second;
        second.SetSerialPort(&port);
        second.SetTimings(monitor.Timings());
        ASSERT_TRUE(second.Connect());
    }
    EXPECT_EQ(Profile::GetInt("Settings", "com", -1), 3);
}

TEST_F(MonitorFixture, IdentityAccessors) {
    fake.revision = "B";
    fake.model = "TR-5513 ";
    fake.serial = 4000000000u;
    Start();
    EXPECT_EQ(monitor.GetProtocolRevision(), 0);
    EXPECT_EQ(monitor.GetModelIndex(), 1);
    EXPECT_TRUE(monitor.IsNotThirdModel());
    EXPECT_EQ(monitor.GetModelName(), "TR-5513");
    EXPECT_EQ(monitor.GetMakerName(), "VORKA");
    EXPECT_EQ(monitor.GetSerialNumber(), 4000000000u);
    EXPECT_EQ(monitor.GetSerialText(), "4000000000");
}

TEST_F(MonitorFixture, ModelAndRevisionMatchOnlyExactly) {
    fake.revision = "D";
    fake.model = "TR-3306X";
    Start();
    EXPECT_EQ(monitor.GetProtocolRevision(), 0xFF);
    EXPECT_EQ(monitor.GetModelIndex(), 0xFF);
    EXPECT_TRUE(monitor.IsNotThirdModel());
    EXPECT_EQ(monitor.GetModelName(), "TR-3306X") << "no blank: the whole field";
}

TEST_F(MonitorFixture, RevisionCTimingIsScaledToKilohertzAndHertz) {
    Start();
    std::uint16_t fH = 0, fV = 0;
    monitor.GetTiming(&fH, &fV);
    EXPECT_EQ(fH, 68);
    EXPECT_EQ(fV, 75);

    fake.revision = "B";
    fake.fH = 68;
    fake.fV = 75;
    monitor.ClosePort();
    Start();
    monitor.GetTiming(&fH, &fV);
    EXPECT_EQ(fH, 68);
    EXPECT_EQ(fV, 75);
}

// --- reading ---

TEST_F(MonitorFixture, GroupReadStopsAtTheFirstItemThatNeverAnswers) {
    Start();
    fake.items.erase(0x10); // item 5
    fake[0x1E].value = 42;  // item 6, after it
    EXPECT_FALSE(monitor.ReadGeometry());
    EXPECT_EQ(messages.shown, std::vector<int>{Str::CommFailure});
    EXPECT_EQ(std::count(fake.queried.begin(), fake.queried.end(), 0x10), 3);
    EXPECT_EQ(std::count(fake.queried.begin(), fake.queried.end(), 0x1E), 0);
    EXPECT_EQ(Current(6), 100);
}

TEST_F(MonitorFixture, GroupReadsSetTheRampOriginExceptForModes) {
    Start();
    fake[kHSize].value = 150;
    fake[0xF4].value = 7;
    ASSERT_TRUE(monitor.ReadGeometry());
    ASSERT_TRUE(monitor.ReadModes());
    EXPECT_EQ(monitor.Item(2).device, 150);
    EXPECT_EQ(monitor.Item(32).current, 7);
    EXPECT_EQ(monitor.Item(32).device, 0);
    ASSERT_TRUE(monitor.ReadItem(2));
    fake[kHSize].value = 160;
    ASSERT_TRUE(monitor.ReadItem(2));
    EXPECT_EQ(monitor.Item(2).device, 150) << "a single read leaves the ramp origin";
}

TEST_F(MonitorFixture, TR5513CannotAdjustTopAndBottomConvergence) {
    fake.model = "TR-5513 ";
    Start();
    EXPECT_FALSE(monitor.IsAvailable(kVConvTop));
    EXPECT_FALSE(monitor.IsAvailable(kVConvBottom));
    EXPECT_TRUE(monitor.IsAvailable(22));
    EXPECT_TRUE(monitor.WriteItem(kVConvTop, 50));
    EXPECT_TRUE(fake.sets.empty());
}

TEST_F(MonitorFixture, OtherModelsKeepTheirConvergenceItems) {
    Start();
    EXPECT_TRUE(monitor.IsAvailable(kVConvTop));
    EXPECT_TRUE(monitor.IsAvailable(kVConvBottom));
}

// --- writing ---

TEST_F(MonitorFixture, WrittenChangeRampsSendsAndReadsBack) {
    Start();
    ASSERT_TRUE(monitor.WriteItem(2, 112));
    EXPECT_EQ(port.Written(),
              (std::vector<Bytes>{
                  {0x55, 0x55, 0x6E, 0x50, 0x84, 0x03, 0x1A, 0x00, 0x69, 0xCA, 0xAA, 0xAA},
                  {0x55, 0x55, 0x6E, 0x50, 0x84, 0x03, 0x1A, 0x00, 0x6E, 0xCD, 0xAA, 0xAA},
                  {0x55, 0x55, 0x6E, 0x50, 0x84, 0x03, 0x1A, 0x00, 0x70, 0xD3, 0xAA, 0xAA},
                  {0x55, 0x55, 0x6E, 0x50, 0x82, 0x01, 0x1A, 0xA7, 0xAA, 0xAA}}));
    EXPECT_EQ(Current(2), 112);
    EXPECT_EQ(monitor.Item(2).device, 112);
    EXPECT_TRUE(notified.received.empty()) << "the caller updates its own controls";
}

TEST_F(MonitorFixture, RampStepsFiveAtATimeBothWays) {
    fake[kHSize].value = 10;
    Start();
    ASSERT_TRUE(monitor.WriteItem(2, 27));
    EXPECT_EQ(fake.SetsOf(kHSize), (Values{15, 20, 25, 27}));
    fake.sets.clear();
    ASSERT_TRUE(monitor.WriteItem(2, 10));
    EXPECT_EQ(fake.SetsOf(kHSize), (Values{22, 17, 12, 10}));
    fake.sets.clear();
    ASSERT_TRUE(monitor.WriteItem(2, 15));
    EXPECT_EQ(fake.SetsOf(kHSize), (Values{15})) << "a change of 5 goes at once";
}

TEST_F(MonitorFixture, ValueAboveTheMaximumWritesTheMaximum) {
    fake[kHSize].maximum = 103;
    Start();
    ASSERT_TRUE(monitor.WriteItem(2, 60000));
    EXPECT_EQ(fake.SetsOf(kHSize), (Values{103}));
    EXPECT_EQ(Current(2), 103);
}

TEST_F(MonitorFixture, UnavailableItemsSucceedWithoutTraffic) {
    fake[kHSize].status = 1;
    fake[0xF4].status = 1;
    Start();
    EXPECT_TRUE(monitor.WriteItem(2, 50));
    EXPECT_TRUE(monitor.WriteItem(32, 3));
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(MonitorFixture, ValueThatDoesNotStickIsSentAgainThenFails) {
    Start();
    fake[kHSize].sticks = false;
    EXPECT_FALSE(monitor.WriteItem(2, 112));
    EXPECT_EQ(fake.SetsOf(kHSize), (Values{105, 110, 112, 112, 112}))
        << "every retry carries the target, not the value read back, and none follows the "
           "last read-back";
    EXPECT_EQ(std::count(fake.queried.begin(), fake.queried.end(), kHSize), 3);
    EXPECT_EQ(messages.shown, std::vector<int>{Str::CommFailure});
    EXPECT_EQ(Current(2), 100) << "the cache holds what the monitor reports";

    fake[kHSize].sticks = true;
    fake.sets.clear();
    ASSERT_TRUE(monitor.WriteItem(2, 103));
    EXPECT_EQ(fake.SetsOf(kHSize), (Values{103})) << "ramping starts from the monitor's value";
}

TEST_F(MonitorFixture, FailedWriteLeavesTheCacheAtWhatTheMonitorLastTook) {
    Start();
    // A monitor that no longer answers: the target went out, nothing came back.
    fake.items.erase(kHSize);
    EXPECT_FALSE(monitor.WriteItem(2, 112));
    EXPECT_EQ(fake.SetsOf(kHSize), (Values{105, 110, 112, 112, 112}));
    EXPECT_EQ(Current(2), 112);
    EXPECT_EQ(monitor.Item(2).device, 112);

    // A line that takes nothing: the ramp's first step never left, so nothing changed.
    fake.sets.clear();
    port.failWrites = 4;
    EXPECT_FALSE(monitor.WriteItem(3, 130));
    EXPECT_TRUE(fake.sets.empty());
    EXPECT_EQ(Current(3), 100);
    EXPECT_EQ(monitor.Item(3).device, 100);
    port.failWrites = 4;
    EXPECT_FALSE(monitor.WriteItem(Items::Interval, 3));
    EXPECT_EQ(Current(Items::Interval), 100);
    ASSERT_TRUE(monitor.WriteItem(3, 103));
    EXPECT_EQ(fake.SetsOf(0x18), (Values{103})) << "the next write ramps from the monitor's value";
}

TEST_F(MonitorFixture, MonitorSlowToTakeAValuePassesOnARetry) {
    Start();
    fake[kHSize].reports = {100}; // the first read-back still shows the old value
    ASSERT_TRUE(monitor.WriteItem(2, 104));
    EXPECT_EQ(fake.SetsOf(kHSize), (Values{104, 104}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MonitorFixture, PulledCableFailsAWriteWithOneMessage) {
    Start();
    port.Fail();
    EXPECT_FALSE(monitor.WriteItem(2, 112));
    EXPECT_EQ(messages.shown, std::vector<int>{Str::CommFailure});
    EXPECT_EQ(Current(2), 100) << "the ramp's first step never left: nothing changed";
    EXPECT_EQ(monitor.Item(2).device, 100);
}

TEST_F(MonitorFixture, ModeItemsAreSentAsTheyAreWithoutReadBack) {
    Start();
    ASSERT_TRUE(monitor.WriteItem(32, 300));
    EXPECT_EQ(fake.SetsOf(0xF4), (Values{300})) << "no ramp and no clamp";
    EXPECT_TRUE(fake.queried.empty());
    EXPECT_EQ(monitor.Item(32).device, 300);

    ASSERT_TRUE(monitor.WriteItem(31, 100));
    EXPECT_TRUE(fake.SetsOf(0xF2).empty()) << "the colour mode already is 100";
    ASSERT_TRUE(monitor.WriteItem(30, 100));
    EXPECT_EQ(fake.SetsOf(0xF0), (Values{100})) << "the mode word is always sent";
}

TEST_F(MonitorFixture, AdjustItemsStepsOneOrTwoItems) {
    Start();
    ASSERT_TRUE(monitor.AdjustItems(2, 3, 3, -4, true));
    EXPECT_EQ(Current(2), 103);
    EXPECT_EQ(Current(3), 96);
    ASSERT_TRUE(monitor.AdjustItems(4, -100, 0, 0, false));
    EXPECT_EQ(Current(4), 0);
    EXPECT_EQ(messages.beeps, 0);
}

TEST_F(MonitorFixture, AdjustItemsAtTheEdgeBeepsAndMovesNeither) {
    fake[0x12].maximum = 101; // item 4
    Start();
    EXPECT_FALSE(monitor.AdjustItems(2, 1, 4, 2, true));
    EXPECT_FALSE(monitor.AdjustItems(5, -101, 2, 0, false));
    EXPECT_EQ(messages.beeps, 2);
    EXPECT_TRUE(port.Written().empty());
    EXPECT_EQ(Current(2), 100);
    EXPECT_TRUE(monitor.AdjustItems(2, 1, 4, 1, true)) << "exactly the maximum is allowed";
}

// --- snapshots ---

TEST_F(MonitorFixture, CommitMarkRevertAndRestore) {
    Start();
    EXPECT_FALSE(monitor.IsModified());
    monitor.MarkGeometry();
    ASSERT_TRUE(monitor.WriteItem(2, 110));
    ASSERT_TRUE(monitor.WriteItem(3, 90));
    EXPECT_TRUE(monitor.IsModified());
    ASSERT_TRUE(monitor.RevertGeometry());
    EXPECT_EQ(Current(2), 100);
    EXPECT_EQ(Current(3), 100);
    EXPECT_FALSE(monitor.IsModified());

    ASSERT_TRUE(monitor.WriteItem(0, 120));
    monitor.CommitItem(0);
    ASSERT_TRUE(monitor.WriteItem(1, 120));
    EXPECT_TRUE(monitor.IsModified());
    fake.sets.clear();
    ASSERT_TRUE(monitor.RestoreBrightContrast());
    EXPECT_TRUE(fake.SetsOf(0x02).empty()) << "an item equal to its snapshot is not written";
    EXPECT_EQ(Current(1), 100);
    EXPECT_FALSE(monitor.IsModified());
}

TEST_F(MonitorFixture, CommittingAllGroupsTakesTheChangesOfEveryGroupAsStored) {
    Start();
    for (Items::Group group : {Items::Group::BrightContrast, Items::Group::Geometry,
                               Items::Group::Convergence, Items::Group::Color}) {
        const int item = Items::First(group);
        ASSERT_TRUE(monitor.WriteItem(item, Current(item) > 0 ? Current(item) - 1 : 1)) << item;
    }
    EXPECT_TRUE(monitor.IsModified());
    monitor.CommitAllGroups();
    EXPECT_FALSE(monitor.IsModified());
}

TEST_F(MonitorFixture, RestoreGivesUpAfterThreeFailedWrites) {
    Start();
    ASSERT_TRUE(monitor.WriteItem(2, 110));
    fake[kHSize].sticks = false;
    messages.Clear();
    EXPECT_FALSE(monitor.RestoreGeometry());
    // Each of the three writes reports its own failure, then the restore its own.
    EXPECT_EQ(messages.Count(Str::CommFailure), 4);
    EXPECT_TRUE(fake.SetsOf(0x18).empty()) << "later items are not restored";
}

TEST_F(MonitorFixture, RestoreModesNeverTriggersAutoSizingAndRespectsPresets) {
    fake[0xF0].value = 0; // stored colour: a preset (bit 13 clear)
    fake.revision = "C";
    Start();
    ASSERT_TRUE(monitor.WriteItem(33, 1));
    ASSERT_TRUE(monitor.WriteItem(34, 5));
    fake.sets.clear();
    ASSERT_TRUE(monitor.RestoreModes());
    EXPECT_TRUE(fake.SetsOf(0xF8).empty());
    EXPECT_EQ(fake.SetsOf(0xFA), (Values{100}));

    monitor.CommitColorCustom(true);
    ASSERT_TRUE(monitor.WriteItem(34, 5));
    fake.sets.clear();
    ASSERT_TRUE(monitor.RestoreModes());
    EXPECT_TRUE(fake.SetsOf(0xFA).empty()) << "a custom stored colour leaves the preset";
}

TEST_F(MonitorFixture, MarkedFlagsAreWrittenBack) {
    fake[0xF0].value = ModeBits::HMoire | ModeBits::Mode1Delay;
    Start();
    monitor.MarkFlag(0);
    monitor.MarkFlag(1);
    monitor.MarkFlag(2);
    ASSERT_TRUE(monitor.SetHMoireOn(false));
    ASSERT_TRUE(monitor.SetMode1Delay(0));
    ASSERT_TRUE(monitor.SetVMoireOn(true));
    ASSERT_TRUE(monitor.RevertFlag(0) && monitor.RevertFlag(1) && monitor.RevertFlag(2));
    EXPECT_EQ(Current(30), ModeBits::HMoire | ModeBits::Mode1Delay);
    EXPECT_FALSE(monitor.RevertFlag(3));
}

// --- commands ---

TEST_F(MonitorFixture, CommandsSendTheirFrames) {
    Start();
    ASSERT_TRUE(monitor.Degauss());
    EXPECT_EQ(fake.SetsOf(0x00), (Values{0}));
    fake[kHSize].value = 140;
    ASSERT_TRUE(monitor.AutoSize());
    EXPECT_EQ(fake.SetsOf(0xF8), (Values{0}));
    EXPECT_EQ(Current(2), 140) << "the geometry is read after sizing";

    ASSERT_TRUE(monitor.WriteItem(0, 120));
    ASSERT_TRUE(monitor.StoreInMemory(false));
    EXPECT_TRUE(monitor.IsModified());
    ASSERT_TRUE(monitor.StoreInMemory(true));
    EXPECT_FALSE(monitor.IsModified());
    EXPECT_EQ(port.Written().back(), (Bytes{0x55, 0x55, 0x6E, 0x50, 0x81, 0x0C, 0xB3, 0xAA, 0xAA}));
}

TEST_F(MonitorFixture, ResetAllReadsEverythingAndNotifiesFourItems) {
    Start();
    fake[0x02].value = 7;
    fake[0xF0].value = 9;
    ASSERT_TRUE(monitor.ResetGroup(0));
    EXPECT_EQ(port.Written().at(0)[5], 0x09);
    EXPECT_EQ(notified.received,
              (std::vector<std::pair<int, int>>{{30, 9}, {0, 7}, {1, 100}, {23, 100}}));
    EXPECT_TRUE(monitor.IsModified()) << "snapshots are left alone";
}

TEST_F(MonitorFixture, GroupResetsReadTheirGroups) {
    Start();
    const std::pair<int, std::uint8_t> resets[] = {{1, 0x0A}, {2, 0x50}, {3, 0x0B}};
    for (const auto& [group, command] : resets) {
        port.ClearWritten();
        ASSERT_TRUE(monitor.ResetGroup(group));
        EXPECT_EQ(port.Written().at(0)[5], command);
    }
    EXPECT_EQ(notified.received, (std::vector<std::pair<int, int>>{{23, 100}}));
    EXPECT_FALSE(monitor.ResetGroup(4));
    port.Fail();
    EXPECT_FALSE(monitor.ResetGroup(1));
    EXPECT_TRUE(messages.shown.empty()) << "nothing is read after a failed send";
}

TEST_F(MonitorFixture, ColorModeIsWrittenOnlyWhenItChanges) {
    fake[0xF2].value = 1;
    Start();
    ASSERT_TRUE(monitor.SetColorMode(1));
    EXPECT_TRUE(port.Written().empty());
    EXPECT_TRUE(notified.received.empty());

    fake[0x80].value = 77; // the new mode brings its own red cutoff
    ASSERT_TRUE(monitor.SetColorMode(2));
    EXPECT_EQ(fake.SetsOf(0xF2), (Values{2}));
    EXPECT_EQ(Current(23), 77);
    EXPECT_EQ(notified.received, (std::vector<std::pair<int, int>>{{31, 2}}));
}

TEST_F(MonitorFixture, DestroyedNotifyWindowIsNeverCalled) {
    Start();
    auto* window = new CNotifyRecorder;
    monitor.SetNotifyWindow(window);
    delete window;
    EXPECT_EQ(monitor.GetNotifyWindow(), nullptr);
    monitor.Notify(0, 1); // must not crash
}
