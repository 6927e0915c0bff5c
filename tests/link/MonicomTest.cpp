#include "FakeMonitor.h"
#include "ScriptedPort.h"

#include "RecordingMessages.h"
#include "link/Monicom.h"
#include "platform/PortMap.h"
#include "platform/StringTable.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {
Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes kReplyExample = {0x55, 0x55, 0x50, 0x6E, 0x88, 0x02, 0x00, 0x1A,
                             0x00, 0x00, 0xFF, 0x00, 0x70, 0x21, 0xAA, 0xAA};

// Counts the timing re-reads that QueryItem posts.
class CCountingMonicom : public CMonicom {
public:
    void OnTimingChanged() override { ++timingChanges; }
    int timingChanges = 0;
};

class MonicomTest : public ::testing::Test {
protected:
    void SetUp() override {
        link.SetSerialPort(&port);
        link.SetTimings({60ms, 10ms, 10ms});
        port.Open("/dev/fake");
    }

    CRecordingMessages messages;
    CScriptedPort port;
    CCountingMonicom link;
};
} // namespace

TEST_F(MonicomTest, QueryItemAcceptsTheReplyExample) {
    port.Push(kReplyExample);
    std::uint16_t maximum = 0, value = 0;
    int status = -1;
    ASSERT_TRUE(link.QueryItem(0x1A, &maximum, &value, &status));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(maximum, 255);
    EXPECT_EQ(value, 112);
    EXPECT_EQ(port.Written().at(0),
              (Bytes{0x55, 0x55, 0x6E, 0x50, 0x82, 0x01, 0x1A, 0xA7, 0xAA, 0xAA}));
}

TEST_F(MonicomTest, QueryItemOutputsMayBeOmitted) {
    port.Push(kReplyExample);
    std::uint16_t value = 0;
    ASSERT_TRUE(link.QueryItem(0x1A, nullptr, &value, nullptr));
    EXPECT_EQ(value, 112);
}

TEST_F(MonicomTest, SyncSearchSkipsNoiseAndALoneSyncByte) {
    port.Push(Concat({{0x12, 0x55, 0x34, 0x00, 0xAA}, kReplyExample}));
    MonReply reply;
    ASSERT_TRUE(link.ReceiveFrame(reply));
    EXPECT_EQ(reply.kind, 0x02);
    EXPECT_EQ(reply.length, 0x88);
    EXPECT_EQ(port.Pending(), 0u);
}

TEST_F(MonicomTest, ThreeSyncBytesInARowFailTheReceive) {
    port.Push(Concat({{0x55}, kReplyExample}));
    MonReply reply;
    EXPECT_FALSE(link.ReceiveFrame(reply));
    EXPECT_EQ(reply.kind, 0) << "a failed receive leaves the reply unknown";
}

TEST_F(MonicomTest, Kind5DCarriesThreeDataBytesWhetherItDeclaresThreeOrFour) {
    for (std::uint8_t length : {0x83, 0x84}) {
        Bytes frame = {0x55, 0x55, 0x50, 0x6E, length, 0x5D, 7, 8, 9};
        frame.push_back(0x50 ^ 0x6E ^ length ^ 0x5D ^ 7 ^ 8 ^ 9);
        frame.insert(frame.end(), {0xAA, 0xAA});
        port.Push(Concat({frame, kReplyExample}));
        MonReply reply;
        ASSERT_TRUE(link.ReceiveFrame(reply)) << int(length);
        EXPECT_EQ(reply.kind, 0x5D);
        EXPECT_EQ(reply.data[2], 9);
        ASSERT_TRUE(link.ReceiveFrame(reply)) << "the next frame starts right after the trailer";
        EXPECT_EQ(reply.kind, 0x02);
    }
}

TEST_F(MonicomTest, DamagedFramesFailAndTheNextFrameIsStillFound) {
    Bytes badChecksum = kReplyExample;
    badChecksum[13] ^= 0x01;
    Bytes badTrailer = kReplyExample;
    badTrailer[15] = 0xAB;
    Bytes wrongSync = kReplyExample;
    wrongSync[3] = 0x6F;
    const Bytes unknownKind = ReplyFrame(0x77, {1, 2, 3});
    const Bytes tooShortForItsKind = ReplyFrame(0x02, {0, 0x1A}); // 2 of 7 data bytes
    for (const Bytes& damaged :
         {badChecksum, badTrailer, wrongSync, unknownKind, tooShortForItsKind}) {
        port.Purge();
        port.Push(Concat({damaged, kReplyExample}));
        MonReply reply;
        EXPECT_FALSE(link.ReceiveFrame(reply));
        EXPECT_EQ(reply.kind, 0);
        std::uint16_t value = 0;
        EXPECT_TRUE(link.QueryItem(0x1A, nullptr, &value, nullptr));
        EXPECT_EQ(value, 112);
    }
}

TEST_F(MonicomTest, LengthBeyondTheReceiveBufferIsDroppedUnread) {
    const Bytes oversize = {0x55, 0x55, 0x50, 0x6E, 0xFF, 0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    port.Push(Concat({oversize, kReplyExample}));
    MonReply reply;
    EXPECT_FALSE(link.ReceiveFrame(reply));
    EXPECT_EQ(port.Pending(), 10u + kReplyExample.size()) << "nothing past the header is read";
    EXPECT_TRUE(link.ReceiveFrame(reply));
    EXPECT_EQ(reply.kind, 0x02);
}

TEST_F(MonicomTest, QueryItemIgnoresRepliesForOtherItems) {
    port.Push(Concat(
        {ReplyFrame(0x02, {0, 0x18, 0, 0, 0xFF, 0, 0x33}), ReplyFrame(0x05, {1}), kReplyExample}));
    std::uint16_t value = 0;
    ASSERT_TRUE(link.QueryItem(0x1A, nullptr, &value, nullptr));
    EXPECT_EQ(value, 112);
}

TEST_F(MonicomTest, QueryItemFailsWhenNoReplyComes) {
    port.Push(ReplyFrame(0x02, {0, 0x18, 0, 0, 0xFF, 0, 0x33}));
    EXPECT_FALSE(link.QueryItem(0x1A, nullptr, nullptr, nullptr));
}

TEST_F(MonicomTest, TimingFrameDuringAQueryIsReReadOnlyOnceTheWindowExists) {
    const Bytes timing = ReplyFrame(0x4E, {0x1A, 0xB8, 0x1D, 0x4C});
    port.Push(Concat({timing, kReplyExample}));
    ASSERT_TRUE(link.QueryItem(0x1A, nullptr, nullptr, nullptr));
    QCoreApplication::processEvents();
    EXPECT_EQ(link.timingChanges, 0) << "start-up reads drop it";

    ASSERT_TRUE(link.CreateWindow());
    port.Push(Concat({timing, kReplyExample}));
    std::uint16_t value = 0;
    ASSERT_TRUE(link.QueryItem(0x1A, nullptr, &value, nullptr)) << "the wait goes on";
    EXPECT_EQ(value, 112);
    EXPECT_EQ(link.timingChanges, 0) << "posted, not run inside the query";
    QCoreApplication::processEvents();
    EXPECT_EQ(link.timingChanges, 1);
    link.StopWatcher();
}

TEST_F(MonicomTest, DeadPortEndsAReplyWaitAtOnce) {
    link.SetTimings({10s, 10ms, 10ms});
    port.Push({0x55, 0x55, 0x50});
    port.Fail();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(link.QueryItem(0x1A, nullptr, nullptr, nullptr));
    EXPECT_FALSE(link.QueryTiming(nullptr, nullptr));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << "must not wait out the reply time";
}

TEST_F(MonicomTest, SetValueTriesFourWritesAndNoMore) {
    port.failWrites = 3;
    EXPECT_TRUE(link.SendSetValue(300, 0x1A));
    ASSERT_EQ(port.Written().size(), 1u);
    EXPECT_EQ(port.Written()[0],
              (Bytes{0x55, 0x55, 0x6E, 0x50, 0x84, 0x03, 0x1A, 0x01, 0x2C, 0x8E, 0xAA, 0xAA}));
    port.failWrites = 4;
    EXPECT_FALSE(link.SendSetValue(300, 0x1A));
    EXPECT_EQ(port.failWrites, 0);
    port.failWrites = 1;
    EXPECT_FALSE(link.SendCommand(0x0C)) << "a command is written once";
}

TEST_F(MonicomTest, QueryTimingAndReadMemoryPickTheirReplies) {
    port.Push(Concat({kReplyExample, ReplyFrame(0x4E, {0x1A, 0xB8, 0x1D, 0x4C})}));
    std::uint16_t fH = 0, fV = 0;
    ASSERT_TRUE(link.QueryTiming(&fH, &fV));
    EXPECT_EQ(fH, 6840);
    EXPECT_EQ(fV, 7500);
    EXPECT_EQ(port.Written().back(), (Bytes{0x55, 0x55, 0x6E, 0x50, 0x81, 0x07, 0xB8, 0xAA, 0xAA}));

    // Any kind echoing the address will do; a short frame cannot carry the bytes.
    port.Push(Concat({ReplyFrame(0x5A, {0x00, 0x09, 1, 2}), ReplyFrame(0x05, {0x00}),
                      ReplyFrame(0x67, {0x00, 0x08, 0x12, 0x34})}));
    std::uint8_t first = 0, second = 0;
    ASSERT_TRUE(link.ReadMemory(0x0008, &first, &second));
    EXPECT_EQ(first, 0x12);
    EXPECT_EQ(second, 0x34);
    EXPECT_EQ(port.Written().back(), (Bytes{0x55, 0x55, 0x6E, 0x50, 0x83, 0x59, 0x00, 0x08,
                                            0x6E ^ 0x50 ^ 0x83 ^ 0x59 ^ 0x08, 0xAA, 0xAA}));
}

TEST_F(MonicomTest, TraceSeesFramesSentAndEveryByteReceived) {
    std::vector<std::pair<bool, Bytes>> traced;
    link.SetTraceSink([&](bool sent, const std::uint8_t* bytes, std::size_t n) {
        traced.emplace_back(sent, Bytes(bytes, bytes + n));
    });
    port.Push(Concat({{0x01, 0x02}, kReplyExample}));
    ASSERT_TRUE(link.QueryItem(0x1A, nullptr, nullptr, nullptr));
    ASSERT_EQ(traced.size(), 2u);
    EXPECT_TRUE(traced[0].first);
    EXPECT_EQ(traced[0].second.size(), 10u);
    EXPECT_FALSE(traced[1].first);
    EXPECT_EQ(traced[1].second, Concat({{0x01, 0x02}, kReplyExample}));

    // Each receive reports its own bytes only, a failed one too, longer or shorter than the
    // one before it.
    traced.clear();
    MonReply reply;
    port.Push(Concat({{0x13, 0x55, 0x13, 0x55, 0x55, 'A'}, kReplyExample}));
    EXPECT_FALSE(link.ReceiveFrame(reply));
    EXPECT_TRUE(link.ReceiveFrame(reply));
    port.Push(Bytes{0x55, 0x55, 'P'});
    EXPECT_FALSE(link.ReceiveFrame(reply));
    ASSERT_EQ(traced.size(), 3u);
    EXPECT_EQ(traced[0].second, (Bytes{0x13, 0x55, 0x13, 0x55, 0x55, 'A'}));
    EXPECT_EQ(traced[1].second, kReplyExample);
    EXPECT_EQ(traced[2].second, (Bytes{0x55, 0x55, 'P'}));
}

TEST_F(MonicomTest, BaseModeSettersRewriteTheMonitorsWord) {
    CFakeMonitor monitor(port);
    monitor[0xF0].value = 0x0440;
    EXPECT_TRUE(link.SetPowerSaveMode(2));
    EXPECT_TRUE(link.SetInputDetection(0));
    EXPECT_EQ(monitor.SetsOf(0xF0), (std::vector<std::uint16_t>{0x0460, 0x0060}));

    monitor.silent = true;
    port.ClearWritten();
    EXPECT_FALSE(link.SetPowerSaveMode(1));
    EXPECT_EQ(port.Written().size(), 4u) << "four queries, no set-value";
}

// --- one deadline for one reply ---

namespace {
// A port whose far end answers every request with a reply that trickles in: each group of
// its bytes comes due some time after the request was written.
class CTricklePort : public CScriptedPort {
public:
    struct Piece {
        std::chrono::milliseconds after;
        std::size_t bytes;
    };
    Bytes reply;
    std::vector<Piece> pieces;

    bool WriteAll(const std::uint8_t* data, std::size_t count) override {
        m_written = Clock::now();
        m_taken = 0;
        return CScriptedPort::WriteAll(data, count);
    }
    int QueuedInput() const override {
        std::size_t due = 0;
        for (const Piece& piece : pieces)
            if (Clock::now() - m_written >= piece.after)
                due += piece.bytes;
        return int(std::min(due, reply.size()) - m_taken);
    }
    bool WaitQueued(std::size_t count, Clock::time_point deadline) override {
        while (std::size_t(QueuedInput()) < count) {
            if (Clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }
    bool ReadExact(std::uint8_t* data, std::size_t count) override {
        if (std::size_t(QueuedInput()) < count)
            return false;
        std::copy_n(reply.begin() + std::ptrdiff_t(m_taken), count, data);
        m_taken += count;
        return true;
    }

private:
    Clock::time_point m_written;
    std::size_t m_taken = 0;
};
} // namespace

TEST(ReplyDeadline, EveryStageOfAReplySharesTheOneWait) {
    CRecordingMessages messages;
    CTricklePort port;
    CMonicom link;
    link.SetSerialPort(&port);
    link.SetTimings({200ms, 10ms, 10ms});
    port.Open("/dev/trickle");
    port.reply = kReplyExample;

    // Sync, 'P', 'n', length and kind, data, trailer: each piece well within a wait of its
    // own, the whole far beyond one.
    port.pieces = {{150ms, 2}, {300ms, 1}, {450ms, 1}, {600ms, 2}, {750ms, 8}, {900ms, 2}};
    EXPECT_FALSE(link.QueryItem(0x1A, nullptr, nullptr, nullptr));

    // The same reply inside the wait is taken.
    port.pieces = {{20ms, 6}, {60ms, 10}};
    std::uint16_t value = 0;
    EXPECT_TRUE(link.QueryItem(0x1A, nullptr, &value, nullptr));
    EXPECT_EQ(value, 112);
}

// --- opening and identifying a port ---

namespace {
class OpenPortTest : public MonicomTest {
protected:
    void SetUp() override {
        MonicomTest::SetUp();
        port.Close();
        port.opened.clear();
        PortMap().SetAll({"/dev/fake0", "/dev/fake1", "", "/dev/fake3"});
    }
    void TearDown() override { PortMap() = CPortMap(); }

    CFakeMonitor monitor{port};
};
} // namespace

TEST_F(OpenPortTest, MakerMatchesInAnyCaseAndTheIndexIsKept) {
    monitor.maker = "xqurex  ";
    ASSERT_TRUE(link.OpenPort(3));
    EXPECT_TRUE(link.IsPortOpen());
    EXPECT_EQ(link.GetPortIndex(), 3);
    EXPECT_STREQ(link.Identity().maker, "XQUREX  ");
    EXPECT_EQ(port.Written().at(0), (Bytes{0x55, 0x55, 0x6E, 0x50, 0x81, 0xF1, 0x4E, 0xAA, 0xAA}));
}

TEST_F(OpenPortTest, EmptyOrUnknownSlotsAreNeverOpened) {
    EXPECT_FALSE(link.OpenPort(2));
    EXPECT_FALSE(link.OpenPort(4));
    EXPECT_FALSE(link.OpenPort(-1));
    EXPECT_TRUE(port.opened.empty());
}

TEST_F(OpenPortTest, FlatPanelIsRefusedEvenFromTheRightMaker) {
    monitor.model = "LQ-150  ";
    EXPECT_FALSE(link.OpenPort(0));
    EXPECT_EQ(messages.shown, std::vector<int>{Str::FlatPanel});
    EXPECT_FALSE(link.IsPortOpen());
}

TEST_F(OpenPortTest, ForeignOrSilentDevicesAreClosedQuietly) {
    monitor.maker = "ACME    ";
    EXPECT_FALSE(link.OpenPort(0));
    EXPECT_FALSE(link.IsPortOpen());
    EXPECT_EQ(link.OpenFailure(), "/dev/fake0: a monitor of another maker answered (ACME)");
    monitor.maker = "VORKA   ";
    monitor.silent = true;
    EXPECT_FALSE(link.OpenPort(1));
    EXPECT_FALSE(link.IsPortOpen());
    EXPECT_EQ(link.OpenFailure(), "/dev/fake1: no monitor answered");
    EXPECT_TRUE(messages.shown.empty());
    monitor.silent = false;
    ASSERT_TRUE(link.OpenPort(1));
    EXPECT_TRUE(link.OpenFailure().isEmpty());
}

TEST_F(OpenPortTest, StaleBytesAreFlushedBeforeTheIdentityRequest) {
    port.Push(ReplyFrame(0xE1, CFakeMonitor::IdentityData("B", "ACME    ", "OLD     ", 1)));
    ASSERT_TRUE(link.OpenPort(0));
    EXPECT_STREQ(link.Identity().model, "TR-9000 ");
}

TEST_F(OpenPortTest, OnlyAnIdentityReplyIdentifies) {
    port.responder = [&](const Bytes&) { port.Push(kReplyExample); };
    EXPECT_FALSE(link.OpenPort(0));
    EXPECT_FALSE(link.IsPortOpen());
}
