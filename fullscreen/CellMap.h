#pragma once

#include <QPoint>
#include <QSize>

#include <array>
#include <cstdint>

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

// The handle kind (HandleKinds) of every cell.
using Kinds = std::array<std::uint8_t, kCount>;

// What a cell map is built for.
enum Request {
    kGeometry = 3,       // the handles of the handle layout
    kConvergenceAll = 4, // horizontal, vertical, top and bottom vertical convergence
    kConvergenceH = 17,  // horizontal convergence only
    kConvergenceHV = 18, // horizontal and one vertical convergence handle
};

// Fills `kinds` for a request. Geometry follows handle layout 0, 1 or 2 and the two
// combination switches: with the size combination off the edges and corners move sizes
// alone, with the distortion combination off (layouts 1 and 2; layout 0 has no such
// handles) the sides, distortion and corner-pin handles move one item each. The three
// convergence maps are the same on every layout. An unknown request leaves `kinds` as it
// was.
void BuildKinds(Kinds& kinds, int request, int layout, bool sizeCombo, bool distortionCombo);

// The first cell (lowest index) containing p, or -1.
int HitTest(const Rects& rects, QPoint p);

} // namespace CellMap
