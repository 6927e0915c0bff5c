#include "panel/ColorTempBar.h"
#include "panel/ColorTempScale.h"
#include "panel/KeypadSteps.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ColorTempBar, TwentyBandsCoverTheAreaWithoutGapsWarmToCold) {
    for (int width : {20, 130, 257, 399}) {
        const QRect area(10, 5, width, 12);
        const auto bands = ColorTempBands(area);
        EXPECT_EQ(bands[0].rect.left(), 10);
        for (int i = 1; i < 20; ++i)
            EXPECT_EQ(bands[i].rect.left(), bands[i - 1].rect.right() + 1) << width << " " << i;
        EXPECT_EQ(bands[19].rect.right(), area.right()) << width;
        // The bottom row stays unpainted.
        EXPECT_EQ(bands[7].rect.top(), 5);
        EXPECT_EQ(bands[7].rect.bottom(), area.bottom() - 1);
    }
    // 130 pixels: bands of 6 and 7 pixels (6.5 each, rounded down at the edges).
    const auto bands = ColorTempBands(QRect(0, 0, 130, 10));
    EXPECT_EQ(bands[0].rect.width(), 6);
    EXPECT_EQ(bands[1].rect.width(), 7);
    EXPECT_EQ(bands[19].rect.right(), 129);
}

TEST(ColorTempBar, BandColours) {
    EXPECT_EQ(ColorTempBandColor(0), QColor(255, 64, 64));
    EXPECT_EQ(ColorTempBandColor(8), QColor(255, 224, 64));
    EXPECT_EQ(ColorTempBandColor(9), QColor(164, 255, 64));
    EXPECT_EQ(ColorTempBandColor(10), QColor(64, 255, 164));
    EXPECT_EQ(ColorTempBandColor(11), QColor(64, 224, 255));
    EXPECT_EQ(ColorTempBandColor(19), QColor(64, 64, 255));
}

TEST(ColorTempScale, TextsAndFallbackPerRevision) {
    const CColorTempScale b(true);
    EXPECT_EQ(b.MaxStep(), 6);
    EXPECT_EQ(b.Text(0), "6500K");
    EXPECT_EQ(b.Text(5), "9000K");
    EXPECT_EQ(b.Text(6), "9300K");
    EXPECT_EQ(b.Fit(7), 6);
    EXPECT_EQ(b.Text(25), "9300K"); // beyond the scale: the fallback step

    const CColorTempScale c(false);
    EXPECT_EQ(c.MaxStep(), 60);
    EXPECT_EQ(c.Text(0), "4000K");
    EXPECT_EQ(c.Text(25), "6500K");
    EXPECT_EQ(c.Text(60), "10000K");
    EXPECT_EQ(c.Fit(61), 6);
    EXPECT_EQ(c.Fit(-1), 6);
    EXPECT_EQ(c.LowLabel(), "4000K");
    EXPECT_EQ(c.HighLabel(), "10000K");
}

TEST(KeypadSteps, EveryKeyOnceWithAndWithoutAltAndOppositeKeysUndoEachOther) {
    std::set<std::pair<int, bool>> keys;
    for (const KeypadStep& step : KeypadSteps()) {
        EXPECT_TRUE(keys.insert({step.key, step.alt}).second) << step.command;
        EXPECT_NE(step.key, Qt::Key_5);
        // Size with Alt, position without.
        EXPECT_EQ(step.item1 == 2 || step.item1 == 4, step.alt) << step.command;
        // The key opposite on the keypad (1<->9, 2<->8, 3<->7, 4<->6) steps back.
        const int opposite = Qt::Key_0 + 10 - (step.key - Qt::Key_0);
        for (const KeypadStep& other : KeypadSteps())
            if (other.key == opposite && other.alt == step.alt) {
                EXPECT_EQ(other.delta1, -step.delta1);
                EXPECT_EQ(other.delta2, -step.delta2);
            }
    }
    EXPECT_EQ(keys.size(), 16u);
    EXPECT_EQ(FindKeypadStep(32771)->key, Qt::Key_9);
    EXPECT_EQ(FindKeypadStep(32823)->delta1, -1);
    EXPECT_EQ(FindKeypadStep(1), nullptr);
}

TEST(KeypadSteps, OnlyKeypadDigitsAloneOrWithAltAreSteps) {
    const auto command = [](int key, Qt::KeyboardModifiers modifiers) {
        const KeypadStep* step = FindKeypadKey(key, modifiers);
        return step ? step->command : 0;
    };
    EXPECT_EQ(command(Qt::Key_6, Qt::KeypadModifier), 32816);
    EXPECT_EQ(command(Qt::Key_1, Qt::KeypadModifier), 32774);
    EXPECT_EQ(command(Qt::Key_8, Qt::KeypadModifier | Qt::AltModifier), 32822);
    EXPECT_EQ(command(Qt::Key_9, Qt::KeypadModifier | Qt::AltModifier), 32775);
    // Main-keyboard digits, Num 5 and Num 0, the keypad's arrows with Num Lock off, and
    // other modifiers are no step.
    EXPECT_EQ(command(Qt::Key_6, Qt::NoModifier), 0);
    EXPECT_EQ(command(Qt::Key_6, Qt::AltModifier), 0);
    EXPECT_EQ(command(Qt::Key_5, Qt::KeypadModifier), 0);
    EXPECT_EQ(command(Qt::Key_0, Qt::KeypadModifier), 0);
    EXPECT_EQ(command(Qt::Key_Right, Qt::KeypadModifier), 0);
    EXPECT_EQ(command(Qt::Key_6, Qt::KeypadModifier | Qt::ControlModifier), 0);
    EXPECT_EQ(command(Qt::Key_6, Qt::KeypadModifier | Qt::ShiftModifier), 0);
    EXPECT_EQ(command(Qt::Key_6, Qt::KeypadModifier | Qt::AltModifier | Qt::ShiftModifier), 0);
}

} // namespace
