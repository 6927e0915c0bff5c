// The cable pulled and plugged back while the program runs on an X server: the program
// notices by itself, says so once, sends nothing, and takes up the monitor again as it
// holds it.

#include "RealDisplay.h"

#include <gtest/gtest.h>

namespace {
using namespace std::chrono_literals;

constexpr auto kNotice = 20s;
} // namespace

TEST(LinkRealDisplay, APulledCableIsSaidOnceAndThePluggedMonitorIsTakenUpAsItHolds) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
    CRealDisplay display;
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    ASSERT_TRUE(display.SetNumLock(true)) << display.Error().toStdString();
    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    const QString frame = display.Window();
    const int start = display.SimValue("hpos");
    ASSERT_TRUE(display.Key("KP_6"));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return display.SimValue("hpos") != start; }));

    display.SimCommand("pull");
    QStringList boxes;
    ASSERT_TRUE(CRealDisplay::WaitUntil(
        [&] { return !(boxes = display.VisibleWindows("^Vistrel Pro$")).isEmpty(); }, kNotice))
        << "nothing was said without any user action";
    // Keys on the panel while the monitor is away send nothing and say nothing more.
    ASSERT_TRUE(display.Focus(frame));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(display.Key("KP_6"));
    CRealDisplay::WaitUntil([] { return false; }, 1s);
    EXPECT_EQ(display.VisibleWindows("^Vistrel Pro$").size(), 1) << "one message, not one per key";
    ASSERT_TRUE(display.Focus(boxes.first()));
    ASSERT_TRUE(display.Key("Return"));
    ASSERT_TRUE(
        CRealDisplay::WaitUntil([&] { return display.VisibleWindows("^Vistrel Pro$").isEmpty(); }));

    // While away the monitor was adjusted by hand; plugged back, it is what the panel
    // follows: the next key moves on from its value, not from the program's old one.
    ASSERT_EQ(display.SimCommand("set hpos 40").size(), 1);
    ASSERT_EQ(display.SimValue("hpos"), 40);
    display.SimCommand("replug");
    ASSERT_TRUE(display.Focus(frame));
    int now = 40;
    EXPECT_TRUE(CRealDisplay::WaitUntil(
        [&] {
            display.Key("KP_6");
            now = display.SimValue("hpos");
            return now >= 0 && now != 40;
        },
        kNotice))
        << "no key reached the monitor after the replug";
    EXPECT_LE(std::abs(now - 40), 2) << now;
    EXPECT_TRUE(display.VisibleWindows("^Vistrel Pro$").isEmpty()) << "no failure was shown";
}
