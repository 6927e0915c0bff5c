#pragma once

#include <cstdint>
#include <span>

// Where the handles of the adjustment mode lie depends on the monitor: layout 2 has the
// corner-pin handles (the monitor adjusts pin top, item 11), layout 0 is the reduced one
// of the TR-4427, layout 1 everyone else's.
namespace HandleLayout {

constexpr int kMaxMarkers = 25;

int Choose(bool pinTopAvailable, std::uint8_t modelIndex);

// Cell indexes of the marker animations: 16 in layout 0, 25 in layouts 1 and 2.
std::span<const int> MarkerCells(int layout);

} // namespace HandleLayout
