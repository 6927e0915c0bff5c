#include "BenchFixtures.h"

#include "platform/StringTable.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace {

constexpr std::uint8_t kStoreCommand = 0x0C;
constexpr std::uint8_t kSetValue = 0x03;
constexpr std::uint16_t kColorCustom = 0x2000;

class CloseFlowTest : public MainFrameFixture {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Start("revC"));
        frame->show();
    }
    CMonitor& Monitor() { return bench.Monitor(); }
    // Position in the request log of the last frame with this command (and item code).
    int LastIndexOf(std::uint8_t command, int code = -1) {
        const std::vector<SimRequest> log = sim->RequestLog();
        int found = -1;
        for (int i = 0; i < static_cast<int>(log.size()); ++i)
            if (log[i].accepted && log[i].command == command &&
                (code < 0 || (!log[i].data.empty() && log[i].data[0] == code)))
                found = i;
        return found;
    }
};

TEST_F(CloseFlowTest, UnchangedMonitorIsNotAskedAboutButStillStores) {
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(sim->StoreCount(), 1);
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(CloseFlowTest, NoWritesTheStoredValuesBackBeforeTheStore) {
    const std::uint16_t stored = Monitor().Item(Items::HSize).stored;
    ASSERT_TRUE(Monitor().WriteItem(Items::HSize, stored + 7));
    messages.reply = MsgResult::No;
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(messages.shown, std::vector<int>{Str::KeepChanges});
    EXPECT_EQ(sim->Value(Items::HSize), stored);
    EXPECT_EQ(sim->StoreCount(), 1);
    EXPECT_LT(LastIndexOf(kSetValue, 0x1A), LastIndexOf(kStoreCommand));
}

TEST_F(CloseFlowTest, YesKeepsTheChangeAndStoresIt) {
    const std::uint16_t stored = Monitor().Item(Items::HSize).stored;
    ASSERT_TRUE(Monitor().WriteItem(Items::HSize, stored + 7));
    messages.reply = MsgResult::Yes;
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(sim->Value(Items::HSize), stored + 7);
    EXPECT_EQ(sim->StoreCount(), 1);
}

TEST_F(CloseFlowTest, ClosingWhileDisconnectedSaysNothingWasStoredAndStillEnds) {
    const std::uint16_t stored = Monitor().Item(Items::HSize).stored;
    ASSERT_TRUE(Monitor().WriteItem(Items::HSize, stored + 7));
    sim->PullCable();
    EXPECT_FALSE(Monitor().ReadItem(Items::HSize)) << "an exchange finds the port dead";
    for (int i = 0; i < 1000 && Monitor().IsConnected(); ++i)
        QCoreApplication::processEvents();
    ASSERT_FALSE(Monitor().IsConnected());
    messages.Clear();
    messages.reply = MsgResult::Yes;
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(messages.shown, std::vector<int>{Str::NotStoredDisconnected})
        << "no question whose Yes could not be kept";
    EXPECT_EQ(sim->StoreCount(), 0);
}

TEST_F(CloseFlowTest, AStoreThatCannotReachTheMonitorSaysSo) {
    sim->PullCable();
    messages.Clear();
    EXPECT_FALSE(Monitor().StoreInMemory(true));
    EXPECT_EQ(messages.shown, std::vector<int>{Str::CommFailure});
    EXPECT_EQ(sim->StoreCount(), 0);
}

TEST_F(CloseFlowTest, CancelSendsNothingAndTheFrameStays) {
    ASSERT_TRUE(Monitor().WriteItem(Items::Bright, Monitor().Item(Items::Bright).stored + 3));
    sim->ClearRequestLog();
    messages.reply = MsgResult::Cancel;
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(sim->RequestLog().empty());
    EXPECT_EQ(sim->StoreCount(), 0);
}

TEST_F(CloseFlowTest, ColourIsWrittenBackOnlyWhenTheStoredColourWasTheUsersOwn) {
    // The monitor's memory holds a factory colour setting: its colour stays as changed.
    sim->SetValue(Items::ModeWord, sim->ModeWord() & ~kColorCustom);
    ASSERT_TRUE(Monitor().ReadModes());
    Monitor().CommitModes();
    const std::uint16_t gain = Monitor().Item(26).stored;
    ASSERT_TRUE(Monitor().WriteItem(26, gain - 4));
    messages.reply = MsgResult::No;
    EXPECT_TRUE(frame->OnClose());
    EXPECT_EQ(sim->Value(26), gain - 4);

    // With the user's own colour in memory it is put back.
    sim->SetValue(Items::ModeWord, sim->ModeWord() | kColorCustom);
    ASSERT_TRUE(Monitor().ReadModes());
    Monitor().CommitModes();
    EXPECT_TRUE(frame->OnClose());
    EXPECT_EQ(sim->Value(26), gain);
}

TEST_F(CloseFlowTest, APulledCableGivesTheLinkMessagesAndTheFrameStillCloses) {
    const std::uint16_t stored = Monitor().Item(Items::HSize).stored;
    ASSERT_TRUE(Monitor().WriteItem(Items::HSize, stored + 7));
    sim->PullCable();
    messages.reply = MsgResult::No;
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isVisible());
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown.front(), Str::KeepChanges);
    EXPECT_GE(messages.Count(Str::CommFailure), 1);
    EXPECT_EQ(sim->StoreCount(), 0);
}

} // namespace
