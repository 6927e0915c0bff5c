#include "BenchFixtures.h"

#include "app/CommandIds.h"
#include "app/SystemMenuModel.h"
#include "platform/PlatformFlags.h"

#include <gtest/gtest.h>

namespace {

using Entries = std::vector<SystemMenuEntry>;
const SystemMenuEntry kSeparator{0, {}};
const SystemMenuEntry kAutoSizing{Cmd::SysAutoSizing, QStringLiteral("Auto-Sizing")};
const SystemMenuEntry kToBnc{Cmd::InputBnc, QStringLiteral("BNC")};
const SystemMenuEntry kToDsub{Cmd::InputDsub, QStringLiteral("D-SUB")};

class SystemMenuTest : public SimBenchFixture {
protected:
    void Start(const char* name, bool canAutoSize) {
        Connect(QString::fromLatin1(name), canAutoSize);
    }
};

TEST_F(SystemMenuTest, MinimisingAddsAutoSizingAndTheOtherInput) {
    Start("revC", true);
    CSystemMenuModel menu(bench.Monitor(), true);
    const Entries standard = menu.Entries();
    ASSERT_EQ(standard.size(), 7u);
    menu.OnMinimize();
    EXPECT_EQ(menu.OwnEntries(), (Entries{kSeparator, kAutoSizing, kToBnc}));
    menu.OnRestore();
    EXPECT_EQ(menu.Entries(), standard);
}

TEST_F(SystemMenuTest, RepeatedMinimiseAndRestoreLeaveTheMenuAsItWas) {
    Start("revC", true);
    CSystemMenuModel menu(bench.Monitor(), true);
    const Entries standard = menu.Entries();
    for (int i = 0; i < 5; ++i) {
        menu.OnMinimize();
        menu.OnInitMenu(true);
        menu.OnMinimize(); // a second report of the same state adds nothing
        EXPECT_EQ(menu.OwnEntries().size(), 3u);
        menu.OnRestore();
        EXPECT_EQ(menu.Entries(), standard);
    }
}

TEST_F(SystemMenuTest, OpeningTheMenuOffersTheInputNotInUse) {
    Start("revC", true);
    CSystemMenuModel menu(bench.Monitor(), true);
    menu.OnMinimize();
    ASSERT_TRUE(bench.Monitor().SetInputSignal(1));
    menu.OnInitMenu(true);
    EXPECT_EQ(menu.OwnEntries(), (Entries{kSeparator, kAutoSizing, kToDsub}));
    ASSERT_TRUE(bench.Monitor().SetInputSignal(0));
    menu.OnInitMenu(true);
    EXPECT_EQ(menu.OwnEntries(), (Entries{kSeparator, kAutoSizing, kToBnc}));
    // Not minimised: nothing is renewed.
    ASSERT_TRUE(bench.Monitor().SetInputSignal(1));
    menu.OnInitMenu(false);
    EXPECT_EQ(menu.OwnEntries().back(), kToBnc);
}

TEST_F(SystemMenuTest, WithoutAutoSizingTheInputSwitchSitsAtPositionEight) {
    Start("revC", false);
    CSystemMenuModel menu(bench.Monitor(), true);
    menu.OnMinimize();
    EXPECT_EQ(menu.OwnEntries(), (Entries{kSeparator, kToBnc}));
    ASSERT_TRUE(bench.Monitor().SetInputSignal(1));
    menu.OnInitMenu(true);
    EXPECT_EQ(menu.OwnEntries(), (Entries{kSeparator, kToDsub}));
    EXPECT_EQ(menu.Entries().size(), 9u);
}

TEST_F(SystemMenuTest, SingleInputMonitorGetsNoInputSwitch) {
    Start("tr3306", true);
    CSystemMenuModel menu(bench.Monitor(), true);
    menu.OnMinimize();
    menu.OnInitMenu(true);
    EXPECT_EQ(menu.OwnEntries(), (Entries{kSeparator, kAutoSizing}));
}

TEST_F(SystemMenuTest, OldShellNeverChangesTheMenu) {
    Start("revC", true);
    CSystemMenuModel menu(bench.Monitor(), false);
    menu.OnMinimize();
    menu.OnInitMenu(true);
    EXPECT_TRUE(menu.OwnEntries().empty());
    menu.OnRestore();
    EXPECT_EQ(menu.Entries().size(), 7u);
}

TEST_F(SystemMenuTest, TheFrameKeepsTheModelInStepWithItsWindowState) {
    Start("revC", true);
    CAutoSizeNoticeRunner notice;
    CMainFrame frame(bench.Monitor(), notice, QString());
    ASSERT_TRUE(frame.Create());
    frame.show();
    for (int i = 0; i < 3; ++i) {
        frame.showMinimized();
        EXPECT_EQ(frame.SystemMenu().OwnEntries().size(), 3u);
        // Switching the input from the minimised window's menu.
        frame.OnSysCommand(Cmd::InputBnc);
        EXPECT_TRUE(sim->ModeWord() & 0x0008);
        frame.OnSysCommand(Cmd::InputDsub);
        EXPECT_FALSE(sim->ModeWord() & 0x0008);
        frame.showNormal();
        EXPECT_TRUE(frame.SystemMenu().OwnEntries().empty());
    }
}

} // namespace
