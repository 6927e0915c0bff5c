#include "SimFrames.h"

#include "sim/LoopbackPort.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <thread>

using namespace SimFrames;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {

bool Readable(int fd, int timeoutMs = 0) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, timeoutMs) == 1;
}

class Loopback : public testing::Test {
protected:
    Loopback() {
        port.Attach("/dev/sim0", &revC);
        port.Attach("/dev/sim2", &revB);
    }
    bool Send(const Bytes& f) { return port.WriteAll(f.data(), f.size()); }
    Bytes Read(std::size_t n) {
        Bytes b(n);
        return port.ReadExact(b.data(), n) ? b : Bytes{};
    }

    CSimMonitor revC{*SimProfile::ByName("revC")};
    CSimMonitor revB{*SimProfile::ByName("revB")};
    CLoopbackPort port;
};

} // namespace

TEST_F(Loopback, OpensOnlyAttachedPaths) {
    EXPECT_FALSE(port.Open("/dev/sim1"));
    EXPECT_FALSE(port.LastError().isEmpty());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.QueuedInput(), -1);
    EXPECT_FALSE(port.Open(""));
    ASSERT_TRUE(port.Open("/dev/sim2"));
    EXPECT_EQ(port.Connected(), &revB);
    port.Close();
    EXPECT_FALSE(port.IsOpen());
}

TEST_F(Loopback, RequestAndReplyLikeASerialPort) {
    ASSERT_TRUE(port.Open("/dev/sim0"));
    EXPECT_EQ(port.QueuedInput(), 0);
    EXPECT_FALSE(Readable(port.PollDescriptor()));
    ASSERT_TRUE(port.WaitOutputDrained(CLoopbackPort::Clock::now() + 1s));
    ASSERT_TRUE(Send(Request(0xF1)));
    EXPECT_EQ(port.QueuedInput(), 37);
    EXPECT_EQ(port.QueuedOutput(), 0);
    EXPECT_TRUE(Readable(port.PollDescriptor()));
    const Bytes head = Read(6);
    EXPECT_EQ(head, (Bytes{0x55, 0x55, 0x50, 0x6E, 0x9D, 0xE1}));
    EXPECT_TRUE(Readable(port.PollDescriptor())); // 31 bytes still queued
    EXPECT_EQ(Read(31).size(), 31u);
    EXPECT_FALSE(Readable(port.PollDescriptor()));
    Bytes b(1);
    EXPECT_FALSE(port.ReadExact(b.data(), 1)); // short read
}

TEST_F(Loopback, WaitQueuedFollowsTheReplyDelay) {
    ASSERT_TRUE(port.Open("/dev/sim0"));
    revC.SetReplyDelay(80);
    ASSERT_TRUE(Send(Query(0x1A)));
    EXPECT_EQ(port.QueuedInput(), 0);
    EXPECT_FALSE(port.WaitQueued(16, CLoopbackPort::Clock::now() + 10ms));
    EXPECT_TRUE(Readable(port.PollDescriptor(), 2000)); // fires when the reply is due
    EXPECT_TRUE(port.WaitQueued(16, CLoopbackPort::Clock::now() + 2s));
    EXPECT_EQ(port.QueuedInput(), 16);
}

TEST_F(Loopback, UnsolicitedFramesWakeAWaitingReader) {
    ASSERT_TRUE(port.Open("/dev/sim0"));
    std::thread panel([this] {
        std::this_thread::sleep_for(30ms);
        revC.PanelChange(0, 42);
    });
    const bool got = port.WaitQueued(9, CLoopbackPort::Clock::now() + 3s);
    panel.join();
    ASSERT_TRUE(got);
    EXPECT_EQ(ReplyData(Read(port.QueuedInput()), 0x58), (Bytes{0x02, 0x00, 42}));
}

TEST_F(Loopback, PurgeDropsWhatArrived) {
    ASSERT_TRUE(port.Open("/dev/sim0"));
    Send(Query(0x1A));
    revC.PanelChange(0, 1);
    port.Purge();
    EXPECT_EQ(port.QueuedInput(), 0);
    EXPECT_FALSE(Readable(port.PollDescriptor()));
}

TEST_F(Loopback, PulledCableKillsThePortUntilReopened) {
    ASSERT_TRUE(port.Open("/dev/sim0"));
    revC.PullCable();
    EXPECT_EQ(port.QueuedInput(), -1);
    EXPECT_EQ(port.QueuedOutput(), -1);
    EXPECT_TRUE(Readable(port.PollDescriptor())); // a watcher wakes up and sees it
    EXPECT_FALSE(Send(Query(0x1A)));
    EXPECT_FALSE(port.WaitQueued(1, CLoopbackPort::Clock::now() + 1s));
    EXPECT_FALSE(port.Open("/dev/sim0"));
    revC.Replug();
    ASSERT_TRUE(port.Open("/dev/sim0"));
    ASSERT_TRUE(Send(Query(0x1A)));
    EXPECT_EQ(port.QueuedInput(), 16);
}

TEST_F(Loopback, StaysDeadAfterReplugWithoutReopen) {
    ASSERT_TRUE(port.Open("/dev/sim0"));
    revC.PullCable();
    revC.Replug();
    EXPECT_EQ(port.QueuedInput(), -1);
    EXPECT_FALSE(Send(Query(0x1A)));
}

TEST(LoopbackLifetime, MonitorsMayOutliveOrPredeceaseThePort) {
    CSimMonitor outliving(*SimProfile::ByName("revC"));
    {
        auto early = std::make_unique<CSimMonitor>(*SimProfile::ByName("revB"));
        CLoopbackPort port;
        port.Attach("/dev/a", early.get());
        port.Attach("/dev/b", &outliving);
        ASSERT_TRUE(port.Open("/dev/a"));
        // A new device plugged in at the open path replaces the old one.
        auto replacement = std::make_unique<CSimMonitor>(*SimProfile::ByName("tr4427"));
        port.Attach("/dev/a", replacement.get());
        EXPECT_FALSE(port.IsOpen());
        early.reset();
        ASSERT_TRUE(port.Open("/dev/a"));
        EXPECT_EQ(port.Connected(), replacement.get());
    }
    EXPECT_TRUE(outliving.PanelChange(0, 5)); // its listener is cut off, nothing is called
}
