// Two starts of the program against one simulated monitor on a real X server with a window
// manager: the second start hands its settings file to the first and ends with 0, and the
// first, minimised meanwhile, comes back and opens the file.
#include "RealDisplay.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

class SingleInstanceRealTest : public ::testing::Test {
protected:
    void SetUp() override {
        QELT32_SKIP_WITHOUT_REAL_DISPLAY(true);
        ASSERT_TRUE(display.Start()) << display.Error().toStdString();
        // A settings file of this monitor, which then gets another brightness.
        ASSERT_TRUE(display.RunCtl({QStringLiteral("save"), File()}))
            << display.Error().toStdString();
        saved = display.SimValue(QStringLiteral("bright"));
        ASSERT_GE(saved, 0);
        display.SimCommand(QStringLiteral("set bright %1").arg((saved + 40) % 200));
        ASSERT_NE(display.SimValue(QStringLiteral("bright")), saved);
        ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    }

    QString File() const { return files.filePath(QStringLiteral("evening.qlt")); }

    // Whether a visible window's title names the file.
    bool TitleNamesFile() {
        return !display.VisibleWindows(QStringLiteral("evening\\.qlt")).isEmpty();
    }

    bool Minimize() {
        return display.Xdotool(
            {QStringLiteral("windowminimize"), QStringLiteral("--sync"), display.Window()});
    }

    CRealDisplay display{{.windowManager = true}};
    QTemporaryDir files;
    int saved = -1;
};

TEST_F(SingleInstanceRealTest, ASecondStartHandsItsFileToTheFirstAndEnds) {
    ASSERT_TRUE(Minimize());
    EXPECT_EQ(display.RunAnotherStart({File()}), 0);
    EXPECT_EQ(display.Program().state(), QProcess::Running);
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return TitleNamesFile(); }))
        << "the first instance did not come back with the file";
    EXPECT_TRUE(display.WaitForSimValue(QStringLiteral("bright"), saved));

    // Without a file, a second start only brings the first back.
    ASSERT_TRUE(Minimize());
    EXPECT_EQ(display.RunAnotherStart({}), 0);
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return TitleNamesFile(); }));
}

TEST_F(SingleInstanceRealTest, TheNextStartTakesOverTheSocketOfAKilledInstance) {
    display.Program().kill();
    display.Program().waitForFinished(5000);
    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    EXPECT_EQ(display.RunAnotherStart({File()}), 0);
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return TitleNamesFile(); }));
    EXPECT_TRUE(display.WaitForSimValue(QStringLiteral("bright"), saved));
}

} // namespace
