#pragma once

#include <array>

// The handle kinds of the adjustment mode. Each cell of the hit map carries one: it says
// which monitor items a drag or an arrow key moves, along which axis, and which cursor and
// animation clips belong to it. Kind 33 is "no handle" (the system arrow).
namespace HandleKinds {

constexpr int kCount = 34; // kinds 0..33
constexpr int kNoHandle = 33;

// The step components a handle uses: only the horizontal one, only the vertical one, both,
// or none (kind 33).
enum class Axis { H, V, HV, None };

namespace Detail {
using enum Axis;
// clang-format off
constexpr std::array<Axis, kCount> kAxes = {
    V, H, V, H, HV, HV, HV, HV, // 0..7 edges and corners
    H, H, H, H, H, H, H, H,     // 8..15 sides, distortion, trapezoid, balance, pincushion
    H, V, V, HV,                // 16 h. convergence, 17 v. convergence, 18 tilt, 19 position
    H, H, H, H,                 // 20..23 corner pins
    H, V, HV,                   // 24..26 sizes alone
    H, H, H, H,                 // 27..30 pin balances, pin top, pin bottom
    V, V, None,                 // 31, 32 top/bottom v. convergence, 33 no handle
};
// clang-format on
} // namespace Detail

constexpr Axis AxisOf(int kind) {
    return kind >= 0 && kind < kCount ? Detail::kAxes[kind] : Axis::None;
}

// Animation clips: the looping marker on a marker cell, and the one at a grabbed handle.
constexpr int MarkerClip(int kind) {
    return 10 + kind;
}
constexpr int DragClip(int kind) {
    return 45 + kind;
}

} // namespace HandleKinds
