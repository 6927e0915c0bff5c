#include "CountingNotice.h"
#include "EventLoop.h"
#include "MonitorFixture.h"

#include <QCoreApplication>

#include <atomic>
#include <thread>

using namespace std::chrono_literals;
using Notes = std::vector<std::pair<int, int>>;

namespace {
std::vector<std::uint8_t> Timing(std::uint16_t fH, std::uint16_t fV) {
    return ReplyFrame(
        0x4E, {std::uint8_t(fH >> 8), std::uint8_t(fH), std::uint8_t(fV >> 8), std::uint8_t(fV)});
}
std::vector<std::uint8_t> Status(std::uint8_t status) {
    return ReplyFrame(0x6D, {status});
}
std::vector<std::uint8_t> Panel(std::uint8_t code, std::uint16_t value) {
    return ReplyFrame(0x58, {code, std::uint8_t(value >> 8), std::uint8_t(value)});
}

class WatcherTest : public MonitorFixture {
protected:
    void SetUp() override {
        MonitorFixture::SetUp();
        monitor.SetAutoSizeNotice(&notice);
        Start();
    }
    void TimingReport(std::uint8_t status) {
        port.Push(Timing(6900, 7200));
        port.Push(Status(status));
        monitor.OnMonitorData();
    }

    CCountingNotice notice;
};
} // namespace

// --- the handlers ---

TEST_F(WatcherTest, PanelChangeUpdatesTheCacheAndTellsTheNotifyWindow) {
    port.Push(Panel(0x1A, 120));
    monitor.OnMonitorData();
    EXPECT_EQ(Current(2), 120);
    EXPECT_EQ(monitor.Item(2).device, 120);
    EXPECT_EQ(monitor.Item(2).stored, 100) << "snapshots stay";
    EXPECT_EQ(notified.received, (Notes{{2, 120}}));
    EXPECT_TRUE(port.Written().empty());
}

TEST_F(WatcherTest, PanelChangeForAnUnknownCodeIsDropped) {
    port.Push(Panel(0x01, 5));
    monitor.OnMonitorData();
    EXPECT_TRUE(notified.received.empty());
    EXPECT_FALSE(monitor.IsModified());
    EXPECT_EQ(port.Pending(), 0u);
}

TEST_F(WatcherTest, NewColourModeReadsTheColoursBeforeTheWindowHears) {
    fake[0x80].value = 55;
    int cutoffAtNotify = -1;
    notified.onNotify = [&](int) { cutoffAtNotify = Current(23); };
    port.Push(Panel(0xF2, 2));
    monitor.OnMonitorData();
    EXPECT_EQ(cutoffAtNotify, 55);
    EXPECT_EQ(notified.received, (Notes{{31, 2}}));
}

TEST_F(WatcherTest, AutoSizingOnThePanelReadsTheGeometry) {
    fake[0x1A].value = 130;
    port.Push(Panel(0xF8, 1));
    monitor.OnMonitorData();
    EXPECT_EQ(Current(2), 130);
    EXPECT_EQ(notified.received, (Notes{{33, 1}}));
}

TEST_F(WatcherTest, TimingReportRereadsAndCommitsTheGeometry) {
    fake[0x1A].value = 90;
    TimingReport(1);
    std::uint16_t fH = 0, fV = 0;
    monitor.GetTiming(&fH, &fV);
    EXPECT_EQ(fH, 69);
    EXPECT_EQ(fV, 72);
    EXPECT_EQ(Current(2), 90);
    EXPECT_EQ(monitor.Item(2).stored, 90);
    EXPECT_EQ(notified.received, (Notes{{78, 0}}));
    EXPECT_EQ(notice.runs, 0) << "status 1 never opens the notice";
    monitor.OnDisplayChange();
    EXPECT_EQ(notice.runs, 0);
}

TEST_F(WatcherTest, NoticeNeedsTheReportAndTheDisplayChangeInEitherOrder) {
    TimingReport(0);
    EXPECT_EQ(notice.runs, 0);
    EXPECT_TRUE(monitor.AutoSizeReportSeen());
    monitor.OnDisplayChange();
    EXPECT_EQ(notice.runs, 1);
    EXPECT_FALSE(monitor.AutoSizeReportSeen());

    monitor.OnDisplayChange();
    EXPECT_EQ(notice.runs, 1) << "a display change alone does not open it again";
    TimingReport(0);
    EXPECT_EQ(notice.runs, 2);
    EXPECT_FALSE(monitor.DisplayChangeSeen());
    EXPECT_EQ(fake.SetsOf(0xF8).size(), 2u);
}

TEST_F(WatcherTest, TimingReportWithoutItsStatusNeverOpensTheNotice) {
    monitor.OnDisplayChange();
    port.Push(Timing(6900, 7200));
    monitor.OnMonitorData();
    EXPECT_EQ(notice.runs, 0);
    EXPECT_EQ(notified.received, (Notes{{78, 0}}));
}

TEST_F(WatcherTest, PanelReportInPlaceOfTheStatusIsStillApplied) {
    monitor.OnDisplayChange();
    port.Push(Timing(6900, 7200));
    port.Push(Panel(0x1A, 120));
    monitor.OnMonitorData();
    EXPECT_EQ(notice.runs, 0);
    EXPECT_EQ(Current(2), 120);
    EXPECT_EQ(notified.received, (Notes{{78, 0}, {2, 120}}));
}

TEST_F(WatcherTest, PanelReportDuringAnyAwaitedReplyIsAppliedAndNotified) {
    // During the geometry read that follows a timing change...
    port.Push(Timing(6900, 7200));
    port.Push(Status(1));
    port.Push(Panel(0x02, 33));
    monitor.OnMonitorData();
    EXPECT_EQ(Current(0), 33) << "the cache takes it at once";
    // ...during a plain read, the timing request and a memory read...
    port.Push(Panel(0x04, 44));
    EXPECT_TRUE(monitor.ReadItem(5));
    port.Push(Panel(0x1A, 120));
    EXPECT_TRUE(monitor.ReadTiming());
    fake[0x80].value = 55;
    port.Push(Panel(0xF2, 2));
    monitor.ReadMemory(7, nullptr, nullptr);
    EXPECT_EQ(Current(1), 44);
    EXPECT_EQ(Current(2), 120);
    EXPECT_EQ(monitor.Item(2).device, 120);
    // ...and the window hears of each once the exchange is over, the colour mode after its
    // colours were read.
    int cutoffAtNotify = -1;
    notified.onNotify = [&](int item) {
        if (item == 31)
            cutoffAtNotify = Current(23);
    };
    EXPECT_TRUE(ProcessUntil([&] { return notified.received.size() == 5; }));
    EXPECT_EQ(notified.received, (Notes{{78, 0}, {0, 33}, {1, 44}, {2, 120}, {31, 2}}));
    EXPECT_EQ(cutoffAtNotify, 55);
}

TEST_F(WatcherTest, WithoutANoticeTheMonitorSizesDirectly) {
    monitor.SetAutoSizeNotice(nullptr);
    monitor.OnDisplayChange();
    TimingReport(0);
    EXPECT_EQ(fake.SetsOf(0xF8).size(), 1u);
}

TEST_F(WatcherTest, TimingChangeSeenDuringAQueryIsReadAgain) {
    fake.fH = 7000;
    fake[0xF0].value = 0x40;
    monitor.OnTimingChanged();
    std::uint16_t fH = 0;
    monitor.GetTiming(&fH, nullptr);
    EXPECT_EQ(fH, 70);
    EXPECT_EQ(Current(30), 0x40);
    EXPECT_EQ(notified.received, (Notes{{78, 0}}));
}

// --- the thread ---

TEST_F(WatcherTest, WatcherHandsAFrameToTheControllersThread) {
    ASSERT_TRUE(monitor.CreateWindow());
    EXPECT_TRUE(monitor.WindowExists());
    port.Push({0x13, 0x37}); // a stray pair alone wakes nobody
    port.Push(Panel(0x1A, 120));
    ASSERT_TRUE(ProcessUntil([&] { return !notified.received.empty(); }));
    EXPECT_EQ(notified.received, (Notes{{2, 120}}));
    monitor.StopWatcher();
}

TEST_F(WatcherTest, FewerThanSixBytesAreLeftAlone) {
    ASSERT_TRUE(monitor.CreateWindow());
    port.Push({0x55, 0x55, 0x50, 0x6E, 0x84});
    ProcessUntil([] { return false; }, 100ms);
    EXPECT_EQ(port.Pending(), 5u);
    port.Push({0x58, 0x1A, 0x00, 0x70, 0x1A ^ 0x70 ^ 0x50 ^ 0x6E ^ 0x84 ^ 0x58, 0xAA, 0xAA});
    ASSERT_TRUE(ProcessUntil([&] { return !notified.received.empty(); }));
    EXPECT_EQ(Current(2), 112);
    monitor.StopWatcher();
}

TEST_F(WatcherTest, StopEndsTheWatcherEvenWhileItWaitsForTheController) {
    ASSERT_TRUE(monitor.CreateWindow());
    port.Push(Panel(0x1A, 120));
    std::this_thread::sleep_for(20ms); // the watcher has asked; nobody has answered
    monitor.StopWatcher();
    monitor.StopWatcher();
    QCoreApplication::processEvents();
    EXPECT_EQ(notified.received, (Notes{{2, 120}})) << "the request still runs once";
}

TEST_F(WatcherTest, DeadPortEndsTheWatcherAndSaysSo) {
    std::atomic<int> failures = 0;
    QObject::connect(&monitor, &CMonicom::portFailed, [&] { ++failures; });
    ASSERT_TRUE(monitor.CreateWindow());
    port.Fail();
    ASSERT_TRUE(ProcessUntil([&] { return failures == 1; }));
    monitor.StopWatcher();
}
