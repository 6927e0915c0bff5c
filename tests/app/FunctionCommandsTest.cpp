#include "BenchFixtures.h"

#include "app/CommandIds.h"

#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

constexpr std::uint16_t kBnc = 0x0008, kManual = 0x0010, kPriorityBnc = 0x0400, kBeepOff = 0x0800;

class FunctionCommandsTest : public MainFrameFixture {
protected:
    // Runs a command as a click on its menu item would.
    void Run(int id) { frame->Action(id)->trigger(); }
    // Opens every menu the command sits in, so its state rule runs, and reads the mark.
    bool CheckedInMenu(int id) {
        QAction* action = frame->Action(id);
        for (QMenu* menu : frame->findChildren<QMenu*>())
            if (menu->actions().contains(action))
                emit menu->aboutToShow();
        return action->isChecked();
    }
    // The monitor changes without the program asking (its own front panel).
    void PanelSetsModeWord(std::uint16_t word) {
        sim->SetValue(Items::ModeWord, word);
        ASSERT_TRUE(bench.Monitor().ReadModes());
    }
};

TEST_F(FunctionCommandsTest, InputSignalCommandsSwitchAndMarkTheInputInUse) {
    Start("revC");
    Run(Cmd::InputBnc);
    EXPECT_TRUE(sim->ModeWord() & kBnc);
    EXPECT_TRUE(CheckedInMenu(Cmd::InputBnc));
    EXPECT_FALSE(CheckedInMenu(Cmd::InputDsub));
    Run(Cmd::InputDsub);
    EXPECT_FALSE(sim->ModeWord() & kBnc);
    EXPECT_TRUE(CheckedInMenu(Cmd::InputDsub));
    EXPECT_FALSE(CheckedInMenu(Cmd::InputBnc));
}

TEST_F(FunctionCommandsTest, MarksFollowTheMonitorNotTheLastClick) {
    Start("revC");
    Run(Cmd::InputDsub);
    PanelSetsModeWord(sim->ModeWord() | kBnc);
    EXPECT_TRUE(CheckedInMenu(Cmd::InputBnc));
    EXPECT_FALSE(CheckedInMenu(Cmd::InputDsub));
    // The toolbar's buttons catch up when the program idles.
    frame->OnIdleUpdate();
    EXPECT_TRUE(frame->Action(Cmd::InputBnc)->isChecked());
}

TEST_F(FunctionCommandsTest, ColorModesOfRevisionB) {
    Start("revB");
    Run(Cmd::ColorMode2);
    EXPECT_EQ(sim->Value(Items::ColorMode), 1);
    EXPECT_TRUE(CheckedInMenu(Cmd::ColorMode2));
    EXPECT_FALSE(CheckedInMenu(Cmd::ColorMode1));
    EXPECT_FALSE(CheckedInMenu(Cmd::ColorMode3));
    Run(Cmd::ColorMode3);
    EXPECT_EQ(sim->Value(Items::ColorMode), 2);
    EXPECT_TRUE(CheckedInMenu(Cmd::ColorMode3));
}

TEST_F(FunctionCommandsTest, BeepToggleAndItsOnOffPair) {
    Start("revB");
    const bool wasOn = !(sim->ModeWord() & kBeepOff);
    Run(Cmd::BeepToggle);
    EXPECT_EQ(!(sim->ModeWord() & kBeepOff), !wasOn);
    Run(Cmd::BeepOff);
    EXPECT_TRUE(sim->ModeWord() & kBeepOff);
    EXPECT_TRUE(CheckedInMenu(Cmd::BeepOff));
    EXPECT_FALSE(CheckedInMenu(Cmd::BeepOn));
    frame->OnIdleUpdate();
    EXPECT_FALSE(frame->Action(Cmd::BeepToggle)->isChecked());
    Run(Cmd::BeepOn);
    EXPECT_FALSE(sim->ModeWord() & kBeepOff);
    EXPECT_TRUE(CheckedInMenu(Cmd::BeepOn));
    frame->OnIdleUpdate();
    EXPECT_TRUE(frame->Action(Cmd::BeepToggle)->isChecked());
}

TEST_F(FunctionCommandsTest, ManualDetectionOnRevisionBSendsOneAndIsReportedAsTwo) {
    Start("revB");
    Run(Cmd::DetectManual);
    EXPECT_TRUE(sim->ModeWord() & kManual);
    EXPECT_EQ(bench.Monitor().GetInputDetection(), 2);
    EXPECT_TRUE(CheckedInMenu(Cmd::DetectManual));
    EXPECT_FALSE(CheckedInMenu(Cmd::DetectAuto));
    Run(Cmd::DetectAuto);
    EXPECT_FALSE(sim->ModeWord() & kManual);
    EXPECT_TRUE(CheckedInMenu(Cmd::DetectAuto));
    EXPECT_FALSE(CheckedInMenu(Cmd::DetectManual));
}

TEST_F(FunctionCommandsTest, ThreeDetectionModesOfRevisionC) {
    Start("revC");
    Run(Cmd::DetectAutoBnc);
    EXPECT_EQ(sim->ModeWord() & (kManual | kPriorityBnc), kPriorityBnc);
    EXPECT_TRUE(CheckedInMenu(Cmd::DetectAutoBnc));
    Run(Cmd::DetectManualOnly);
    EXPECT_TRUE(sim->ModeWord() & kManual);
    EXPECT_TRUE(CheckedInMenu(Cmd::DetectManualOnly));
    EXPECT_FALSE(CheckedInMenu(Cmd::DetectAutoBnc));
    Run(Cmd::DetectAutoDsub);
    EXPECT_EQ(sim->ModeWord() & (kManual | kPriorityBnc), 0);
    EXPECT_TRUE(CheckedInMenu(Cmd::DetectAutoDsub));
    EXPECT_FALSE(CheckedInMenu(Cmd::DetectManualOnly));
}

TEST_F(FunctionCommandsTest, AutoSizingIsOfferedOnlyWhenTheMonitorCanAutoSize) {
    Start("revC");
    sim->SetAvailable(Items::AutoSizeItem, true);
    ASSERT_TRUE(bench.Monitor().ReadModes());
    CheckedInMenu(Cmd::AutoSizing);
    EXPECT_TRUE(frame->Action(Cmd::AutoSizing)->isEnabled());
    sim->SetAvailable(Items::AutoSizeItem, false);
    ASSERT_TRUE(bench.Monitor().ReadModes());
    frame->OnIdleUpdate();
    EXPECT_FALSE(frame->Action(Cmd::AutoSizing)->isEnabled());
}

TEST_F(FunctionCommandsTest, DegaussResetsAndStore) {
    Start("revC");
    Run(Cmd::Degauss);
    EXPECT_EQ(sim->DegaussCount(), 1);
    Run(Cmd::ResetAll);
    Run(Cmd::ResetGeometry);
    Run(Cmd::ResetConvergence);
    Run(Cmd::ResetColor);
    EXPECT_EQ(sim->ResetCount(0x09), 1);
    EXPECT_EQ(sim->ResetCount(0x0A), 1);
    EXPECT_EQ(sim->ResetCount(0x50), 1);
    EXPECT_EQ(sim->ResetCount(0x0B), 1);

    ASSERT_TRUE(bench.Monitor().WriteItem(Items::Bright, bench.Monitor().Item(0).current / 2));
    ASSERT_TRUE(bench.Monitor().IsModified());
    Run(Cmd::StoreInMemory);
    EXPECT_EQ(sim->StoreCount(), 1);
    EXPECT_FALSE(bench.Monitor().IsModified());
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
