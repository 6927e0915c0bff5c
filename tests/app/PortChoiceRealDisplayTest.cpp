// A start-up that finds no monitor, on an X server: the box gives the reason, the adapter
// plugged in while it is up is offered by its stable name, and choosing it with the keys
// starts the program on that monitor and remembers the device.

#include "RealDisplay.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {
using namespace std::chrono_literals;
} // namespace

TEST(PortChoiceRealDisplay, TheAdapterChosenFromTheNoMonitorBoxIsUsedAndRemembered) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
    QTemporaryDir dev;
    ASSERT_TRUE(QDir(dev.path()).mkpath(QStringLiteral("serial/by-id")));
    qputenv("QELT32_DEV_DIR", dev.path().toLocal8Bit());
    qputenv("QELT32_SYS_DIR", dev.filePath(QStringLiteral("no-sys")).toLocal8Bit());
    CRealDisplay display;
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    const QString silent = dev.filePath(QStringLiteral("ttyS-none"));
    ASSERT_TRUE(display.Launch({"--ports", silent, "--no-splash"}, QStringLiteral("^Vistrel Pro$")))
        << display.Error().toStdString();

    // The adapter is plugged in while the box is up.
    const QString stable = dev.filePath(QStringLiteral("serial/by-id/usb-Sim_Monitor_Cable-if00"));
    ASSERT_TRUE(QFile::link(display.LinkPath(), stable));
    ASSERT_TRUE(display.Focus(display.Window()));
    ASSERT_TRUE(display.Key("alt+c"));
    QStringList chooser;
    ASSERT_TRUE(CRealDisplay::WaitUntil(
        [&] { return !(chooser = display.VisibleWindows("^Serial Device$")).isEmpty(); }, 20s))
        << "the device list did not open";
    ASSERT_TRUE(display.Focus(chooser.first()));
    ASSERT_TRUE(display.Key("Down Return"));

    ASSERT_TRUE(
        CRealDisplay::WaitUntil([&] { return !display.VisibleWindows("Untitled").isEmpty(); }, 30s))
        << "the program did not start on the chosen device";
    const int start = display.SimValue("hpos");
    ASSERT_GE(start, 0);
    ASSERT_TRUE(display.SignalProgram(SIGTERM));
    EXPECT_EQ(display.WaitForProgramEnd(), 0);
    EXPECT_EQ(QSettings(display.ProfileFile(), QSettings::IniFormat)
                  .value(QStringLiteral("Settings/Device"))
                  .toString(),
              stable);
    qunsetenv("QELT32_DEV_DIR");
    qunsetenv("QELT32_SYS_DIR");
}
