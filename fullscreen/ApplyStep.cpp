#include "fullscreen/ApplyStep.h"

#include "fullscreen/Combination.h"
#include "fullscreen/HandleKinds.h"

#include <algorithm>
#include <cmath>

namespace {

// Item numbers of the controller's table.
enum Item {
    kHSize = 2,
    kHPos = 3,
    kVSize = 4,
    kVPos = 5,
    kSidePin = 6,
    kTrapezoid = 7,
    kPinBalance = 8,
    kParallelogram = 9,
    kPinBottom = 10,
    kPinTop = 11,
    kPinBottomBalance = 12,
    kPinTopBalance = 13,
    kHConv = 16,
    kVConv = 17,
    kVConvTop = 20,
    kVConvBottom = 21,
    kTilt = 22,
};

// No item's range spans more than this, so a larger delta is refused by the controller
// just as well; clamping keeps absurd coefficients from overflowing the conversion.
constexpr double kDeltaLimit = 32767.0;

// Nearest integer, halves away from zero. A coefficient that makes no number moves nothing.
int R(double v) {
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::round(std::clamp(v, -kDeltaLimit, kDeltaLimit)));
}

class CPlanner {
public:
    explicit CPlanner(const StepContext& context) : m_context(context) {
        const int x = context.cursor.x(), y = context.cursor.y();
        const int halfW = context.screen.width() / 2, halfH = context.screen.height() / 2;
        m_left = x <= halfW;
        m_upper = y <= halfH;
        m_rightHalf = x >= halfW;
        m_upperHalf = y < halfH;
    }

    StepPlan Plan(int kind, int dx, int dy) {
        using HandleKinds::Axis;
        switch (kind) {
        case 0: // top edge
            VerticalEdge(dy, +1);
            break;
        case 1: // right edge
            HorizontalEdge(dx, +1);
            break;
        case 2: // bottom edge
            VerticalEdge(dy, -1);
            break;
        case 3: // left edge
            HorizontalEdge(dx, -1);
            break;
        case 4: // corners: the horizontal edge, then the vertical one
            HorizontalEdge(dx, +1);
            VerticalEdge(dy, +1);
            break;
        case 5:
            HorizontalEdge(dx, +1);
            VerticalEdge(dy, -1);
            break;
        case 6:
            HorizontalEdge(dx, -1);
            VerticalEdge(dy, -1);
            break;
        case 7:
            HorizontalEdge(dx, -1);
            VerticalEdge(dy, +1);
            break;
        case 8: // right side
            Pair(kSidePin, R(K(ComboCoef::kSide) * dx), kPinBalance,
                 R(K(ComboCoef::kPinBala) * dx));
            break;
        case 9: // left side
            Pair(kSidePin, R(-K(ComboCoef::kSide) * dx), kPinBalance,
                 R(K(ComboCoef::kPinBala) * dx));
            break;
        case 10:
        case 11:
            Distortion(kind, dx);
            break;
        case 12:
            Single(kTrapezoid, TrapezoidSign() * dx);
            break;
        case 13:
            Single(kPinBalance, dx);
            break;
        case 14:
            Single(kParallelogram, m_upper ? dx : -dx);
            break;
        case 15:
            Single(kSidePin, m_left ? -dx : dx);
            break;
        case 16:
            Single(kHConv, dx);
            break;
        case 17:
            Single(kVConv, dy);
            break;
        case 18:
            Single(kTilt, m_left ? dy : -dy);
            break;
        case 19:
            Pair(kHPos, dx, kVPos, dy);
            break;
        case 20: // top-left corner pin
            Pair(kPinTop, R(-K(ComboCoef::kPinTop) * dx), kPinTopBalance,
                 R(K(ComboCoef::kPinTopBala) * dx));
            break;
        case 21: // top-right corner pin
            Pair(kPinTop, R(K(ComboCoef::kPinTop) * dx), kPinTopBalance,
                 R(K(ComboCoef::kPinTopBala) * dx));
            break;
        case 22: // bottom-left corner pin
            Pair(kPinBottom, R(-K(ComboCoef::kPinBottom) * dx), kPinBottomBalance,
                 R(K(ComboCoef::kPinBottomBala) * dx));
            break;
        case 23: // bottom-right corner pin
            Pair(kPinBottom, R(K(ComboCoef::kPinBottom) * dx), kPinBottomBalance,
                 R(K(ComboCoef::kPinBottomBala) * dx));
            break;
        case 24:
            Single(kHSize, m_rightHalf ? dx : -dx);
            break;
        case 25:
            Single(kVSize, m_upperHalf ? dy : -dy);
            break;
        case 26:
            Pair(kHSize, m_rightHalf ? dx : -dx, kVSize, m_upperHalf ? dy : -dy);
            break;
        case 27:
            Single(kPinTopBalance, dx);
            break;
        case 28:
            Single(kPinBottomBalance, dx);
            break;
        case 29:
            Single(kPinTop, m_left ? -dx : dx);
            break;
        case 30:
            Single(kPinBottom, m_left ? -dx : dx);
            break;
        case 31:
            Single(kVConvTop, dy);
            break;
        case 32:
            Single(kVConvBottom, dy);
            break;
        default: // no handle
            return {};
        }
        // A handle reports false for a step along the axis it does not use; the step it
        // does use has been passed on all the same.
        switch (HandleKinds::AxisOf(kind)) {
        case Axis::H:
            m_plan.result = dy == 0;
            break;
        case Axis::V:
            m_plan.result = dx == 0;
            break;
        default:
            m_plan.result = true;
            break;
        }
        return std::move(m_plan);
    }

private:
    double K(ComboCoef index) const {
        return m_context.coef ? (*m_context.coef)[static_cast<std::size_t>(index)] : 0.0;
    }

    void Single(int item, int delta) { m_plan.calls.push_back({item, delta, 0, 0, false}); }
    void Pair(int item1, int delta1, int item2, int delta2) {
        m_plan.calls.push_back({item1, delta1, item2, delta2, true});
    }

    // Edges move the position by its coefficient and the size by its own, the size growing
    // when the edge moves outwards (`outwards` is +1 where a positive step moves out).
    void HorizontalEdge(int dx, int outwards) {
        Pair(kHPos, R(K(ComboCoef::kHPos) * dx), kHSize, R(outwards * K(ComboCoef::kHSize) * dx));
    }
    void VerticalEdge(int dy, int outwards) {
        Pair(kVPos, R(K(ComboCoef::kVPos) * dy), kVSize, R(outwards * K(ComboCoef::kVSize) * dy));
    }

    // Right (10) and left (11) distortion: trapezoid and parallelogram together. The
    // parallelogram follows the half of the screen (+ above, - below); the trapezoid's sign
    // depends on the side and on the revision's sense of the item, and flips below too.
    void Distortion(int kind, int dx) {
        int sT = (kind == 10) == m_context.revisionB ? -1 : +1;
        if (!m_upper)
            sT = -sT;
        const int sP = m_upper ? +1 : -1;
        Pair(kTrapezoid, sT * R(K(ComboCoef::kTrape) * dx), kParallelogram,
             sP * R(K(ComboCoef::kParalle) * dx));
    }

    // The trapezoid handle pulls the picture's corners in or out: revision B counts it
    // positive in the upper-left and lower-right quadrants, other revisions the other way.
    int TrapezoidSign() const {
        const int sign = m_upper == m_left ? +1 : -1;
        return m_context.revisionB ? sign : -sign;
    }

    const StepContext& m_context;
    bool m_left, m_upper;          // x <= W/2, y <= H/2
    bool m_rightHalf, m_upperHalf; // x >= W/2, y < H/2 (the size-alone handles)
    StepPlan m_plan;
};

} // namespace

StepPlan PlanStep(int kind, int dx, int dy, const StepContext& context) {
    return CPlanner(context).Plan(kind, dx, dy);
}
