#include "SimFrames.h"

#include "sim/SimConsole.h"

#include <gtest/gtest.h>

using Bytes = std::vector<std::uint8_t>;

namespace {
class SimConsole : public testing::Test {
protected:
    SimCommandResult Run(const char* line) { return RunSimCommand(m, QString::fromLatin1(line)); }
    CSimMonitor m{*SimProfile::ByName("revC")};
};
} // namespace

TEST_F(SimConsole, KeyReportsAndSetStaysSilent) {
    EXPECT_TRUE(Run("key hsize 99").ok);
    EXPECT_EQ(SimFrames::ReplyData(SimFrames::Drain(m), 0x58), (Bytes{0x1A, 0, 99}));
    const SimCommandResult set = Run("set 2 0x40");
    EXPECT_TRUE(set.ok);
    EXPECT_TRUE(set.answer.startsWith("hsize (2) = 64"));
    EXPECT_TRUE(SimFrames::Drain(m).empty());
    EXPECT_FALSE(Run("key pintop 3").ok); // not on this chassis
}

TEST_F(SimConsole, TimingTakesKilohertzAndHertz) {
    EXPECT_TRUE(Run("timing 48.4 60 1").ok);
    EXPECT_EQ(m.TimingH(), 4840);
    EXPECT_EQ(m.TimingV(), 6000);
    const auto chunks = m.TakeOutput();
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(SimFrames::ReplyData(chunks[1].bytes, 0x6D), (Bytes{1}));

    CSimMonitor b(*SimProfile::ByName("revB"));
    EXPECT_TRUE(RunSimCommand(b, "timing 48.4 60").ok);
    EXPECT_EQ(b.TimingH(), 48);
}

TEST_F(SimConsole, FaultCommandsReachTheEngine) {
    EXPECT_TRUE(Run("drop 1").ok);
    EXPECT_TRUE(SimFrames::Ask(m, SimFrames::Query(0x1A)).empty());
    EXPECT_TRUE(Run("stick HSIZE off").ok);
    SimFrames::Ask(m, SimFrames::SetValue(0x1A, 3));
    EXPECT_NE(m.Value(2), 3);
    EXPECT_TRUE(Run("pull").ok);
    EXPECT_TRUE(m.IsCablePulled());
    EXPECT_TRUE(Run("replug").ok);
    EXPECT_FALSE(m.IsCablePulled());
}

TEST_F(SimConsole, BadInputIsRefusedWithoutChanges) {
    const std::uint16_t before = m.Value(0);
    for (const char* line :
         {"key", "key bright", "key nosuch 3", "key bright -1", "key bright 70000", "timing 0 60",
          "timing x 60", "timing nan 60", "timing 68 inf", "noise many", "stick bright sometimes",
          "delay 9999999", "frobnicate"}) {
        const SimCommandResult r = Run(line);
        EXPECT_FALSE(r.ok) << line;
        EXPECT_TRUE(r.answer.startsWith("error: ")) << line;
    }
    EXPECT_EQ(m.Value(0), before);
    EXPECT_TRUE(SimFrames::Drain(m).empty());
    EXPECT_TRUE(Run("   ").answer.isEmpty());
    EXPECT_TRUE(Run("quit").quit);
    EXPECT_TRUE(Run("dump").answer.contains("hsize"));
}
