#include "fullscreen/ApplyStep.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

void PrintTo(const AdjustCall& c, std::ostream* os) {
    *os << "{" << c.item1 << ", " << c.delta1 << ", " << c.item2 << ", " << c.delta2 << ", "
        << (c.both ? "pair" : "single") << "}";
}

namespace {

using Calls = std::vector<AdjustCall>;

// Screen 1024 x 768: W/2 = 512, H/2 = 384.
constexpr QSize kScreen(1024, 768);
constexpr QPoint kUpperLeft(100, 100);
constexpr QPoint kUpperRight(900, 100);
constexpr QPoint kLowerLeft(100, 700);
constexpr QPoint kLowerRight(900, 700);

// HSIZE, HPOS, VSIZE, VPOS, TRAPE, PARALLE, SIDE, PINBALA, PINTOP, PINTOPBALA, PINBOTTOM,
// PINBOTTOMBALA, then the linearity pairs (not used by steps).
const std::array<double, 16> kCoef = {1.0, 0.5, 1.5, 0.25, 2.0, 0.5, 1.0, 0.25,
                                      1.0, 0.5, 1.5, 0.75, 9.0, 9.0, 9.0, 9.0};

StepPlan Plan(int kind, int dx, int dy, QPoint cursor = kUpperLeft, bool revisionB = false,
              const std::array<double, 16>* coef = &kCoef) {
    return PlanStep(kind, dx, dy, StepContext{cursor, kScreen, revisionB, coef});
}

AdjustCall Pair(int a, int da, int b, int db) {
    return {a, da, b, db, true};
}
AdjustCall Single(int a, int da) {
    return {a, da, 0, 0, false};
}

} // namespace

TEST(PlanStep, CombinationPairsRoundHalvesAwayFromZero) {
    // Top edge: vpos by R(0.25 * dy), vsize by R(1.5 * dy).
    EXPECT_EQ(Plan(0, 0, 1).calls, Calls{Pair(5, 0, 4, 2)});
    EXPECT_EQ(Plan(0, 0, 2).calls, Calls{Pair(5, 1, 4, 3)});
    EXPECT_EQ(Plan(0, 0, -2).calls, Calls{Pair(5, -1, 4, -3)});
    EXPECT_EQ(Plan(0, 0, 4).calls, Calls{Pair(5, 1, 4, 6)});
    // Right edge with k = 0.5 and a step of 3: 1.5 rounds to 2, -1.5 to -2.
    EXPECT_EQ(Plan(1, 3, 0).calls, Calls{Pair(3, 2, 2, 3)});
    EXPECT_EQ(Plan(1, -3, 0).calls, Calls{Pair(3, -2, 2, -3)});
    EXPECT_EQ(Plan(1, 1, 0).calls, Calls{Pair(3, 1, 2, 1)});
    EXPECT_EQ(Plan(1, -1, 0).calls, Calls{Pair(3, -1, 2, -1)});
    // Bottom and left edges move the size the other way.
    EXPECT_EQ(Plan(2, 0, 2).calls, Calls{Pair(5, 1, 4, -3)});
    EXPECT_EQ(Plan(3, 3, 0).calls, Calls{Pair(3, 2, 2, -3)});
    // Sides: pincushion with pin balance (0.25 * 2 = 0.5 rounds to 1).
    EXPECT_EQ(Plan(8, 2, 0).calls, Calls{Pair(6, 2, 8, 1)});
    EXPECT_EQ(Plan(9, 2, 0).calls, Calls{Pair(6, -2, 8, 1)});
    EXPECT_EQ(Plan(9, -2, 0).calls, Calls{Pair(6, 2, 8, -1)});
    // Corner pins: items 11/13 at the top, 10/12 at the bottom.
    EXPECT_EQ(Plan(20, 1, 0).calls, Calls{Pair(11, -1, 13, 1)});
    EXPECT_EQ(Plan(21, 1, 0).calls, Calls{Pair(11, 1, 13, 1)});
    EXPECT_EQ(Plan(22, 2, 0).calls, Calls{Pair(10, -3, 12, 2)});
    EXPECT_EQ(Plan(23, -2, 0).calls, Calls{Pair(10, -3, 12, -2)});
}

TEST(PlanStep, CornersAreTwoIndependentPairs) {
    EXPECT_EQ(Plan(4, 2, 2).calls, (Calls{Pair(3, 1, 2, 2), Pair(5, 1, 4, 3)}));
    EXPECT_EQ(Plan(5, 2, 2).calls, (Calls{Pair(3, 1, 2, 2), Pair(5, 1, 4, -3)}));
    EXPECT_EQ(Plan(6, 2, 2).calls, (Calls{Pair(3, 1, 2, -2), Pair(5, 1, 4, -3)}));
    EXPECT_EQ(Plan(7, 2, 2).calls, (Calls{Pair(3, 1, 2, -2), Pair(5, 1, 4, 3)}));
    // A purely horizontal move still passes the zero vertical pair on.
    EXPECT_EQ(Plan(7, 1, 0).calls, (Calls{Pair(3, 1, 2, -1), Pair(5, 0, 4, 0)}));
}

TEST(PlanStep, DistortionSignsByRevisionAndQuadrant) {
    struct Case {
        int kind;
        bool revisionB;
        QPoint cursor;
        int sT, sP; // signs of trapezoid and parallelogram
    };
    // TRAPE 2.0 and PARALLE 0.5 with a step of 1: magnitudes 2 and 1.
    const Case cases[] = {
        {10, true, kUpperRight, -1, +1},
        {10, true, kLowerRight, +1, -1},
        {10, false, kUpperRight, +1, +1},
        {10, false, kLowerRight, -1, -1},
        {11, true, kUpperLeft, +1, +1},
        {11, true, kLowerLeft, -1, -1},
        {11, false, kUpperLeft, -1, +1},
        {11, false, kLowerLeft, +1, -1},
        // Only the upper or lower half counts for these two, not the side.
        {10, true, kUpperLeft, -1, +1},
        {11, false, kLowerRight, +1, -1},
    };
    for (const Case& c : cases) {
        const StepPlan plan = Plan(c.kind, 1, 0, c.cursor, c.revisionB);
        EXPECT_EQ(plan.calls, Calls{Pair(7, 2 * c.sT, 9, c.sP)})
            << "kind " << c.kind << (c.revisionB ? " B " : " C ") << c.cursor.x() << ","
            << c.cursor.y();
        EXPECT_TRUE(plan.result);
    }
}

TEST(PlanStep, TrapezoidSignsByRevisionAndQuadrant) {
    struct Case {
        QPoint cursor;
        int signB, signOther;
    };
    const Case cases[] = {
        {kUpperLeft, +1, -1},
        {kUpperRight, -1, +1},
        {kLowerLeft, -1, +1},
        {kLowerRight, +1, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Plan(12, 3, 0, c.cursor, true).calls, Calls{Single(7, 3 * c.signB)});
        EXPECT_EQ(Plan(12, 3, 0, c.cursor, false).calls, Calls{Single(7, 3 * c.signOther)});
    }
}

TEST(PlanStep, ScreenHalvesOfTheSingleHandles) {
    struct Case {
        int kind;
        QPoint cursor;
        int dx, dy;
        AdjustCall expected;
    };
    // left: x <= 512, upper: y <= 384; the size handles: right x >= 512, upper y < 384.
    const Case cases[] = {
        {14, {900, 384}, 1, 0, Single(9, 1)}, // parallelogram, upper including H/2
        {14, {900, 385}, 1, 0, Single(9, -1)},
        {15, {512, 700}, 1, 0, Single(6, -1)}, // side pincushion, left including W/2
        {15, {513, 700}, 1, 0, Single(6, 1)},
        {18, {512, 100}, 0, 1, Single(22, 1)}, // tilt
        {18, {513, 100}, 0, 1, Single(22, -1)},
        {24, {512, 100}, 1, 0, Single(2, 1)}, // horizontal size: W/2 counts as right
        {24, {511, 100}, 1, 0, Single(2, -1)},
        {25, {100, 383}, 0, 1, Single(4, 1)}, // vertical size: H/2 counts as lower
        {25, {100, 384}, 0, 1, Single(4, -1)},
        {26, {512, 383}, 1, 1, Pair(2, 1, 4, 1)},
        {26, {511, 384}, 1, 1, Pair(2, -1, 4, -1)},
        {29, {512, 100}, 1, 0, Single(11, -1)}, // pin top
        {29, {513, 100}, 1, 0, Single(11, 1)},
        {30, {100, 700}, -1, 0, Single(10, 1)}, // pin bottom
        {30, {900, 700}, -1, 0, Single(10, -1)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Plan(c.kind, c.dx, c.dy, c.cursor).calls, Calls{c.expected})
            << "kind " << c.kind << " at " << c.cursor.x() << "," << c.cursor.y();

    // An odd width halves downwards: W = 1025 still has W/2 = 512.
    const StepContext odd{{512, 100}, {1025, 769}, false, &kCoef};
    EXPECT_EQ(PlanStep(15, 1, 0, odd).calls, Calls{Single(6, -1)});
    EXPECT_EQ(PlanStep(24, 1, 0, odd).calls, Calls{Single(2, 1)});
}

TEST(PlanStep, PlainHandles) {
    EXPECT_EQ(Plan(13, -4, 0).calls, Calls{Single(8, -4)});
    EXPECT_EQ(Plan(16, 4, 0).calls, Calls{Single(16, 4)});
    EXPECT_EQ(Plan(17, 0, -1).calls, Calls{Single(17, -1)});
    EXPECT_EQ(Plan(19, 1, -4).calls, Calls{Pair(3, 1, 5, -4)});
    EXPECT_EQ(Plan(27, 1, 0).calls, Calls{Single(13, 1)});
    EXPECT_EQ(Plan(28, 1, 0).calls, Calls{Single(12, 1)});
    EXPECT_EQ(Plan(31, 0, 4).calls, Calls{Single(20, 4)});
    EXPECT_EQ(Plan(32, 0, -4).calls, Calls{Single(21, -4)});
}

TEST(PlanStep, ResultByAxis) {
    // One-axis handles pass their own component on and report false for the other.
    const StepPlan hOnVertical = Plan(13, 0, -1);
    EXPECT_EQ(hOnVertical.calls, Calls{Single(8, 0)});
    EXPECT_FALSE(hOnVertical.result);
    const StepPlan vOnHorizontal = Plan(0, 1, 0);
    EXPECT_EQ(vOnHorizontal.calls, Calls{Pair(5, 0, 4, 0)});
    EXPECT_FALSE(vOnHorizontal.result);
    for (int kind : {1, 3, 8, 9, 10, 11, 12, 13, 14, 15, 16, 20, 21, 22, 23, 24, 27, 28, 29, 30}) {
        EXPECT_TRUE(Plan(kind, 1, 0).result) << kind;
        EXPECT_FALSE(Plan(kind, 1, 1).result) << kind;
        EXPECT_FALSE(Plan(kind, 0, -1).result) << kind;
        EXPECT_TRUE(Plan(kind, 0, 0).result) << kind;
    }
    for (int kind : {0, 2, 17, 18, 25, 31, 32}) {
        EXPECT_TRUE(Plan(kind, 0, 1).result) << kind;
        EXPECT_FALSE(Plan(kind, -1, 1).result) << kind;
    }
    for (int kind : {4, 5, 6, 7, 19, 26}) {
        EXPECT_TRUE(Plan(kind, 1, 1).result) << kind;
        EXPECT_TRUE(Plan(kind, 0, 0).result) << kind;
    }
    // No handle: nothing is sent and the step is refused.
    for (int kind : {33, 34, -1}) {
        const StepPlan none = Plan(kind, 1, 0);
        EXPECT_TRUE(none.calls.empty()) << kind;
        EXPECT_FALSE(none.result) << kind;
    }
}

TEST(PlanStep, CoefficientsThatMoveNothingOrTooMuch) {
    // Not loaded: every combination pair is a zero change.
    EXPECT_EQ(Plan(1, 4, 0, kUpperLeft, false, nullptr).calls, Calls{Pair(3, 0, 2, 0)});
    // Absurd coefficients give deltas far out of every item's range (which the controller
    // refuses), never an overflowed or undefined conversion.
    std::array<double, 16> huge{};
    huge[0] = 1e300;
    huge[1] = -std::numeric_limits<double>::infinity();
    huge[2] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(Plan(1, 4, 0, kUpperLeft, false, &huge).calls, Calls{Pair(3, -32767, 2, 32767)});
    EXPECT_EQ(Plan(0, 0, 4, kUpperLeft, false, &huge).calls, Calls{Pair(5, 0, 4, 0)});
}
