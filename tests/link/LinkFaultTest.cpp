// The link under every fault a cable and a monitor can have, the real controller against
// the simulated monitor on a pseudo-terminal. After each fault: nothing hangs beyond its
// bound, and afterwards the cache says what the monitor holds or the user was told of the
// failure; a refused file sends nothing.

#include "EventLoop.h"
#include "SimLinkFixture.h"

#include "doc/Qelt32Doc.h"
#include "platform/StringTable.h"

#include <atomic>
#include <functional>
#include <thread>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {
constexpr int kBright = 0, kHSize = 2;
// Generous room for a loaded machine on top of a documented bound; only a wait that was
// not bounded at all can pass it.
constexpr auto kSlack = 2s;

class LinkFaultTest : public SimLinkFixture {
protected:
    explicit LinkFaultTest(bool paced = false) : SimLinkFixture(paced) {}

    // The monitor's own reply wait, for the cases around it.
    void UseTheMonitorsReplyWait() { monitor.SetTimings(MonTimings{}); }

    // Runs `operation` and gives its result; fails the test when it took longer than
    // `bound`.
    bool Within(Clock::duration bound, const std::function<bool()>& operation) {
        const auto start = Clock::now();
        const bool result = operation();
        const auto took = Clock::now() - start;
        EXPECT_LE(took, bound + kSlack)
            << std::chrono::duration_cast<std::chrono::milliseconds>(took).count() << " ms";
        return result;
    }
    // The campaign's promise: the cache says what the monitor holds, or the user was told.
    void ExpectCacheMatchesOrFailureReported() {
        if (messages.shown.empty())
            ExpectCacheMatchesTheMonitor();
        else
            EXPECT_EQ(messages.Count(Str::CommFailure) + messages.Count(Str::NoMonitor),
                      int(messages.shown.size()));
    }
    // Set-value frames the monitor received since its log was cleared.
    int SetValuesReceived() const {
        int n = 0;
        for (const SimRequest& request : server.Monitor().RequestLog())
            n += request.command == 0x03;
        return n;
    }
    // Runs `fault` on another thread after `delay`, while the test thread works.
    void After(std::chrono::milliseconds delay, std::function<void()> fault) {
        m_faults.emplace_back([delay, fault = std::move(fault)] {
            std::this_thread::sleep_for(delay);
            fault();
        });
    }
    // Runs `fault` on another thread `delay` after the monitor has received a frame since
    // its log was last cleared (a re-connect first opens the port again: a report sent
    // before that is lost on the line, as on a real cable).
    void AfterFirstRequest(std::chrono::milliseconds delay, std::function<void()> fault) {
        After(0ms, [this, delay, fault = std::move(fault)] {
            const auto deadline = std::chrono::steady_clock::now() + 20s;
            while (Sim().RequestLog().empty() && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(1ms);
            std::this_thread::sleep_for(delay);
            fault();
        });
    }
    void TearDown() override {
        for (std::thread& t : m_faults)
            t.join();
        SimLinkFixture::TearDown();
    }

private:
    std::vector<std::thread> m_faults;
};

class PacedLinkFaultTest : public LinkFaultTest {
protected:
    PacedLinkFaultTest() : LinkFaultTest(true) {}
};

// One of every kind of request the controller makes. `retried`: a reply lost once is asked
// for again; the identity is asked for once per port and the timing once.
struct Request {
    const char* name;
    bool retried;
    std::function<bool(CMonitor&)> run;
};
std::vector<Request> EveryKindOfRequest() {
    return {
        {"identity and timing", false, [](CMonitor& m) { return m.Connect(); }},
        {"item group", true, [](CMonitor& m) { return m.ReadGeometry(); }},
        {"timing", false, [](CMonitor& m) { return m.ReadTiming(); }},
        {"memory", true, [](CMonitor& m) { return m.ReadColorTempTable(); }},
        {"ramped write", true,
         [](CMonitor& m) { return m.WriteItem(kHSize, m.Item(kHSize).current > 100 ? 40 : 160); }},
        {"mode word", true,
         [](CMonitor& m) { return m.SetPowerSaveMode(m.GetPowerSaveMode() ^ 1); }},
        {"command", true, [](CMonitor& m) { return m.Degauss(); }},
    };
}
} // namespace

// --- faults on the line ---

TEST_F(LinkFaultTest, NoiseBurstsBeforeEveryKindOfReplyAreSkipped) {
    ASSERT_TRUE(Start());
    for (const Request& request : EveryKindOfRequest()) {
        SCOPED_TRACE(request.name);
        Sim().InjectNoise(300);
        EXPECT_TRUE(request.run(monitor));
    }
    EXPECT_TRUE(messages.shown.empty());
    ExpectCacheMatchesTheMonitor();
}

TEST_F(LinkFaultTest, BadChecksumsAndDroppedRepliesAreRetriedOrReported) {
    ASSERT_TRUE(Start());
    for (const Request& request : EveryKindOfRequest()) {
        SCOPED_TRACE(request.name);
        for (int fault = 0; fault < 2; ++fault) {
            messages.Clear();
            if (fault == 0)
                Sim().CorruptNextChecksum();
            else
                Sim().DropReplies(1);
            const bool done = Within(10 * 150ms, [&] { return request.run(monitor); });
            EXPECT_EQ(done, request.retried);
            Sim().DropReplies(0);
            ASSERT_TRUE(monitor.IsPortOpen() || monitor.Connect());
            ASSERT_TRUE(monitor.ReadGeometry() && monitor.ReadModes());
        }
    }
    ExpectCacheMatchesTheMonitor();
}

TEST_F(PacedLinkFaultTest, ANoiseBurstLongerThanTheReplyWaitEndsWithinItsBound) {
    ASSERT_TRUE(Start());
    UseTheMonitorsReplyWait();
    // 4000 bytes are four seconds of line time, more than one reply wait.
    Sim().InjectNoise(4000);
    Within(3 * 3s, [&] { return monitor.ReadItem(kHSize); });
    ExpectCacheMatchesOrFailureReported();
}

TEST_F(LinkFaultTest, AReplyJustInsideTheReplyWaitIsTaken) {
    ASSERT_TRUE(Start());
    UseTheMonitorsReplyWait();
    Sim().SetReplyDelay(2850);
    Sim().ClearRequestLog();
    EXPECT_TRUE(Within(3s, [&] { return monitor.ReadItem(kHSize); }));
    EXPECT_EQ(Sim().RequestLog().size(), 1u) << "taken at the first query";
    EXPECT_TRUE(messages.shown.empty());
    ExpectCacheMatchesTheMonitor();
}

TEST_F(LinkFaultTest, AReplyJustOutsideTheReplyWaitIsNotWaitedFor) {
    ASSERT_TRUE(Start());
    UseTheMonitorsReplyWait();
    Sim().SetReplyDelay(3150);
    Within(3 * 3s, [&] { return monitor.ReadItem(kHSize); });
    Sim().SetReplyDelay(0);
    // Late replies still on their way are skipped by whatever reads next.
    std::this_thread::sleep_for(3500ms);
    ASSERT_TRUE(monitor.ReadGeometry());
    ExpectCacheMatchesOrFailureReported();
}

// --- what the monitor does ---

TEST_F(LinkFaultTest, ValuesThatDoNotStickAreReportedWithTheMonitorsValueCached) {
    ASSERT_TRUE(Start());
    for (int item : {kBright, kHSize, 23}) {
        SCOPED_TRACE(item);
        for (SimStick stick : {SimStick::KeepsOld, SimStick::ReportsOther}) {
            messages.Clear();
            Sim().SetStick(item, stick);
            const std::uint16_t target = monitor.Item(item).current > 100 ? 60 : 140;
            EXPECT_FALSE(Within(20 * 150ms, [&] { return monitor.WriteItem(item, target); }));
            EXPECT_EQ(messages.shown, std::vector<int>{Str::CommFailure});
            EXPECT_EQ(monitor.Item(item).current, Sim().Value(item));
        }
        Sim().SetStick(item, SimStick::Sticks);
    }
}

TEST_F(LinkFaultTest, AFrameThatDeclaresOneByteTooFewIsTakenWhole) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(monitor.CreateWindow());
    Sim().SendShortLengthFrame();
    // The watcher hands it to the controller, which reads it whole: nothing is left behind
    // (three bytes would be, read by its declared length).
    const auto deadline = Clock::now() + 2s;
    while (monitor.Port().QueuedInput() < 11 && Clock::now() < deadline)
        std::this_thread::sleep_for(1ms);
    EXPECT_TRUE(ProcessUntil([&] { return monitor.Port().QueuedInput() == 0; }));
    // And in front of a reply.
    Sim().SendShortLengthFrame();
    Sim().ClearRequestLog();
    EXPECT_TRUE(monitor.ReadItem(kHSize));
    EXPECT_EQ(Sim().RequestLog().size(), 1u);
    monitor.StopWatcher();
    EXPECT_TRUE(messages.shown.empty());
    ExpectCacheMatchesTheMonitor();
}

TEST_F(LinkFaultTest, ATimingChangeInTheMiddleOfAQueryIsReadAgain) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(monitor.CreateWindow());
    Sim().SetReplyDelay(40);
    After(200ms, [this] { Sim().TimingChange(7010, 8000, 1); });
    EXPECT_TRUE(monitor.ReadGeometry()); // 14 queries, about 600 ms
    EXPECT_TRUE(ProcessUntil([&] {
        std::uint16_t fH = 0;
        monitor.GetTiming(&fH, nullptr);
        return fH == 70;
    }));
    monitor.StopWatcher();
    std::uint16_t fH = 0, fV = 0;
    monitor.GetTiming(&fH, &fV);
    EXPECT_EQ(fV, 80);
    EXPECT_TRUE(messages.shown.empty());
    ExpectCacheMatchesTheMonitor();
}

// Front-panel reports that come while a reply is awaited are applied as the watcher would,
// and a re-connect that opens the port again leaves the watcher running on the new one.
TEST_F(LinkFaultTest, FrontPanelReportsInterleavedWithEveryRequestAreKept) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(monitor.CreateWindow());
    Sim().SetReplyDelay(20);
    std::uint16_t value = 10;
    for (const Request& request : EveryKindOfRequest()) {
        SCOPED_TRACE(request.name);
        Sim().ClearRequestLog();
        for (int key = 0; key < 3; ++key)
            AfterFirstRequest(std::chrono::milliseconds(5 + 30 * key),
                              [this, v = ++value] { Sim().PanelChange(kBright, v); });
        EXPECT_TRUE(request.run(monitor));
        EXPECT_TRUE(ProcessUntil([&] { return monitor.Item(kBright).current == value; }))
            << "bright " << monitor.Item(kBright).current << ", the monitor " << value;
    }
    monitor.StopWatcher();
    EXPECT_TRUE(messages.shown.empty());
    ExpectCacheMatchesTheMonitor();
}

// --- the cable pulled in the middle of things (paced, so that each takes a while) ---

TEST_F(PacedLinkFaultTest, CablePulledDuringStartUpIsReportedInTime) {
    After(300ms, [this] { Sim().PullCable(); });
    const bool started = Within(3s, [&] { return Start(); });
    EXPECT_FALSE(started);
    EXPECT_FALSE(messages.shown.empty());
}

TEST_F(PacedLinkFaultTest, CablePulledDuringAWriteRampIsReportedInTime) {
    ASSERT_TRUE(Start());
    monitor.WriteItem(kHSize, 10);
    Sim().ClearRequestLog();
    After(150ms, [this] { Sim().PullCable(); });
    // 38 steps of 12 bytes: half a second of line time.
    EXPECT_FALSE(Within(1s, [&] { return monitor.WriteItem(kHSize, 200); }));
    EXPECT_EQ(messages.Count(Str::CommFailure), 1);
    EXPECT_GT(SetValuesReceived(), 0);
    EXPECT_LT(Sim().Value(kHSize), 200);
}

// The monitor takes every set-value but its item replies are lost: every read-back of the
// write fails, and the write says so once, not once per read-back and once for itself.
TEST_F(LinkFaultTest, AWriteWhoseReadBacksAreLostIsReportedOnce) {
    ASSERT_TRUE(Start());
    const std::uint16_t target = monitor.Item(kHSize).current > 100 ? 40 : 160;
    Sim().DropRepliesOfKind(0x02, 1000);
    EXPECT_FALSE(Within(20 * 150ms, [&] { return monitor.WriteItem(kHSize, target); }));
    EXPECT_EQ(messages.Count(Str::CommFailure), 1);
    EXPECT_EQ(int(messages.shown.size()), 1);
    EXPECT_EQ(Sim().Value(kHSize), target);
}

// A load stops at its first write that fails for good and says so, instead of letting
// every remaining write fail on its own and calling the load a success.
TEST_F(PacedLinkFaultTest, CablePulledDuringAFileLoadFailsTheLoad) {
    ASSERT_TRUE(Start());
    CQelt32Doc doc(monitor);
    for (int item = 2; item <= 15; ++item)
        if (monitor.IsAvailable(item))
            monitor.WriteItem(item, monitor.Item(item).current > 100 ? 50 : 150);
    const QByteArray file = doc.Store();
    for (int item = 2; item <= 15; ++item)
        if (monitor.IsAvailable(item))
            monitor.WriteItem(item, monitor.Item(item).current > 100 ? 50 : 150);
    messages.Clear();
    After(300ms, [this] { Sim().PullCable(); });
    EXPECT_FALSE(Within(3s, [&] { return doc.Load(file, LoadGroups{true, true, true}); }));
    EXPECT_EQ(messages.Count(Str::CommFailure), 1);
}

TEST_F(LinkFaultTest, ARefusedFileSendsNothingWhateverTheLine) {
    ASSERT_TRUE(Start());
    CQelt32Doc doc(monitor);
    const QByteArray file = doc.Store();
    QByteArray otherMonitor = file;
    otherMonitor[2] = char(otherMonitor[2] ^ 0x01); // the serial's low byte
    const QByteArray cut = file.left(file.size() - 7);
    for (const QByteArray& refused : {otherMonitor, cut, QByteArray("\x01\x00", 2)}) {
        Sim().InjectNoise(50);
        Sim().ClearRequestLog();
        EXPECT_FALSE(doc.Load(refused, LoadGroups{true, true, true}));
        EXPECT_EQ(SetValuesReceived(), 0);
    }
}
