#pragma once

#include <array>
#include <cstdint>

// The colour-temperature scale and the arithmetic that turns a step into the seven colour
// values. Pure functions over the reference tables the controller reads from the monitor's
// memory; CMonitor calls them, tests call them directly.
//
// A table holds its seven values in the order of CMonitor::kColorItemOrder (red, green,
// blue gain, red, green, blue cutoff, sub-contrast).
namespace ColorTemp {

using Table = std::array<std::uint16_t, 7>;
using Breakpoints = std::array<std::uint8_t, 14>;

// Revision-B monitors have 7 steps (6500 K .. 9300 K), all others 61 (4000 K .. 10000 K).
constexpr int kRevBLastStep = 6;
constexpr int kLastStep = 60;
int LastStep(bool revisionB);

// Kelvin of a step; 0 for a step off the scale.
int KelvinOfStep(int step, bool revisionB);
// Step of a Kelvin value; -1 when the scale has no step at exactly that temperature.
int StepOfKelvin(int kelvin, bool revisionB);

// U0..U4 = T0..T4, U5 = 0, U6..U13 = T6..T13 - T5 in byte arithmetic (wrapping).
Breakpoints RelativeBreakpoints(const Breakpoints& t);

// Scale position of a step 0..60 between the breakpoints; steps from 25 on count from the
// 6500 K point. Steps outside 0..60 are taken as the nearest end of the scale.
double ScalePosition(int step, const Breakpoints& t, const Breakpoints& u);

// Values of a step 0..60 between the three reference tables (revisions other than B),
// computed in the monitor software's floating-point order: difference, divided by the
// breakpoint, times the position, plus the base. A zero T5 or U13 gives the base table.
Table Interpolate(int step, const Table& a, const Table& b, const Table& c, const Breakpoints& t,
                  const Breakpoints& u);

// Values of a revision-B step 0..6: table B at 0, table A at 6, linear in between.
Table BlendRevB(int step, const Table& a, const Table& b);

// One memory read of a stored table: read 0 of four holds W6 in its second byte; reads 1..3
// hold W0/W1, W2/W3, W4/W5 as (second, first).
void PlaceTableRead(Table& table, int read, std::uint8_t first, std::uint8_t second);

} // namespace ColorTemp
