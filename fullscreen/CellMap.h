#pragma once

#include <QPoint>
#include <QSize>

#include <array>

// The hit cells of the adjustment mode: 31 columns x 23 rows laid over the 16 x 12
// crosshatch. Even columns and rows are the spaces between grid lines, odd ones narrow
// bands centred on the lines; the last column and row reach the screen edges.
namespace CellMap {

constexpr int kCols = 31;
constexpr int kRows = 23;
constexpr int kCount = kCols * kRows;      // 713
constexpr int kGridCols = (kCols + 1) / 2; // 16 spaces across
constexpr int kGridRows = (kRows + 1) / 2; // 12 spaces down

constexpr int Index(int row, int col) {
    return row * kCols + col;
}

// A cell in screen pixels; right and bottom lie just outside it.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(QPoint p) const {
        return left <= p.x() && p.x() < right && top <= p.y() && p.y() < bottom;
    }
    bool operator==(const Rect&) const = default;
};
using Rects = std::array<Rect, kCount>;

// The cell rectangles for a screen of this size, in the crosshatch's logical mapping.
Rects ComputeRects(QSize screen);

} // namespace CellMap
