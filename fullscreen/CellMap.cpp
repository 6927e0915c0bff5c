#include "fullscreen/CellMap.h"

#include "fullscreen/LogicalMapping.h"

#include <utility>
#include <vector>

namespace CellMap {

namespace {

// Cell bounds along one axis, [first, second) each: `count` cells alternating space and
// band, the i-th grid division at pixel division(i), the last cell ending at `extent`.
// Each band is 2g pixels wide around its grid line, g being a sixth of the space before
// it; the space cells take what is left. g is measured afresh at every division, so the
// rounding of the mapping never accumulates.
template <typename Division>
std::vector<std::pair<int, int>> AxisBounds(int count, int extent, Division division) {
    std::vector<std::pair<int, int>> bounds;
    bounds.reserve(static_cast<std::size_t>(count));
    const int first = division(1);
    int g = first / 6;
    bounds.emplace_back(0, first - g);
    for (int i = 1; i < count; ++i) {
        const int start = bounds.back().second;
        int end;
        if (i == count - 1) {
            end = extent;
        } else if (i % 2 == 1) {
            end = start + 2 * g;
        } else {
            const int line = division(i / 2 + 1);
            g = (line - start) / 6;
            end = line - g;
        }
        bounds.emplace_back(start, end);
    }
    return bounds;
}

} // namespace

Rects ComputeRects(QSize screen) {
    const CLogicalMapping map(screen);
    const int stepX = map.UnitsX() / kGridCols;
    const int stepY = map.UnitsY() / kGridRows;
    const auto columns =
        AxisBounds(kCols, screen.width(), [&](int i) { return map.DeviceX(i * stepX); });
    const auto rows =
        AxisBounds(kRows, screen.height(), [&](int i) { return map.DeviceY(i * stepY); });

    Rects cells{};
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            cells[Index(r, c)] = {columns[c].first, rows[r].first, columns[c].second,
                                  rows[r].second};
    return cells;
}

int HitTest(const Rects& rects, QPoint p) {
    for (int i = 0; i < kCount; ++i)
        if (rects[i].Contains(p))
            return i;
    return -1;
}

} // namespace CellMap
