#pragma once

#include <QPoint>
#include <QSize>

#include <array>
#include <vector>

// One AdjustItems request of the controller: item1 by delta1 and, when `both`, item2 by
// delta2 in the same breath (neither changes if either would leave its range).
struct AdjustCall {
    int item1;
    int delta1;
    int item2;
    int delta2;
    bool both;
    bool operator==(const AdjustCall&) const = default;
};

// What a step needs to know besides the handle and the step itself.
struct StepContext {
    QPoint cursor;                      // the pointer's screen position (during a drag: the anchor)
    QSize screen;                       // screen width and height
    bool revisionB;                     // the monitor speaks protocol revision B
    const std::array<double, 16>* coef; // combination coefficients; null reads as all zero
};

// The controller requests for one step, in order, and what the step reports: false when
// the handle does not move along a component that is not zero, or there is no handle.
struct StepPlan {
    std::vector<AdjustCall> calls;
    bool result = false;
};

// Turns a step (dx > 0 rightwards, dy > 0 upwards) on a handle of this kind into
// controller requests. The side of the screen the pointer is on decides the direction of
// handles that exist on both sides. Nothing is sent here: the window passes each call to
// CMonitor::AdjustItems and returns the result.
StepPlan PlanStep(int kind, int dx, int dy, const StepContext& context);
