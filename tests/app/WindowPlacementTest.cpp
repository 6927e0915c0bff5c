#include "SimBench.h"

#include "RecordingMessages.h"
#include "TempProfile.h"
#include "app/MainFrame.h"
#include "app/WindowPlacement.h"
#include "dialogs/AutoSizeNoticeDlg.h"
#include "dialogs/SplashWnd.h"
#include "platform/Profile.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

using namespace WindowPlacement;

TEST(WindowPlacementTextTest, WrittenAsFourZeroPaddedNumbers) {
    EXPECT_EQ(FormatResolution({1024, 768}, {100, 50}), QStringLiteral("1024 0768 0100 0050"));
    EXPECT_EQ(FormatResolution({800, 600}, {-5, 0}), QStringLiteral("0800 0600 -005 0000"));
}

TEST(WindowPlacementTextTest, ReadBackOnlyForTheSameScreenSize) {
    EXPECT_EQ(ParseResolution(QStringLiteral("1024 0768 0100 0050"), {1024, 768}), QPoint(100, 50));
    EXPECT_EQ(ParseResolution(QStringLiteral("0800 0600 -005 0000"), {800, 600}), QPoint(-5, 0));
    // Stored on a 1024 x 768 screen, started on 800 x 600.
    EXPECT_EQ(ParseResolution(QStringLiteral("1024 0768 0100 0050"), {800, 600}), std::nullopt);
}

TEST(WindowPlacementTextTest, AbsentOrMalformedTextIsIgnored) {
    const QSize screen(1024, 768);
    EXPECT_EQ(ParseResolution(QString(), screen), std::nullopt);
    EXPECT_EQ(ParseResolution(QStringLiteral("1024 0768"), screen), std::nullopt);
    EXPECT_EQ(ParseResolution(QStringLiteral("1024 0768 0100"), screen), std::nullopt);
    EXPECT_EQ(ParseResolution(QStringLiteral("wide high left top.."), screen), std::nullopt);
    EXPECT_EQ(ParseResolution(QStringLiteral("1024 0768 0100 top"), screen), std::nullopt);
}

TEST(WindowPlacementTextTest, OnlyShowCommandsThatShowTheWindowAreTaken) {
    EXPECT_EQ(ShowStateFromStatus(1), ShowState::Normal);
    EXPECT_EQ(ShowStateFromStatus(5), ShowState::Normal);
    EXPECT_EQ(ShowStateFromStatus(2), ShowState::Minimized);
    EXPECT_EQ(ShowStateFromStatus(7), ShowState::Minimized);
    EXPECT_EQ(ShowStateFromStatus(0), std::nullopt);
    EXPECT_EQ(ShowStateFromStatus(12), std::nullopt);
    EXPECT_EQ(ShowStateFromStatus(-1), std::nullopt);
}

TEST(WindowPlacementTextTest, APlaceAtAScreensEdgeKeepsTheTitleBarOnIt) {
    const QSize frame(570, 420);
    const QList<QRect> one = {QRect(0, 0, 1600, 1200)};
    EXPECT_EQ(PlaceOnScreens({1599, 1199}, frame, 24, one), QPoint(1030, 1176));
    EXPECT_EQ(PlaceOnScreens({-569, -419}, frame, 24, one), QPoint(0, 0));
    EXPECT_EQ(PlaceOnScreens({200, 1000}, frame, 24, one), QPoint(200, 1000)) << "title bar shown";
    EXPECT_EQ(PlaceOnScreens({5000, 4000}, frame, 24, one), std::nullopt);
    EXPECT_EQ(PlaceOnScreens({10, 10}, frame, 24, {}), std::nullopt);
    // A frame wider than the screen keeps its left end, and its system menu, on it.
    EXPECT_EQ(PlaceOnScreens({-50, 10}, QSize(900, 300), 24, {QRect(0, 0, 800, 600)}),
              QPoint(0, 10));

    // Two screens side by side: the one that shows most of the frame takes the title bar.
    const QList<QRect> two = {QRect(0, 0, 1600, 1200), QRect(1600, 0, 1024, 768)};
    EXPECT_EQ(PlaceOnScreens({1500, 500}, frame, 24, two), QPoint(1500, 500)) << "across both";
    EXPECT_EQ(PlaceOnScreens({1500, 1000}, frame, 24, two), QPoint(1030, 1000));
    EXPECT_EQ(PlaceOnScreens({2200, 750}, frame, 24, two), QPoint(2054, 744));
}

class FramePlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnableStartupSplash(false);
        bench.Plug(0, QStringLiteral("revC"));
        ASSERT_TRUE(bench.ConnectAndRead());
        screen = QGuiApplication::primaryScreen()->geometry().size();
    }
    std::unique_ptr<CMainFrame> NewFrame() {
        auto frame = std::make_unique<CMainFrame>(bench.Monitor(), notice, QString());
        EXPECT_TRUE(frame->Create());
        return frame;
    }

    CTempProfile profile;
    CRecordingMessages messages;
    CSimBench bench;
    CAutoSizeNoticeRunner notice;
    QSize screen;
};

TEST_F(FramePlacementTest, RemembersWhereItWasOnThisScreen) {
    Profile::WriteString("Settings", "Resolution", FormatResolution(screen, {37, 41}));
    Profile::WriteInt("Settings", "Status", 1);
    auto frame = NewFrame();
    frame->ActivateFrame();
    EXPECT_EQ(frame->pos(), QPoint(37, 41));
    EXPECT_FALSE(frame->isMinimized());
    frame->move(60, 70);
    frame.reset();
    EXPECT_EQ(Profile::GetString("Settings", "Resolution"), FormatResolution(screen, {60, 70}));
    EXPECT_EQ(Profile::GetInt("Settings", "Status", 0), 1);
}

TEST_F(FramePlacementTest, PlaceFromAnotherScreenSizeIsIgnored) {
    const QSize other(screen.width() + 224, screen.height() + 168);
    Profile::WriteString("Settings", "Resolution", FormatResolution(other, {37, 41}));
    Profile::WriteInt("Settings", "Status", 2);
    auto frame = NewFrame();
    const QPoint chosen = frame->pos();
    frame->ActivateFrame();
    EXPECT_EQ(frame->pos(), chosen);
    EXPECT_FALSE(frame->isMinimized()); // the status goes with the place
}

TEST_F(FramePlacementTest, ClosedMinimisedStartsMinimisedWithTheSystemMenuEntries) {
    Profile::WriteString("Settings", "Resolution", FormatResolution(screen, {10, 10}));
    Profile::WriteInt("Settings", "Status", 2);
    auto frame = NewFrame();
    frame->ActivateFrame();
    EXPECT_TRUE(frame->isMinimized());
    EXPECT_FALSE(frame->SystemMenu().OwnEntries().empty());
}

TEST_F(FramePlacementTest, StatusThatIsNoShowCommandIsNotApplied) {
    Profile::WriteString("Settings", "Resolution", FormatResolution(screen, {10, 10}));
    Profile::WriteInt("Settings", "Status", 0);
    auto frame = NewFrame();
    frame->ActivateFrame();
    EXPECT_TRUE(frame->isVisible());
    EXPECT_FALSE(frame->isMinimized());
}

TEST_F(FramePlacementTest, PlaceOffEveryScreenIsNotTaken) {
    Profile::WriteString("Settings", "Resolution", FormatResolution(screen, {5000, 4000}));
    auto frame = NewFrame();
    const QPoint chosen = frame->pos();
    frame->ActivateFrame();
    EXPECT_EQ(frame->pos(), chosen);
}

TEST_F(FramePlacementTest, OnlyTheFirstActivationShowsTheStartUpPicture) {
    EnableStartupSplash(true);
    auto frame = NewFrame();
    frame->ActivateFrame();
    ASSERT_NE(g_pStartupSplash, nullptr);
    EXPECT_EQ(g_pStartupSplash->parentWidget(), frame.get());
    g_pStartupSplash->HideSplashScreen();
    frame->ActivateFrame();
    EXPECT_EQ(g_pStartupSplash, nullptr);
    EnableStartupSplash(false);
}

} // namespace
