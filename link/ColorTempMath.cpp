#include "link/ColorTempMath.h"

#include <algorithm>
#include <cmath>

namespace ColorTemp {

namespace {

constexpr int kRevBKelvin[kRevBLastStep + 1] = {6500, 7000, 7500, 8000, 8500, 9000, 9300};
constexpr int kFirstKelvin = 4000;
constexpr int kKelvinPerStep = 100;
// From this step on the scale counts from the 6500 K point and the third table.
constexpr int kSecondHalf = 25;

// Truncates toward zero into a WORD. Positions outside the breakpoints (wrapped bytes)
// could leave 0..65535; such values are pinned to the nearest end instead of wrapping to
// the opposite one.
std::uint16_t ToWord(double value) {
    return static_cast<std::uint16_t>(std::clamp(std::trunc(value), 0.0, 65535.0));
}

// A point `stepsIn` steps into the segment from breakpoint `from` to `to`; `factor` is the
// share of the segment one step covers.
double Segment(int from, int to, double factor, int stepsIn) {
    return from + (to - from) * factor * stepsIn;
}

} // namespace

int LastStep(bool revisionB) {
    return revisionB ? kRevBLastStep : kLastStep;
}

int KelvinOfStep(int step, bool revisionB) {
    if (step < 0 || step > LastStep(revisionB))
        return 0;
    return revisionB ? kRevBKelvin[step] : kFirstKelvin + kKelvinPerStep * step;
}

int StepOfKelvin(int kelvin, bool revisionB) {
    for (int step = 0; step <= LastStep(revisionB); ++step)
        if (KelvinOfStep(step, revisionB) == kelvin)
            return step;
    return -1;
}

Breakpoints RelativeBreakpoints(const Breakpoints& t) {
    Breakpoints u{};
    for (int i = 0; i < 5; ++i)
        u[i] = t[i];
    u[5] = 0;
    for (int i = 6; i < 14; ++i)
        u[i] = static_cast<std::uint8_t>(t[i] - t[5]);
    return u;
}

double ScalePosition(int step, const Breakpoints& t, const Breakpoints& u) {
    step = std::clamp(step, 0, kLastStep);
    if (step < kSecondHalf) {
        const int segment = step / 5;
        return Segment(t[segment], t[segment + 1], 0.2, step - 5 * segment);
    }
    if (step < 50) {
        const int segment = (step - kSecondHalf) / 5;
        return Segment(u[5 + segment], u[6 + segment], 0.2, step - kSecondHalf - 5 * segment);
    }
    if (step < 53)
        return Segment(u[10], u[11], 1.0 / 3, step - 50);
    if (step < 55)
        return Segment(u[11], u[12], 0.5, step - 53);
    if (step < 60)
        return Segment(u[12], u[13], 0.2, step - 55);
    return u[13];
}

Table Interpolate(int step, const Table& a, const Table& b, const Table& c, const Breakpoints& t,
                  const Breakpoints& u) {
    const bool lower = step < kSecondHalf;
    const Table& base = lower ? a : b;
    const Table& end = lower ? b : c;
    const int span = lower ? t[5] : u[13];
    // A monitor that reports a zero span would make every value a division by zero; its
    // position is taken as 0, which writes the base table.
    const double position = span == 0 ? 0.0 : ScalePosition(step, t, u);
    Table values{};
    for (int i = 0; i < 7; ++i) {
        const double slope = span == 0 ? 0.0 : static_cast<double>(end[i] - base[i]) / span;
        values[i] = ToWord(slope * position + base[i]);
    }
    return values;
}

Table BlendRevB(int step, const Table& a, const Table& b) {
    step = std::clamp(step, 0, kRevBLastStep);
    Table values{};
    for (int i = 0; i < 7; ++i) {
        // The difference times the step is exact; dividing it once gives the true blend,
        // so step 6 lands on table A and step 3 on the true midpoint. Multiplying by a
        // rounded 1/6 instead falls one short of the reference value for many tables
        // (A = 7, B = 0 would give 6 at step 6).
        const double offset = static_cast<double>((a[i] - b[i]) * step) / kRevBLastStep;
        values[i] = ToWord(b[i] + offset);
    }
    return values;
}

void PlaceTableRead(Table& table, int read, std::uint8_t first, std::uint8_t second) {
    if (read == 0) {
        table[6] = second;
        return;
    }
    table[2 * read - 2] = second;
    table[2 * read - 1] = first;
}

} // namespace ColorTemp
