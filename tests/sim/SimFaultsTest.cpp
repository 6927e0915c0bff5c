#include "SimFrames.h"

#include "sim/SimMonitor.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace SimFrames;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

namespace {
constexpr std::uint8_t kHSize = 0x1A;

class SimFaults : public testing::Test {
protected:
    CSimMonitor m{*SimProfile::ByName("revC")};
};
} // namespace

TEST_F(SimFaults, NoiseComesBeforeTheReplyAndNeverHolds0x55) {
    m.InjectNoise(40);
    const Bytes out = Ask(m, Query(kHSize));
    ASSERT_EQ(out.size(), 40u + 16u);
    EXPECT_TRUE(std::none_of(out.begin(), out.begin() + 40, [](auto b) { return b == 0x55; }));
    EXPECT_FALSE(ReplyData(Bytes(out.begin() + 40, out.end()), 0x02).empty());
    EXPECT_EQ(Ask(m, Query(kHSize)).size(), 16u); // only once
}

TEST_F(SimFaults, BadChecksumOnTheNextReplyOnly) {
    m.CorruptNextChecksum();
    const Bytes bad = Ask(m, Query(kHSize));
    ASSERT_EQ(bad.size(), 16u);
    EXPECT_TRUE(ReplyData(bad, 0x02).empty());
    EXPECT_FALSE(ReplyData(Ask(m, Query(kHSize)), 0x02).empty());
}

TEST_F(SimFaults, DropSwallowsRepliesButNotSetValues) {
    m.DropReplies(2);
    EXPECT_TRUE(Ask(m, Query(kHSize)).empty());
    EXPECT_TRUE(Ask(m, SetValue(kHSize, 50)).empty());
    EXPECT_EQ(m.Value(2), 50);
    EXPECT_TRUE(Ask(m, Request(0x07)).empty());
    EXPECT_FALSE(Ask(m, Request(0x07)).empty());
}

TEST_F(SimFaults, DelayHoldsRepliesBackInOrder) {
    const auto t0 = CSimMonitor::Clock::now();
    m.SetReplyDelay(200);
    const Bytes q = Query(kHSize);
    m.Feed(q.data(), q.size(), t0);
    m.SetReplyDelay(0);
    const Bytes timing = Request(0x07);
    m.Feed(timing.data(), timing.size(), t0 + 10ms); // must not overtake the late reply
    EXPECT_EQ(m.DueBytes(t0 + 199ms), 0u);
    EXPECT_TRUE(Drain(m, t0 + 199ms).empty());
    ASSERT_TRUE(m.NextDue());
    EXPECT_EQ(*m.NextDue(), t0 + 200ms);
    const auto chunks = m.TakeOutput(t0 + 200ms);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_FALSE(ReplyData(chunks[0].bytes, 0x02).empty());
    EXPECT_FALSE(ReplyData(chunks[1].bytes, 0x4E).empty());
}

TEST_F(SimFaults, ValuesThatDoNotStick) {
    m.SetValue(2, 100);
    m.SetStick(2, SimStick::KeepsOld);
    Ask(m, SetValue(kHSize, 120));
    EXPECT_EQ(m.Value(2), 100);
    EXPECT_EQ(ReplyData(Ask(m, Query(kHSize)), 0x02)[6], 100);

    m.SetStick(2, SimStick::ReportsOther);
    Ask(m, SetValue(kHSize, 120));
    EXPECT_EQ(m.Value(2), 121);
    Ask(m, SetValue(kHSize, 255)); // at the top it settles one below
    EXPECT_EQ(m.Value(2), 254);

    m.SetStick(2, SimStick::Sticks);
    Ask(m, SetValue(kHSize, 120));
    EXPECT_EQ(m.Value(2), 120);
    // The front panel is not affected by a drifting remote control.
    m.SetStick(2, SimStick::KeepsOld);
    EXPECT_TRUE(m.PanelChange(2, 90));
    EXPECT_EQ(m.Value(2), 90);
}

TEST_F(SimFaults, PulledCableAnswersNothingUntilReplugged) {
    m.DropReplies(0);
    const Bytes q = Query(kHSize);
    m.Feed(q.data(), 4); // half a frame is lost with the cable
    const unsigned generation = m.CableGeneration();
    m.PanelChange(0, 10); // queued, then lost
    m.PullCable();
    EXPECT_TRUE(m.IsCablePulled());
    EXPECT_TRUE(Drain(m).empty());
    EXPECT_TRUE(Ask(m, q).empty());
    m.TimingChange(100, 100);
    EXPECT_TRUE(Drain(m).empty());
    m.Replug();
    EXPECT_FALSE(m.IsCablePulled());
    EXPECT_EQ(m.CableGeneration(), generation + 2);
    EXPECT_FALSE(ReplyData(Ask(m, q), 0x02).empty());
}

TEST_F(SimFaults, ListenerHearsOutputAndCable) {
    int calls = 0;
    m.SetListener([&calls] { ++calls; });
    Ask(m, SetValue(kHSize, 1)); // no output, no call
    EXPECT_EQ(calls, 0);
    Ask(m, Query(kHSize));
    m.PanelChange(0, 1);
    m.PullCable();
    m.Replug();
    EXPECT_EQ(calls, 4);
}
