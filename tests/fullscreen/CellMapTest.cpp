#include "fullscreen/CellMap.h"
#include "fullscreen/HandleLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Bounds = std::vector<std::pair<int, int>>; // [left, right) or [top, bottom)

Bounds Columns(const CellMap::Rects& cells, int row) {
    Bounds b;
    for (int c = 0; c < CellMap::kCols; ++c)
        b.emplace_back(cells[CellMap::Index(row, c)].left, cells[CellMap::Index(row, c)].right);
    return b;
}

Bounds Rows(const CellMap::Rects& cells, int col) {
    Bounds b;
    for (int r = 0; r < CellMap::kRows; ++r)
        b.emplace_back(cells[CellMap::Index(r, col)].top, cells[CellMap::Index(r, col)].bottom);
    return b;
}

// Every row has the same column bounds and every column the same row bounds, the cells
// touch without gaps from the screen's top-left corner to its far edges, so each pixel lies
// in exactly one cell.
void ExpectTiling(const CellMap::Rects& cells, int w, int h) {
    const Bounds columns = Columns(cells, 0);
    const Bounds rows = Rows(cells, 0);
    for (int r = 1; r < CellMap::kRows; ++r)
        EXPECT_EQ(Columns(cells, r), columns) << "row " << r;
    for (int c = 1; c < CellMap::kCols; ++c)
        EXPECT_EQ(Rows(cells, c), rows) << "column " << c;
    EXPECT_EQ(columns.front().first, 0);
    EXPECT_EQ(columns.back().second, w);
    EXPECT_EQ(rows.front().first, 0);
    EXPECT_EQ(rows.back().second, h);
    for (std::size_t i = 1; i < columns.size(); ++i) {
        EXPECT_EQ(columns[i].first, columns[i - 1].second);
        EXPECT_LT(columns[i].first, columns[i].second);
    }
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].first, rows[i - 1].second);
        EXPECT_LT(rows[i].first, rows[i].second);
    }
}

// The narrow band cells (odd columns and rows) hold the crosshatch's grid lines.
void ExpectBandsOnGridLines(const CellMap::Rects& cells, const std::vector<int>& xs,
                            const std::vector<int>& ys) {
    for (std::size_t i = 0; i < xs.size(); ++i) {
        const auto& band = cells[CellMap::Index(0, 2 * static_cast<int>(i) + 1)];
        EXPECT_TRUE(band.left <= xs[i] && xs[i] < band.right) << "vertical line " << xs[i];
    }
    for (std::size_t i = 0; i < ys.size(); ++i) {
        const auto& band = cells[CellMap::Index(2 * static_cast<int>(i) + 1, 0)];
        EXPECT_TRUE(band.top <= ys[i] && ys[i] < band.bottom) << "horizontal line " << ys[i];
    }
}

} // namespace

TEST(CellRects, At800x600) {
    const CellMap::Rects cells = CellMap::ComputeRects({800, 600});
    // One grid cell is 50 x 50 pixels: bands 2 x 8 wide at first, then 2 x 7.
    EXPECT_EQ(cells[0], (CellMap::Rect{0, 0, 42, 42}));
    EXPECT_EQ(cells[1], (CellMap::Rect{42, 0, 58, 42}));
    EXPECT_EQ(cells[2], (CellMap::Rect{58, 0, 93, 42}));
    EXPECT_EQ(cells[3], (CellMap::Rect{93, 0, 107, 42}));
    EXPECT_EQ(cells[30], (CellMap::Rect{757, 0, 800, 42}));
    EXPECT_EQ(cells[CellMap::Index(1, 0)], (CellMap::Rect{0, 42, 42, 58}));
    EXPECT_EQ(cells[CellMap::Index(2, 1)], (CellMap::Rect{42, 58, 58, 93}));
    EXPECT_EQ(cells[CellMap::Index(21, 29)], (CellMap::Rect{743, 543, 757, 557}));
    EXPECT_EQ(cells[712], (CellMap::Rect{757, 557, 800, 600}));
    ExpectTiling(cells, 800, 600);
    ExpectBandsOnGridLines(
        cells, {49, 99, 149, 199, 249, 299, 349, 399, 449, 499, 549, 599, 649, 699, 749},
        {49, 99, 149, 199, 249, 299, 349, 399, 449, 499, 549});
}

TEST(CellRects, At1280x1024) {
    const CellMap::Rects cells = CellMap::ComputeRects({1280, 1024});
    // 1600 x 1200 units: a grid cell is 80 x 85 pixels; the band widths follow the rounding
    // of each grid line.
    EXPECT_EQ(cells[0], (CellMap::Rect{0, 0, 67, 71}));
    EXPECT_EQ(cells[1], (CellMap::Rect{67, 0, 93, 71}));
    EXPECT_EQ(cells[2], (CellMap::Rect{93, 0, 149, 71}));
    EXPECT_EQ(cells[3], (CellMap::Rect{149, 0, 171, 71}));
    EXPECT_EQ(cells[30], (CellMap::Rect{1211, 0, 1280, 71}));
    EXPECT_EQ(cells[CellMap::Index(2, 0)], (CellMap::Rect{0, 99, 67, 159}));
    EXPECT_EQ(cells[CellMap::Index(4, 0)], (CellMap::Rect{0, 183, 67, 244}));
    EXPECT_EQ(cells[CellMap::Index(21, 29)], (CellMap::Rect{1189, 927, 1211, 951}));
    EXPECT_EQ(cells[712], (CellMap::Rect{1211, 951, 1280, 1024}));
    ExpectTiling(cells, 1280, 1024);
    ExpectBandsOnGridLines(
        cells, {79, 159, 239, 319, 399, 479, 559, 639, 719, 799, 879, 959, 1039, 1119, 1199},
        {84, 170, 255, 340, 426, 511, 596, 682, 767, 852, 938});
}

TEST(HandleLayoutChoice, PinTopThenModel) {
    // The corner pins win whatever the model; without them only the TR-4427 (model 0)
    // takes the reduced layout.
    EXPECT_EQ(HandleLayout::Choose(true, 0), 2);
    EXPECT_EQ(HandleLayout::Choose(true, 1), 2);
    EXPECT_EQ(HandleLayout::Choose(false, 0), 0);
    EXPECT_EQ(HandleLayout::Choose(false, 1), 1);
    EXPECT_EQ(HandleLayout::Choose(false, 0xFF), 1);
}

TEST(HandleLayoutChoice, ReducedLayoutKeepsAPartOfTheMarkers) {
    const auto reduced = HandleLayout::MarkerCells(0);
    const auto full = HandleLayout::MarkerCells(1);
    EXPECT_EQ(reduced.size(), 16u);
    EXPECT_EQ(full.size(), 25u);
    EXPECT_TRUE(std::ranges::equal(HandleLayout::MarkerCells(2), full));
    for (int cell : reduced)
        EXPECT_NE(std::ranges::find(full, cell), full.end()) << cell;
    for (int cell : full)
        EXPECT_TRUE(cell >= 0 && cell < CellMap::kCount) << cell;
}
