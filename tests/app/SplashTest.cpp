#include "dialogs/SplashWnd.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(SplashPictureTest, SixteenColourScreensGetTheSixteenColourPicture) {
    EXPECT_EQ(SplashBitmapForDepth(4), 150);
    EXPECT_EQ(SplashBitmapForDepth(8), 149);
    EXPECT_EQ(SplashBitmapForDepth(1), 149);
    EXPECT_EQ(SplashBitmapForDepth(24), 149);
    EXPECT_EQ(ColorTableSize(1), 2);
    EXPECT_EQ(ColorTableSize(4), 16);
    EXPECT_EQ(ColorTableSize(8), 256);
    EXPECT_EQ(ColorTableSize(24), 0);
}

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override {
        qApp->installEventFilter(&filter);
        EnableStartupSplash(true);
        owner.resize(200, 100);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }
    void TearDown() override {
        if (g_pStartupSplash)
            g_pStartupSplash->HideSplashScreen();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qApp->removeEventFilter(&filter);
    }

    CSplashMessageFilter filter;
    QLineEdit owner;
};

TEST_F(SplashTest, ShowsTheStartUpPictureOnce) {
    ShowStartupSplash(&owner);
    ASSERT_NE(g_pStartupSplash, nullptr);
    CStartupSplash* first = g_pStartupSplash;
    EXPECT_EQ(first->size(), QSize(320, 217));
    EXPECT_EQ(first->BitmapId(), 149);
    EXPECT_EQ(first->Colors(), 256);
    EXPECT_TRUE(first->isVisible());
    ShowStartupSplash(&owner);
    EXPECT_EQ(g_pStartupSplash, first);
}

TEST_F(SplashTest, FirstKeyClosesThePictureAndGoesNoFurther) {
    ShowStartupSplash(&owner);
    ASSERT_NE(g_pStartupSplash, nullptr);
    QTest::keyClick(&owner, Qt::Key_A);
    EXPECT_EQ(g_pStartupSplash, nullptr);
    EXPECT_TRUE(owner.text().isEmpty());
    QTest::keyClick(&owner, Qt::Key_B);
    EXPECT_EQ(owner.text(), QStringLiteral("b"));
}

TEST_F(SplashTest, FirstClickClosesThePictureAndGoesNoFurther) {
    ShowStartupSplash(&owner);
    ASSERT_NE(g_pStartupSplash, nullptr);
    owner.setText(QStringLiteral("abc"));
    owner.setCursorPosition(0);
    QTest::mouseClick(&owner, Qt::LeftButton, {}, QPoint(150, 10));
    EXPECT_EQ(g_pStartupSplash, nullptr);
    EXPECT_EQ(owner.cursorPosition(), 0);
}

TEST_F(SplashTest, ShortcutsDoNotFireWhileThePictureIsUp) {
    QAction action(&owner);
    action.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    owner.addAction(&action);
    QSignalSpy triggered(&action, &QAction::triggered);
    ShowStartupSplash(&owner);
    ASSERT_NE(g_pStartupSplash, nullptr);
    QTest::keyClick(&owner, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(g_pStartupSplash, nullptr);
    EXPECT_EQ(triggered.count(), 0);
}

TEST_F(SplashTest, ClosesByItselfAfterItsTime) {
    ShowStartupSplash(&owner);
    ASSERT_NE(g_pStartupSplash, nullptr);
    QTest::qWait(CStartupSplash::kShowMs / 2);
    EXPECT_NE(g_pStartupSplash, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([] { return g_pStartupSplash == nullptr; }, 20000));
}

TEST_F(SplashTest, DisabledByTheCommandLineShowsNothing) {
    EnableStartupSplash(false);
    ShowStartupSplash(&owner);
    EXPECT_EQ(g_pStartupSplash, nullptr);
    QTest::keyClick(&owner, Qt::Key_A);
    EXPECT_EQ(owner.text(), QStringLiteral("a"));
}

} // namespace
