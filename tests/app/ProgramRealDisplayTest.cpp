// The program run as a user runs it: on an X server, against the simulator, driven with
// keys, and its profile read after it has ended.

#include "RealDisplay.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

QVariant ProfileValue(const CRealDisplay& display, const QString& key) {
    return QSettings(display.ProfileFile(), QSettings::IniFormat).value(key);
}

void SetProfileValue(const CRealDisplay& display, const QString& key, const QVariant& value) {
    QSettings(display.ProfileFile(), QSettings::IniFormat).setValue(key, value);
}

// File > Exit from the keyboard, and the answer to the question about changed values.
int ExitWithKeys(CRealDisplay& display, const QString& answer = {}) {
    if (!display.Key("alt+f") || !display.Key("x"))
        return -1;
    if (!answer.isEmpty()) {
        QStringList question;
        if (!CRealDisplay::WaitUntil(
                [&] { return !(question = display.VisibleWindows("^Vistrel Pro$")).isEmpty(); }))
            return -1;
        if (!display.Focus(question.first()) || !display.Key(answer))
            return -1;
    }
    return display.WaitForProgramEnd();
}

TEST(ProgramRealDisplay, RunsGivenTheirOneDeviceKeepTheUsersPort) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
    CRealDisplay display;
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    SetProfileValue(display, "Settings/com", 2);

    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    EXPECT_EQ(ExitWithKeys(display), 0) << display.Error().toStdString();
    EXPECT_EQ(ProfileValue(display, "Settings/com").toInt(), 2);

    ASSERT_TRUE(display.Launch({"--simulate=revB", "--sim-unpaced", "--no-splash"}))
        << display.Error().toStdString();
    EXPECT_EQ(ExitWithKeys(display), 0) << display.Error().toStdString();
    EXPECT_EQ(ProfileValue(display, "Settings/com").toInt(), 2);
}

TEST(ProgramRealDisplay, ARecentFileOpenedWhileRunningIsWhatThePanelKeeps) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
    CRealDisplay display;
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    // A file at 5000K (step 10); the monitor then goes to 9300K (step 53).
    const QString file = QDir(QFileInfo(display.ProfileFile()).absolutePath()).filePath("warm.qlt");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
    QString info;
    ASSERT_TRUE(display.RunCtl({"colortemp", "5000K"})) << display.Error().toStdString();
    ASSERT_TRUE(display.RunCtl({"save", file})) << display.Error().toStdString();
    ASSERT_TRUE(display.RunCtl({"colortemp", "9300K"})) << display.Error().toStdString();
    ASSERT_TRUE(display.RunCtl({"info"}, &info)) << display.Error().toStdString();
    const QRegularExpressionMatch serial = QRegularExpression("serial +(\\d+)").match(info);
    ASSERT_TRUE(serial.hasMatch()) << info.toStdString();
    const QString colortemp = serial.captured(1) + "/colortemp";
    SetProfileValue(display, "Recent File List/File1", file);
    const int gain = display.SimValue("rgain");

    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    ASSERT_TRUE(display.Key("alt+f"));
    ASSERT_TRUE(display.Key("1")); // the first recent file
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return display.SimValue("rgain") != gain; }));
    // Keep the loaded values when asked on the way out.
    EXPECT_EQ(ExitWithKeys(display, "y"), 0) << display.Error().toStdString();
    EXPECT_EQ(ProfileValue(display, colortemp).toInt(), 10);
}

} // namespace

// A place saved at the screen's bottom right corner: the frame comes back with its title bar
// on the screen, where the pointer can take it.
TEST(ProgramRealDisplay, APlaceAtTheScreensCornerBringsTheTitleBarBack) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(true);
    CRealDisplay::Options options;
    options.screen = QSize(1600, 1200);
    options.windowManager = true;
    CRealDisplay display(options);
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    SetProfileValue(display, "Settings/Resolution", "1600 1200 1599 1199");
    SetProfileValue(display, "Settings/Status", 1);
    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();

    QString geometry;
    ASSERT_TRUE(display.Xdotool({"getwindowgeometry", "--shell", display.Window()}, &geometry));
    const auto field = [&](const char* name) {
        return QRegularExpression(QStringLiteral("%1=(-?\\d+)").arg(name))
            .match(geometry)
            .captured(1)
            .toInt();
    };
    // The client area starts right below the title bar, so the whole bar is above it.
    EXPECT_GE(field("X"), 0) << geometry.toStdString();
    EXPECT_LE(field("X") + field("WIDTH"), 1600) << geometry.toStdString();
    EXPECT_GT(field("Y"), 0) << geometry.toStdString();
    EXPECT_LE(field("Y"), 1200) << geometry.toStdString();

    EXPECT_EQ(ExitWithKeys(display), 0);
}
