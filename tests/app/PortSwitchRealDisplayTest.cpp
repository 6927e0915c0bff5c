// Moving to another monitor while the program runs on an X server, with the keys only:
// File > Serial Port, a device from the list. A device where no monitor answers is refused
// with its reason and the monitor in use goes on; a monitor that answers takes its place,
// the panel follows what that monitor holds, and the device is remembered.

#include "DeviceFolder.h"
#include "DeviceListKeys.h"
#include "RealDisplay.h"

#include <QFile>

#include <gtest/gtest.h>

#include <pty.h>
#include <unistd.h>

namespace {
using namespace std::chrono_literals;

// The message boxes are the only windows titled just so (the frame adds the document).
const QString kBox = QStringLiteral("^Vistrel Pro$");

// File > Serial Port with the keys, then the entry `pick` of the device list ("Home": the
// first, "End": the last).
bool ChooseDevice(CRealDisplay& display, const QString& pick) {
    return display.Focus(display.Window()) && display.Key("alt+f") && display.Key("p") &&
           DeviceListKeys::Pick(display, pick + " Return");
}

// Waits for a message box and answers it with `keys`; true once that box has gone.
bool Answer(CRealDisplay& display, const QString& keys) {
    QStringList boxes;
    if (!CRealDisplay::WaitUntil([&] { return !(boxes = display.VisibleWindows(kBox)).isEmpty(); },
                                 30s))
        return false;
    const QString box = boxes.first();
    return display.Focus(box) && display.Key(keys) &&
           CRealDisplay::WaitUntil([&] { return !display.VisibleWindows(kBox).contains(box); },
                                   20s);
}

// Presses the keypad's right arrow until the monitor's horizontal position moves; its value
// then, -1 when no press arrived.
int MovePosition(CRealDisplay& display, const std::function<int()>& value, int from) {
    int now = from;
    CRealDisplay::WaitUntil(
        [&] {
            display.Focus(display.Window());
            display.Key("KP_6");
            now = value();
            return now >= 0 && now != from;
        },
        20s);
    return now == from ? -1 : now;
}
} // namespace

TEST(PortSwitchRealDisplay, TheMenuMovesToAnotherMonitorAndARefusedDeviceKeepsTheLink) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
    const CDeviceFolder dev;
    ASSERT_TRUE(dev.IsValid());
    CRealDisplay::Options options;
    options.simProfile = QStringLiteral("revB");
    CRealDisplay display(options);
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    ASSERT_TRUE(display.SetNumLock(true)) << display.Error().toStdString();
    // The same model with another serial number, its picture elsewhere.
    ASSERT_TRUE(display.StartSecondMonitor(QStringLiteral("revB15")))
        << display.Error().toStdString();
    ASSERT_EQ(display.SecondSimCommand("set hpos 40").size(), 1);
    // A terminal nobody answers on is listed first, the second monitor last.
    int master = -1, slave = -1;
    char node[128] = {};
    ASSERT_EQ(openpty(&master, &slave, node, nullptr, nullptr), 0);
    ASSERT_TRUE(QFile::link(QString::fromLocal8Bit(node), dev.ById("usb-A_Silent-if00")));
    ::close(slave); // nobody holds it: the program may open it, and hears nothing
    ASSERT_TRUE(QFile::link(display.SecondLinkPath(), dev.ById("usb-Sim_Second-if00")));
    ASSERT_TRUE(display.Launch({"--ports", display.LinkPath(), "--no-splash"}))
        << display.Error().toStdString();

    ASSERT_TRUE(ChooseDevice(display, "Home"));
    ASSERT_TRUE(Answer(display, "Return")) << "the refused device was not explained";
    const int first = display.SimValue("hpos");
    const int moved = MovePosition(
        display, [&] { return display.SimValue("hpos"); }, first);
    EXPECT_GE(moved, 0) << "the monitor in use stopped answering the keys";

    ASSERT_TRUE(ChooseDevice(display, "End"));
    ASSERT_TRUE(Answer(display, "alt+y")) << "another serial number was not asked about";
    ASSERT_TRUE(Answer(display, "alt+y")) << "the changed first monitor was not asked about";
    EXPECT_EQ(display.SimStored("hpos"), moved) << "the first monitor kept its change";
    // The panel moves on from what the new monitor holds, and the old one hears nothing.
    const int now = MovePosition(
        display, [&] { return display.SecondSimValue("hpos"); }, 40);
    EXPECT_GE(now, 0) << "no key reached the second monitor";
    EXPECT_LE(std::abs(now - 40), 2) << now;
    EXPECT_EQ(display.SimValue("hpos"), moved);

    EXPECT_EQ(DeviceListKeys::RememberedAtEnd(display), dev.ById("usb-Sim_Second-if00"));
    ::close(master);
}
