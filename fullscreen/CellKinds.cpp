// Which handle kind lies on which cell of the hit map.

#include "fullscreen/CellMap.h"
#include "fullscreen/HandleKinds.h"

#include <algorithm>

namespace CellMap {

namespace {

using Row = std::array<std::uint8_t, 6>; // left, middle, right zone; even then odd column

// Within a zone the kind depends only on whether the row and the column are even or odd.
// Zone rows: top even, top odd, centre even, centre odd, bottom even, bottom odd.
using ZoneTable = std::array<Row, 6>;

constexpr ZoneTable kLayout0 = {{
    {7, 12, 0, 19, 4, 12},
    {12, 19, 19, 19, 12, 19},
    {3, 15, 19, 19, 1, 15},
    {15, 19, 19, 19, 15, 19},
    {6, 12, 2, 19, 5, 12},
    {12, 19, 19, 19, 12, 19},
}};

constexpr ZoneTable kLayout1 = {{
    {7, 11, 0, 14, 4, 10},
    {11, 19, 14, 19, 10, 19},
    {3, 9, 19, 13, 1, 8},
    {9, 19, 13, 19, 8, 19},
    {6, 11, 2, 14, 5, 10},
    {11, 19, 14, 19, 10, 19},
}};

// Layout 2 is layout 1 with corner-pin handles in the two outer grid rows at top and bottom.
constexpr Row kPinTopEven = {7, 20, 0, 27, 4, 21};      // rows 0, 2
constexpr Row kPinTopOdd = {20, 19, 27, 19, 21, 19};    // rows 1, 3
constexpr Row kPinBottomOdd = {22, 19, 28, 19, 23, 19}; // rows 19, 21
constexpr Row kPinBottomEven = {6, 22, 2, 28, 5, 23};   // rows 20, 22

// The tilt handles sit in the centre row, in the middle zone's spaces either side of the
// centre position handle.
constexpr int kTiltRow = 10;
constexpr std::array<int, 6> kTiltColumns = {8, 10, 12, 18, 20, 22};
constexpr std::uint8_t kTilt = 18;

constexpr int Zone(int index, int lastOfFirst, int lastOfSecond) {
    return index <= lastOfFirst ? 0 : index <= lastOfSecond ? 1 : 2;
}

const Row& LayoutRow(int layout, int row) {
    if (layout == 2) {
        if (row <= 3)
            return row % 2 == 0 ? kPinTopEven : kPinTopOdd;
        if (row >= 19)
            return row % 2 == 0 ? kPinBottomEven : kPinBottomOdd;
    }
    const ZoneTable& table = layout == 0 ? kLayout0 : kLayout1;
    return table[Zone(row, 6, 15) * 2 + row % 2];
}

std::uint8_t GeometryKind(int layout, int row, int col) {
    if (row == kTiltRow && std::ranges::find(kTiltColumns, col) != kTiltColumns.end())
        return kTilt;
    return LayoutRow(layout, row)[Zone(col, 6, 23) * 2 + col % 2];
}

// Without the size combination, edges and corners move sizes alone.
std::uint8_t WithoutSizeCombination(std::uint8_t kind) {
    switch (kind) {
    case 0:
    case 2:
        return 25;
    case 1:
    case 3:
        return 24;
    case 4:
    case 5:
    case 6:
    case 7:
        return 26;
    default:
        return kind;
    }
}

// Without the distortion combination, sides, distortion and corner pins move one item.
std::uint8_t WithoutDistortionCombination(std::uint8_t kind) {
    switch (kind) {
    case 8:
    case 9:
        return 15;
    case 10:
    case 11:
        return 12;
    case 20:
    case 21:
        return 29;
    case 22:
    case 23:
        return 30;
    default:
        return kind;
    }
}

// Odd columns adjust horizontal convergence; in the spaces between them the two outer
// horizontal lines at top and bottom adjust the top and bottom vertical convergence and
// the lines between them the vertical convergence.
std::uint8_t ConvergenceKind(int row, int col) {
    if (col % 2 == 1)
        return 16;
    if (row % 2 == 0)
        return HandleKinds::kNoHandle;
    if (row <= 3)
        return 31;
    if (row >= 19)
        return 32;
    return 17;
}

} // namespace

void BuildKinds(Kinds& kinds, int request, int layout, bool sizeCombo, bool distortionCombo) {
    if (request != kGeometry && request != kConvergenceAll && request != kConvergenceH &&
        request != kConvergenceHV)
        return;
    for (int row = 0; row < kRows; ++row) {
        for (int col = 0; col < kCols; ++col) {
            std::uint8_t kind;
            if (request == kGeometry) {
                kind = GeometryKind(layout, row, col);
                if (!sizeCombo)
                    kind = WithoutSizeCombination(kind);
                if (!distortionCombo && layout != 0)
                    kind = WithoutDistortionCombination(kind);
            } else {
                kind = ConvergenceKind(row, col);
                if (request == kConvergenceH && kind != 16)
                    kind = HandleKinds::kNoHandle;
                else if (request == kConvergenceHV && (kind == 31 || kind == 32))
                    kind = 17;
            }
            kinds[Index(row, col)] = kind;
        }
    }
}

} // namespace CellMap
