// A start-up that finds no monitor, on an X server: the box gives the reason, the adapter
// plugged in while it is up is offered by its stable name, and choosing it with the keys
// starts the program on that monitor and remembers the device.

#include "DeviceFolder.h"
#include "DeviceListKeys.h"
#include "RealDisplay.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(PortChoiceRealDisplay, TheAdapterChosenFromTheNoMonitorBoxIsUsedAndRemembered) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
    const CDeviceFolder dev;
    ASSERT_TRUE(dev.IsValid());
    CRealDisplay display;
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    const QString silent = dev.FilePath(QStringLiteral("ttyS-none"));
    ASSERT_TRUE(display.Launch({"--ports", silent, "--no-splash"}, QStringLiteral("^Vistrel Pro$")))
        << display.Error().toStdString();

    // The adapter is plugged in while the box is up.
    const QString stable = dev.ById(QStringLiteral("usb-Sim_Monitor_Cable-if00"));
    ASSERT_TRUE(QFile::link(display.LinkPath(), stable));
    ASSERT_TRUE(display.Focus(display.Window()));
    ASSERT_TRUE(display.Key("alt+c"));
    ASSERT_TRUE(DeviceListKeys::Pick(display, "Down Return")) << "the device list did not open";

    ASSERT_TRUE(
        CRealDisplay::WaitUntil([&] { return !display.VisibleWindows("Untitled").isEmpty(); }, 30s))
        << "the program did not start on the chosen device";
    ASSERT_GE(display.SimValue("hpos"), 0);
    EXPECT_EQ(DeviceListKeys::RememberedAtEnd(display), stable);
}
