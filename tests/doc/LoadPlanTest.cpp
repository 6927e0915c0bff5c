#include "doc/LoadPlan.h"

#include "TempProfile.h"
#include "platform/Profile.h"

#include <gtest/gtest.h>

namespace {

using SettingsFormat::Decode;
using SettingsFormat::SettingsContent;

constexpr MonitorIdentity kMonitor{291, 68, 85};
constexpr std::uint16_t kModeWord = 0x2B68; // moiré, NUTEK, 3 minutes, custom colour, BNC

SettingsContent BinaryFile(std::uint16_t fh = 68, std::uint16_t fv = 85,
                           std::uint32_t serial = 291) {
    std::array<std::uint16_t, SettingsFormat::kValueCount> values{};
    for (int i = 0; i < SettingsFormat::kValueCount; ++i)
        values[i] = std::uint16_t(100 + i);
    values[30] = kModeWord;
    return *Decode(SettingsFormat::EncodeBinary(serial, fh, fv, values));
}

std::vector<int> WrittenItems(const LoadPlan& plan) {
    std::vector<int> items;
    for (const LoadStep& step : plan.steps)
        if (step.op == LoadOp::WriteItem)
            items.push_back(step.item);
    return items;
}

std::vector<LoadOp> FlagOps(const LoadPlan& plan) {
    std::vector<LoadOp> ops;
    for (const LoadStep& step : plan.steps)
        if (step.op != LoadOp::WriteItem) {
            EXPECT_EQ(step.value, kModeWord);
            ops.push_back(step.op);
        }
    return ops;
}

TEST(LoadPlan, BinaryFileLoadsEveryGroupInItsOrder) {
    const LoadPlan plan = PlanLoad(BinaryFile(), kMonitor, {});
    EXPECT_FALSE(plan.otherMonitor);
    EXPECT_FALSE(plan.timingMismatch);
    std::vector<int> expected;
    for (int i = 2; i <= 22; ++i)
        expected.push_back(i);
    for (int i : {34, 31, 0, 1, 23, 24, 25, 26, 27, 28, 29, 32})
        expected.push_back(i);
    EXPECT_EQ(WrittenItems(plan), expected);
    EXPECT_EQ(FlagOps(plan),
              (std::vector<LoadOp>{LoadOp::HMoireOnFromFlags, LoadOp::VMoireOnFromFlags,
                                   LoadOp::ColorCustomFromFlags, LoadOp::PowerSaveModeFromFlags,
                                   LoadOp::Mode1DelayFromFlags}));
    // The setters come first in their group.
    EXPECT_EQ(plan.steps[0].op, LoadOp::HMoireOnFromFlags);
    EXPECT_EQ(plan.steps[23], (LoadStep{LoadOp::ColorCustomFromFlags, -1, kModeWord}));
    EXPECT_EQ(plan.steps[24], (LoadStep{LoadOp::WriteItem, 34, 134}));
}

TEST(LoadPlan, NeverWritesTheModeWordOrTheAutoSizeItem) {
    const LoadPlan plan = PlanLoad(BinaryFile(), kMonitor, {});
    for (const LoadStep& step : plan.steps)
        EXPECT_TRUE(step.op != LoadOp::WriteItem || (step.item != 30 && step.item != 33));
}

TEST(LoadPlan, OtherMonitorSendsNothing) {
    const LoadPlan plan = PlanLoad(BinaryFile(68, 85, 292), kMonitor, {});
    EXPECT_TRUE(plan.otherMonitor);
    EXPECT_TRUE(plan.steps.empty());

    const LoadPlan text = PlanLoad(*Decode("[data]\nfh=68\nfv=85\n[flag]\nscreen=1\ncolor=1\n"),
                                   {0xFFFFFFFF, 68, 85}, {});
    EXPECT_TRUE(text.otherMonitor); // no serial belongs to no monitor, even 0xFFFFFFFF
    EXPECT_TRUE(text.steps.empty());
}

TEST(LoadPlan, TimingWithinOneUnitLoadsTheScreenGroup) {
    for (int fh : {67, 68, 69})
        for (int fv : {84, 85, 86}) {
            const LoadPlan plan = PlanLoad(BinaryFile(fh, fv), kMonitor, {});
            EXPECT_FALSE(plan.timingMismatch) << fh << "/" << fv;
            EXPECT_EQ(WrittenItems(plan).front(), 2);
        }
    for (auto [fh, fv] : {std::pair{70, 85}, {66, 85}, {68, 87}, {68, 83}}) {
        const LoadPlan plan = PlanLoad(BinaryFile(fh, fv), kMonitor, {});
        EXPECT_TRUE(plan.timingMismatch) << fh << "/" << fv;
        const std::vector<int> items = WrittenItems(plan);
        EXPECT_EQ(items, (std::vector<int>{34, 31, 0, 1, 23, 24, 25, 26, 27, 28, 29, 32}));
    }
    EXPECT_TRUE(TimingMatches(0, 0, 1, 0));
    EXPECT_TRUE(TimingMatches(0xFFFF, 0, 0xFFFF, 0));
    EXPECT_FALSE(TimingMatches(0xFFFF, 0, 0, 0));
}

TEST(LoadPlan, GroupChoiceSelectsWhatIsSent) {
    const LoadPlan noPower = PlanLoad(BinaryFile(), kMonitor, {true, true, false});
    EXPECT_EQ(WrittenItems(noPower).back(), 29);
    for (LoadOp op : FlagOps(noPower))
        EXPECT_TRUE(op != LoadOp::PowerSaveModeFromFlags && op != LoadOp::Mode1DelayFromFlags);

    const LoadPlan powerOnly = PlanLoad(BinaryFile(), kMonitor, {false, false, true});
    EXPECT_EQ(WrittenItems(powerOnly), std::vector<int>{32});
    EXPECT_EQ(FlagOps(powerOnly),
              (std::vector<LoadOp>{LoadOp::PowerSaveModeFromFlags, LoadOp::Mode1DelayFromFlags}));
}

TEST(LoadPlan, ShortCountLeavesTheMissingItemsAlone) {
    SettingsContent content = BinaryFile();
    for (int i = 5; i < SettingsFormat::kValueCount; ++i)
        content.values[i].reset();
    const LoadPlan plan = PlanLoad(content, kMonitor, {});
    EXPECT_EQ(WrittenItems(plan), (std::vector<int>{2, 3, 4, 0, 1}));
    EXPECT_TRUE(FlagOps(plan).empty()); // no mode word in the file
}

TEST(LoadPlan, TextFormUsesItsOwnGroupsAndKeyOrder) {
    const char* text = "[data]\nserial=291\nfh=68\nfv=85\nflag=768\n[flag]\nscreen=1\ncolor=1\n";
    LoadGroups noneChosen{false, false, false};
    const LoadPlan plan = PlanLoad(*Decode(text), kMonitor, noneChosen);
    EXPECT_EQ(WrittenItems(plan), (std::vector<int>{2,  3,  4, 5, 6,  7,  8,  9,  16, 17, 22,
                                                    18, 19, 0, 1, 23, 24, 25, 26, 27, 28, 29}));
    ASSERT_GE(plan.steps.size(), 2u);
    EXPECT_EQ(plan.steps[0], (LoadStep{LoadOp::HMoireOnFromFlags, -1, 768}));
    EXPECT_EQ(plan.steps[1], (LoadStep{LoadOp::VMoireOnFromFlags, -1, 768}));
    for (const LoadStep& step : plan.steps)
        if (step.op == LoadOp::WriteItem) {
            EXPECT_EQ(step.value, 0) << step.item; // every value key is missing: 0 is sent
        }

    const LoadPlan colourOnly =
        PlanLoad(*Decode("[data]\nserial=291\nfh=90\nfv=85\nbright=9\n[flag]\nscreen=1\ncolor=1\n"),
                 kMonitor, {});
    EXPECT_TRUE(colourOnly.timingMismatch);
    EXPECT_EQ(colourOnly.steps.front(), (LoadStep{LoadOp::WriteItem, 0, 9}));
    EXPECT_EQ(colourOnly.steps.size(), 9u);

    const LoadPlan nothing = PlanLoad(*Decode("[data]\nserial=291\n"), kMonitor, {});
    EXPECT_FALSE(nothing.otherMonitor);
    EXPECT_TRUE(nothing.steps.empty());
}

TEST(LoadGroups, ProfileDefaultsToEverythingAndKeepsTheChoice) {
    CTempProfile profile;
    EXPECT_EQ(LoadGroups::FromProfile(), (LoadGroups{true, true, true}));
    LoadGroups{false, true, false}.WriteToProfile();
    EXPECT_EQ(Profile::GetInt("Settings", "pawer", -1), 0);
    EXPECT_EQ(LoadGroups::FromProfile(), (LoadGroups{false, true, false}));
    Profile::WriteInt("Settings", "screen", 7); // anything but 0 is on
    EXPECT_TRUE(LoadGroups::FromProfile().screen);
}

} // namespace
