#include "fullscreen/CellMap.h"

#include "fullscreen/LogicalMapping.h"

namespace CellMap {

// Each band is 2g pixels wide around its grid line, g being a sixth of the space before
// it; the space cells take what is left. g is measured afresh at every grid line, so the
// rounding of the mapping never accumulates.
Rects ComputeRects(QSize screen) {
    const CLogicalMapping map(screen);
    const int stepX = map.UnitsX() / kGridCols;
    const int stepY = map.UnitsY() / kGridRows;
    const int cw = map.DeviceX(stepX);
    const int ch = map.DeviceY(stepY);
    int gx = cw / 6;
    int gy = ch / 6;

    Rects cells{};
    cells[0] = {0, 0, cw - gx, ch - gy};
    for (int c = 1; c < kCols; ++c) {
        Rect& cell = cells[Index(0, c)];
        cell = {cells[Index(0, c - 1)].right, 0, 0, cells[0].bottom};
        if (c == kCols - 1) {
            cell.right = screen.width();
        } else if (c % 2 == 1) {
            cell.right = cell.left + 2 * gx;
        } else {
            const int x = map.DeviceX((c / 2 + 1) * stepX);
            gx = (x - cell.left) / 6;
            cell.right = x - gx;
        }
    }

    for (int r = 1; r < kRows; ++r) {
        Rect& first = cells[Index(r, 0)];
        const Rect& above = cells[Index(r - 1, 0)];
        first = {above.left, above.bottom, above.right, 0};
        if (r == kRows - 1) {
            first.bottom = screen.height();
        } else if (r % 2 == 1) {
            first.bottom = first.top + 2 * gy;
        } else {
            const int y = map.DeviceY((r / 2 + 1) * stepY);
            gy = (y - first.top) / 6;
            first.bottom = y - gy;
        }
        for (int c = 1; c < kCols; ++c) {
            const Rect& up = cells[Index(r - 1, c)];
            cells[Index(r, c)] = {up.left, first.top, up.right, first.bottom};
        }
    }
    return cells;
}

} // namespace CellMap
