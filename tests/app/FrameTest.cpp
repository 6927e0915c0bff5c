#include "BenchFixtures.h"

#include "app/CommandIds.h"
#include "app/NumLockState.h"
#include "platform/HelpWindow.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"

#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

constexpr int kSep = 0;

SimProfile WithRevision(const char* name, char revision) {
    SimProfile profile = *SimProfile::ByName(QString::fromLatin1(name));
    profile.revision = revision;
    return profile;
}

std::vector<int> ToolbarIds(const CMainFrame& frame) {
    std::vector<int> ids;
    for (QAction* action : frame.ToolBar()->actions())
        ids.push_back(action->isSeparator() ? kSep : action->objectName().toInt());
    return ids;
}

QStringList MenuTitles(QMenu* menu) {
    QStringList titles;
    for (QAction* action : menu->actions())
        titles << action->text();
    return titles;
}

QMenu* FunctionMenu(const CMainFrame& frame) {
    return frame.menuBar()->actions().at(1)->menu();
}

struct LayoutCase {
    const char* profile;
    char revision;
    int menu;
    int toolbar;
    std::vector<int> buttons;
    bool inputSubmenu;
};

class FrameLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(FrameLayoutTest, MenuAndToolbarFollowRevisionAndModel) {
    const LayoutCase& c = GetParam();
    CTempProfile profile;
    CRecordingMessages messages;
    CSimBench bench;
    bench.Plug(0, WithRevision(c.profile, c.revision));
    ASSERT_TRUE(bench.ConnectAndRead());
    CAutoSizeNoticeRunner notice;
    CMainFrame frame(bench.Monitor(), notice, QString());
    ASSERT_TRUE(frame.Create());

    EXPECT_EQ(frame.MenuId(), c.menu);
    EXPECT_EQ(frame.ToolbarId(), c.toolbar);
    EXPECT_EQ(ToolbarIds(frame), c.buttons);
    EXPECT_EQ(MenuTitles(FunctionMenu(frame)).contains(QStringLiteral("&Input Signal")),
              c.inputSubmenu);
    // Menu 129 has no colour modes; menu 128 has them.
    EXPECT_EQ(MenuTitles(FunctionMenu(frame)).contains(QStringLiteral("&Color Mode")),
              c.menu == 128);
    EXPECT_TRUE(messages.shown.empty());
}

const std::vector<int> kToolbar128 = {57601, 57603, kSep, 32793, 32794, 32795, kSep, 32789, 32788,
                                      kSep,  32800, kSep, 32787, 32786, 32824, kSep, 57664};
const std::vector<int> kToolbar130 = {57601, 57603, kSep,  32800, kSep,
                                      32787, 32786, 32824, kSep,  57664};
const std::vector<int> kToolbar132 = {57601, 57603, kSep,  32789, 32788, kSep, 32800,
                                      kSep,  32787, 32786, 32824, kSep,  57664};

INSTANTIATE_TEST_SUITE_P(Monitors, FrameLayoutTest,
                         ::testing::Values(LayoutCase{"revB", 'B', 128, 128, kToolbar128, true},
                                           LayoutCase{"revC", 'C', 129, 132, kToolbar132, true},
                                           LayoutCase{"tr3306", 'C', 129, 130, kToolbar130, false},
                                           LayoutCase{"revC", 'D', 128, 132, kToolbar132, true},
                                           LayoutCase{"tr3306", 'D', 128, 130, kToolbar130, true}));

using FrameTest = MainFrameFixture;

TEST_F(FrameTest, ToolbarGroupsAreExclusiveChoices) {
    Start("revB");
    QActionGroup* modes = frame->Action(Cmd::ColorMode1)->actionGroup();
    ASSERT_NE(modes, nullptr);
    EXPECT_EQ(frame->Action(Cmd::ColorMode3)->actionGroup(), modes);
    QActionGroup* inputs = frame->Action(Cmd::InputBnc)->actionGroup();
    ASSERT_NE(inputs, nullptr);
    EXPECT_NE(inputs, modes);
    EXPECT_EQ(frame->Action(Cmd::InputDsub)->actionGroup(), inputs);
    EXPECT_EQ(frame->Action(Cmd::BeepToggle)->actionGroup(), nullptr);
}

TEST_F(FrameTest, PromptsAndToolTipsComeFromTheCommandStrings) {
    Start("revC");
    QAction* degauss = frame->Action(Cmd::Degauss);
    EXPECT_EQ(degauss->statusTip(),
              QStringLiteral("Removing magnetic-field effect from the monitor."));
    EXPECT_EQ(degauss->toolTip(), QStringLiteral("Degaussing"));
    EXPECT_EQ(frame->Action(Cmd::DetectAutoBnc)->statusTip(),
              QStringLiteral("Detect input signal port with priority on BNC"));

    EXPECT_EQ(frame->PromptText(), QStringLiteral("Ready"));
    QStatusTipEvent hover(degauss->statusTip());
    QCoreApplication::sendEvent(frame.get(), &hover);
    EXPECT_EQ(frame->PromptText(), degauss->statusTip());
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(frame.get(), &leave);
    EXPECT_EQ(frame->PromptText(), QStringLiteral("Ready"));
}

TEST_F(FrameTest, ADamagedProfileIsSaidOnceInTheStatusBar) {
    QFile file(profile.Folder() + "/Vistrel Pro.ini");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nDevice=\"/dev/ttyUSB0\n[Ports]\nCOM1=/dev/ttyS0\n");
    file.close();
    Profile::SetFolderForTests(profile.Folder()); // read afresh
    Start("revC");
    EXPECT_TRUE(frame->PromptText().contains(file.fileName())) << frame->PromptText().toStdString();
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(frame.get(), &leave);
    EXPECT_EQ(frame->PromptText(), QStringLiteral("Ready"));
}

TEST_F(FrameTest, StatusBarShowsTheScanFrequenciesInKilohertzAndHertz) {
    Start("revC"); // reports 6840 and 7500 as hundredths
    std::uint16_t fH = 0, fV = 0;
    bench.Monitor().GetTiming(&fH, &fV);
    EXPECT_EQ(frame->FrequencyText(1), QStringLiteral("fH:%1kHz").arg(fH));
    EXPECT_EQ(frame->FrequencyText(2), QStringLiteral("fV:%1Hz").arg(fV));
    EXPECT_EQ(fH, sim->Profile().fH / 100);
}

TEST_F(FrameTest, FrequenciesTheMonitorDidNotReportAreShownAsUnknown) {
    Start("revC");
    bench.Monitor().SetTimings({std::chrono::milliseconds(50), {}, {}});
    sim->DropReplies(1);
    ASSERT_FALSE(bench.Monitor().ReadTiming());
    EXPECT_EQ(frame->FrequencyText(1), QStringLiteral("fH:--kHz"));
    EXPECT_EQ(frame->FrequencyText(2), QStringLiteral("fV:--Hz"));
    ASSERT_TRUE(bench.Monitor().ReadTiming());
    EXPECT_EQ(frame->FrequencyText(1), QStringLiteral("fH:68kHz"));
}

TEST_F(FrameTest, TitleNamesTheDocumentAndTheFrameCannotBeResized) {
    Start("revC");
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Vistrel Pro - Untitled"));
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
    frame->show();
    EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
    frame->hide();
}

TEST_F(FrameTest, AcceleratorsOpenAndSave) {
    Start("revC");
    EXPECT_EQ(frame->Action(Cmd::FileOpen)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(frame->Action(Cmd::FileSave)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
}

TEST_F(FrameTest, HelpTopicsOpenTheHelpFileOrSayItIsMissing) {
    sim = &bench.Plug(0, QStringLiteral("revC"));
    ASSERT_TRUE(bench.ConnectAndRead());
    CMainFrame missing(bench.Monitor(), notice, QStringLiteral("/nonexistent/qelt32e.hlp"));
    ASSERT_TRUE(missing.Create());
    missing.Action(Cmd::HelpFinder)->trigger();
    EXPECT_EQ(messages.shown, std::vector<int>{Str::HelpFileMissing});

    messages.Clear();
    UseBuildProgramFolder();
    CMainFrame present(bench.Monitor(), notice, QStringLiteral(QELT32_TEST_BIN_DIR "/qelt32e.hlp"));
    ASSERT_TRUE(present.Create());
    present.Action(Cmd::HelpFinder)->trigger();
    EXPECT_TRUE(messages.shown.empty());
    bool helpShown = false;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<CHelpWindow*>(window); help && help->isVisible()) {
            helpShown = true;
            help->close();
        }
    EXPECT_TRUE(helpShown);
}

} // namespace

namespace {

TEST(NumLockTest, WithoutTheDisplayServerTheKeypadKeysTell) {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        GTEST_SKIP() << "the X server answers for itself";
    CNumLockState numLock;
    QWidget target;
    QKeyEvent digit(QEvent::KeyPress, Qt::Key_5, Qt::KeypadModifier, QStringLiteral("5"));
    QCoreApplication::sendEvent(&target, &digit);
    EXPECT_TRUE(numLock.IsOn());
    QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::KeypadModifier);
    QCoreApplication::sendEvent(&target, &home);
    EXPECT_FALSE(numLock.IsOn());
    // The digits of the main keyboard say nothing about Num Lock.
    QKeyEvent mainDigit(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    QCoreApplication::sendEvent(&target, &mainDigit);
    EXPECT_FALSE(numLock.IsOn());
}

} // namespace
