#include "link/ColorTempMath.h"

#include <gtest/gtest.h>

using ColorTemp::Breakpoints;
using ColorTemp::Table;

namespace {

Table Filled(std::uint16_t value) {
    Table table;
    table.fill(value);
    return table;
}

// Breakpoints with T0 = 0 and T5 = 100 (the 6500 K point), and the upper half counted from
// there: U10 = 30 (9000 K), U11 = 60 (9300 K), U13 = 100 (10000 K).
Breakpoints Scale() {
    return {0, 20, 40, 60, 80, 100, 110, 115, 120, 125, 130, 160, 170, 200};
}

} // namespace

TEST(ColorTempScale, StepsAndKelvinConvertBothWaysOnEachScale) {
    EXPECT_EQ(ColorTemp::KelvinOfStep(0, false), 4000);
    EXPECT_EQ(ColorTemp::KelvinOfStep(25, false), 6500);
    EXPECT_EQ(ColorTemp::KelvinOfStep(53, false), 9300);
    EXPECT_EQ(ColorTemp::KelvinOfStep(60, false), 10000);
    EXPECT_EQ(ColorTemp::KelvinOfStep(61, false), 0);
    EXPECT_EQ(ColorTemp::KelvinOfStep(0, true), 6500);
    EXPECT_EQ(ColorTemp::KelvinOfStep(5, true), 9000);
    EXPECT_EQ(ColorTemp::KelvinOfStep(6, true), 9300);
    EXPECT_EQ(ColorTemp::KelvinOfStep(7, true), 0);

    EXPECT_EQ(ColorTemp::StepOfKelvin(6500, false), 25);
    EXPECT_EQ(ColorTemp::StepOfKelvin(10000, false), 60);
    EXPECT_EQ(ColorTemp::StepOfKelvin(6550, false), -1);
    EXPECT_EQ(ColorTemp::StepOfKelvin(3900, false), -1);
    EXPECT_EQ(ColorTemp::StepOfKelvin(9300, true), 6);
    EXPECT_EQ(ColorTemp::StepOfKelvin(4000, true), -1);
    EXPECT_EQ(ColorTemp::StepOfKelvin(9400, true), -1);
}

TEST(ColorTempScale, RelativeBreakpointsCountFromTheMidpointWithByteWrap) {
    Breakpoints t{1, 2, 3, 4, 5, 200, 210, 10, 0, 0, 0, 0, 0, 255};
    const Breakpoints u = ColorTemp::RelativeBreakpoints(t);
    EXPECT_EQ(u[0], 1);
    EXPECT_EQ(u[4], 5);
    EXPECT_EQ(u[5], 0);
    EXPECT_EQ(u[6], 10);
    EXPECT_EQ(u[7], 66); // 10 - 200 wraps
    EXPECT_EQ(u[8], 56);
    EXPECT_EQ(u[13], 55);
}

TEST(ColorTempScale, PositionFollowsEachSegmentOfTheScale) {
    const Breakpoints t = Scale();
    const Breakpoints u = ColorTemp::RelativeBreakpoints(t);
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(0, t, u), 0.0);
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(5, t, u), 20.0);
    EXPECT_NEAR(ColorTemp::ScalePosition(7, t, u), 28.0, 1e-9);
    EXPECT_NEAR(ColorTemp::ScalePosition(24, t, u), 96.0, 1e-9);
    // From 6500 K on the position starts again at the midpoint.
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(25, t, u), 0.0);
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(30, t, u), 10.0);
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(50, t, u), 30.0);
    // 9000 K .. 9300 K is three steps, 9300 K .. 9500 K two.
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(51, t, u), 40.0);
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(52, t, u), 50.0);
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(53, t, u), 60.0);
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(54, t, u), 65.0);
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(55, t, u), 70.0);
    EXPECT_NEAR(ColorTemp::ScalePosition(57, t, u), 82.0, 1e-9);
    EXPECT_DOUBLE_EQ(ColorTemp::ScalePosition(60, t, u), 100.0);
}

TEST(ColorTempInterpolate, EndsOfEachHalfAreTheReferenceTables) {
    const Breakpoints t = Scale();
    const Breakpoints u = ColorTemp::RelativeBreakpoints(t);
    const Table a{10, 20, 30, 40, 50, 60, 70};
    const Table b{110, 120, 130, 140, 150, 160, 170};
    const Table c{210, 220, 230, 240, 250, 260, 270};
    EXPECT_EQ(ColorTemp::Interpolate(0, a, b, c, t, u), a);
    EXPECT_EQ(ColorTemp::Interpolate(25, a, b, c, t, u), b);
    EXPECT_EQ(ColorTemp::Interpolate(60, a, b, c, t, u), c);
}

TEST(ColorTempInterpolate, Step52IsTwoThirdsFrom9000KTo9300K) {
    const Breakpoints t = Scale();
    const Breakpoints u = ColorTemp::RelativeBreakpoints(t);
    const Table b = Filled(0);
    const Table c = Filled(200); // 2 per scale unit
    EXPECT_EQ(ColorTemp::Interpolate(50, Filled(0), b, c, t, u)[0], 60);
    EXPECT_EQ(ColorTemp::Interpolate(53, Filled(0), b, c, t, u)[0], 120);
    EXPECT_EQ(ColorTemp::Interpolate(52, Filled(0), b, c, t, u)[0], 100);
}

TEST(ColorTempInterpolate, FractionsAreTruncatedTowardZeroPerItem) {
    const Breakpoints t = Scale();
    const Breakpoints u = ColorTemp::RelativeBreakpoints(t);
    // Step 7: position 28 of 100, so 28 % of each difference.
    const Table a{100, 100, 100, 100, 100, 100, 100};
    const Table b{200, 0, 103, 97, 100, 125, 75};
    const Table values = ColorTemp::Interpolate(7, a, b, Filled(0), t, u);
    EXPECT_EQ(values, (Table{128, 72, 100, 99, 100, 107, 93}));
}

TEST(ColorTempInterpolate, ZeroSpanWritesTheBaseTableInsteadOfDividingByZero) {
    Breakpoints t = Scale();
    t[5] = 0; // T5
    Breakpoints u = ColorTemp::RelativeBreakpoints(t);
    const Table a = Filled(40), b = Filled(80), c = Filled(120);
    for (int step : {0, 7, 24})
        EXPECT_EQ(ColorTemp::Interpolate(step, a, b, c, t, u), a) << step;

    t = Scale();
    u = ColorTemp::RelativeBreakpoints(t);
    u[13] = 0; // U13
    for (int step : {25, 52, 60})
        EXPECT_EQ(ColorTemp::Interpolate(step, a, b, c, t, u), b) << step;
}

TEST(ColorTempInterpolate, PositionsBeyondTheTablesStayWithinAWord) {
    // Breakpoints out of order put step 4 far past T5: the values would leave 0..65535.
    const Breakpoints t{0, 250, 0, 0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0};
    const Breakpoints u = ColorTemp::RelativeBreakpoints(t);
    const Table down = ColorTemp::Interpolate(4, Filled(10), Filled(0), Filled(0), t, u);
    EXPECT_EQ(down, Filled(0));
    const Table up = ColorTemp::Interpolate(4, Filled(60000), Filled(65535), Filled(0), t, u);
    EXPECT_EQ(up, Filled(65535));
}

TEST(ColorTempBlend, RevisionBRunsFromTableBToTableA) {
    const Table a{200, 0, 14, 7, 65535, 101, 50};
    const Table b{101, 200, 0, 0, 0, 200, 50};
    EXPECT_EQ(ColorTemp::BlendRevB(0, a, b), b);
    EXPECT_EQ(ColorTemp::BlendRevB(6, a, b), a);
    const Table half = ColorTemp::BlendRevB(3, a, b);
    EXPECT_EQ(half[0], 150); // 101 + 49.5
    EXPECT_EQ(half[1], 100);
    EXPECT_EQ(half[2], 7);   // a true midpoint, not one below it
    EXPECT_EQ(half[5], 150); // 200 - 49.5 = 150.5
    EXPECT_EQ(half[6], 50);
    EXPECT_EQ(ColorTemp::BlendRevB(1, a, b)[0], 117); // 101 + 16.5
}

TEST(ColorTempBlend, RevisionBEndsMatchTheTablesForAnyValues) {
    for (int x = 0; x <= 65535; x += 7) {
        for (int y = 0; y <= 65535; y += 4099) {
            const Table a = Filled(static_cast<std::uint16_t>(x));
            const Table b = Filled(static_cast<std::uint16_t>(y));
            ASSERT_EQ(ColorTemp::BlendRevB(6, a, b), a) << x << " " << y;
            ASSERT_EQ(ColorTemp::BlendRevB(0, a, b), b) << x << " " << y;
        }
    }
}

TEST(ColorTempMemory, FourReadsFillATableInTheMonitorsOrder) {
    Table table{};
    ColorTemp::PlaceTableRead(table, 0, 0xEE, 7);
    ColorTemp::PlaceTableRead(table, 1, 2, 1);
    ColorTemp::PlaceTableRead(table, 2, 4, 3);
    ColorTemp::PlaceTableRead(table, 3, 6, 5);
    EXPECT_EQ(table, (Table{1, 2, 3, 4, 5, 6, 7}));
}
