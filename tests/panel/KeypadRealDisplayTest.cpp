// The keypad steps as a user makes them: the program on an X server, keys pressed through
// the server's input path, the monitor's values read back from the simulator.

#include "RealDisplay.h"

#include <gtest/gtest.h>

namespace {

struct Picture {
    int hpos, vpos, hsize, vsize;
};

Picture Read(CRealDisplay& display) {
    return {display.SimValue("hpos"), display.SimValue("vpos"), display.SimValue("hsize"),
            display.SimValue("vsize")};
}

TEST(KeypadRealDisplay, KeypadDigitsMoveAndSizeThePictureMainRowDigitsDoNot) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(false);
    CRealDisplay display;
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    ASSERT_TRUE(display.SetNumLock(true)) << display.Error().toStdString();
    const Picture start = Read(display);
    ASSERT_GT(start.hpos, 1);
    ASSERT_GT(start.vpos, 1);

    ASSERT_TRUE(display.Key("KP_6"));
    EXPECT_TRUE(display.WaitForSimValue("hpos", start.hpos + 1));
    ASSERT_TRUE(display.Key("KP_8"));
    EXPECT_TRUE(display.WaitForSimValue("vpos", start.vpos + 1));
    ASSERT_TRUE(display.Key("alt+KP_6"));
    EXPECT_TRUE(display.WaitForSimValue("hsize", start.hsize + 1));
    ASSERT_TRUE(display.Key("alt+KP_2"));
    EXPECT_TRUE(display.WaitForSimValue("vsize", start.vsize - 1));
    // A diagonal key moves both axes.
    ASSERT_TRUE(display.Key("KP_1"));
    EXPECT_TRUE(display.WaitForSimValue("vpos", start.vpos));
    EXPECT_EQ(display.SimValue("hpos"), start.hpos);

    // The main keyboard's digits change nothing. The keypad step that follows them shows
    // that the program has handled them by the time it has taken effect.
    ASSERT_TRUE(display.Key("6 8 alt+6 alt+2"));
    ASSERT_TRUE(display.Key("KP_4"));
    EXPECT_TRUE(display.WaitForSimValue("hpos", start.hpos - 1));
    EXPECT_EQ(display.SimValue("vpos"), start.vpos);
    EXPECT_EQ(display.SimValue("hsize"), start.hsize + 1);
    EXPECT_EQ(display.SimValue("vsize"), start.vsize - 1);

    // With Num Lock off the keypad sends arrows, which are no steps.
    ASSERT_TRUE(display.SetNumLock(false)) << display.Error().toStdString();
    ASSERT_TRUE(display.Key("KP_6 KP_8 alt+KP_6"));
    ASSERT_TRUE(display.SetNumLock(true)) << display.Error().toStdString();
    ASSERT_TRUE(display.Key("KP_9"));
    EXPECT_TRUE(display.WaitForSimValue("vpos", start.vpos + 1));
    EXPECT_EQ(display.SimValue("hpos"), start.hpos);
    EXPECT_EQ(display.SimValue("hsize"), start.hsize + 1);
}

} // namespace
