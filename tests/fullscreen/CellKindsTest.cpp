#include "fullscreen/CellMap.h"
#include "fullscreen/HandleKinds.h"
#include "fullscreen/HandleLayout.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using CellMap::Index;

CellMap::Kinds Build(int request, int layout, bool sizeCombo = true, bool distortionCombo = true) {
    CellMap::Kinds kinds{};
    kinds.fill(200); // not a kind: shows any cell the build leaves out
    CellMap::BuildKinds(kinds, request, layout, sizeCombo, distortionCombo);
    return kinds;
}

struct CellCase {
    int row, col, kind;
};

void ExpectCells(const CellMap::Kinds& kinds, std::initializer_list<CellCase> cases) {
    for (const CellCase& c : cases)
        EXPECT_EQ(kinds[Index(c.row, c.col)], c.kind) << "row " << c.row << " column " << c.col;
}

} // namespace

TEST(CellKinds, Layout1ZonesAndTheirBorders) {
    const auto kinds = Build(CellMap::kGeometry, 1);
    ExpectCells(kinds, {
                           // top zone, even row: corner, distortion, edge, parallelogram
                           {0, 0, 7},
                           {0, 5, 11},
                           {0, 6, 7},
                           {0, 7, 14},
                           {0, 8, 0},
                           {0, 23, 14},
                           {0, 24, 4},
                           {0, 29, 10},
                           {0, 30, 4},
                           // top zone, odd row; row 6 is the zone's last
                           {1, 0, 11},
                           {1, 1, 19},
                           {1, 8, 14},
                           {1, 24, 10},
                           {6, 6, 7},
                           // centre zone from row 7: odd rows sides, even rows edges
                           {7, 0, 9},
                           {7, 6, 9},
                           {7, 7, 19},
                           {7, 8, 13},
                           {7, 30, 8},
                           {8, 0, 3},
                           {8, 1, 9},
                           {8, 8, 19},
                           {8, 9, 13},
                           {8, 30, 1},
                           {15, 0, 9},
                           {14, 29, 8},
                           // bottom zone from row 16
                           {16, 0, 6},
                           {16, 3, 11},
                           {16, 8, 2},
                           {16, 30, 5},
                           {17, 0, 11},
                           {22, 0, 6},
                           {22, 15, 14},
                           {22, 30, 5},
                           {21, 30, 10},
                       });
}

TEST(CellKinds, TiltCellsOnlyInTheCentreRow) {
    for (int layout : {0, 1, 2}) {
        const auto kinds = Build(CellMap::kGeometry, layout);
        for (int col : {8, 10, 12, 18, 20, 22})
            EXPECT_EQ(kinds[Index(10, col)], 18) << "layout " << layout << " column " << col;
        // The centre itself and the spaces beyond the tilt cells move the position.
        for (int col : {14, 16, 7, 23})
            EXPECT_NE(kinds[Index(10, col)], 18) << "layout " << layout << " column " << col;
        EXPECT_EQ(kinds[Index(10, 16)], 19);
        EXPECT_EQ(kinds[Index(8, 10)], 19); // same kind of cell, another row
        EXPECT_EQ(kinds[Index(12, 20)], 19);
    }
}

TEST(CellKinds, Layout2HasCornerPinsInTheOuterRows) {
    const auto kinds = Build(CellMap::kGeometry, 2);
    ExpectCells(kinds, {
                           {0, 0, 7},
                           {0, 1, 20},
                           {0, 8, 0},
                           {0, 9, 27},
                           {0, 29, 21},
                           {1, 0, 20},
                           {1, 8, 27},
                           {1, 30, 21},
                           {2, 5, 20},
                           {3, 24, 21},
                           {19, 0, 22},
                           {19, 8, 28},
                           {19, 30, 23},
                           {20, 0, 6},
                           {20, 1, 22},
                           {20, 9, 28},
                           {20, 29, 23},
                           {22, 30, 5},
                           {21, 15, 19},
                           // rows 4..18 are layout 1's
                           {4, 5, 11},
                           {5, 0, 11},
                           {18, 29, 10},
                           {17, 8, 14},
                           {8, 0, 3},
                       });
}

TEST(CellKinds, Layout0IsTheReducedOne) {
    const auto kinds = Build(CellMap::kGeometry, 0);
    ExpectCells(kinds, {
                           {0, 0, 7},
                           {0, 1, 12},
                           {0, 8, 0},
                           {0, 9, 19},
                           {0, 29, 12},
                           {1, 0, 12},
                           {1, 8, 19},
                           {7, 0, 15},
                           {7, 8, 19},
                           {8, 0, 3},
                           {8, 29, 15},
                           {8, 30, 1},
                           {16, 8, 2},
                           {22, 30, 5},
                           {21, 0, 12},
                       });
    // None of the two-item distortion handles exist here.
    for (std::uint8_t kind : kinds)
        EXPECT_TRUE(kind <= 7 || kind == 12 || kind == 15 || kind == 18 || kind == 19) << int(kind);
}

TEST(CellKinds, SizeCombinationOffMovesSizesAlone) {
    // The top edge of layout 0: kind 0 with the combination, vertical size (25) without.
    EXPECT_EQ(Build(CellMap::kGeometry, 0, true)[Index(0, 8)], 0);
    EXPECT_EQ(Build(CellMap::kGeometry, 0, false)[Index(0, 8)], 25);
    const auto kinds = Build(CellMap::kGeometry, 1, false);
    ExpectCells(kinds, {{16, 8, 25},
                        {8, 30, 24},
                        {8, 0, 24},
                        {0, 0, 26},
                        {0, 30, 26},
                        {22, 0, 26},
                        {22, 30, 26},
                        // other handles stay
                        {0, 5, 11},
                        {7, 30, 8},
                        {10, 8, 18}});
}

TEST(CellKinds, DistortionCombinationOffMovesOneItem) {
    const auto layout2 = Build(CellMap::kGeometry, 2, true, false);
    ExpectCells(layout2, {{0, 1, 29},
                          {0, 29, 29},
                          {1, 0, 29},
                          {20, 1, 30},
                          {19, 30, 30},
                          {7, 0, 15},
                          {7, 30, 15},
                          {5, 0, 12},
                          {5, 30, 12},
                          // balances and edges keep their kinds
                          {0, 9, 27},
                          {19, 8, 28},
                          {0, 8, 0}});
    const auto layout1 = Build(CellMap::kGeometry, 1, true, false);
    ExpectCells(layout1, {{0, 5, 12}, {0, 29, 12}, {8, 1, 15}, {8, 29, 15}, {8, 9, 13}});
    // Layout 0 has no distortion combination to switch off.
    EXPECT_EQ(Build(CellMap::kGeometry, 0, true, false), Build(CellMap::kGeometry, 0));
}

TEST(CellKinds, MarkerCellsCarryKindsWithMarkerClips) {
    // Kinds 16, 17, 19, 31, 32 and 33 have no marker clip, so no marker may sit on them.
    for (int layout : {0, 1, 2})
        for (bool size : {true, false})
            for (bool distortion : {true, false}) {
                const auto kinds = Build(CellMap::kGeometry, layout, size, distortion);
                for (int cell : HandleLayout::MarkerCells(layout)) {
                    const int kind = kinds[cell];
                    EXPECT_FALSE(kind == 16 || kind == 17 || kind == 19 || kind == 31 ||
                                 kind == 32 || kind == 33)
                        << "layout " << layout << " cell " << cell << " kind " << kind;
                }
            }
}

TEST(CellKinds, ConvergenceMaps) {
    const auto all = Build(CellMap::kConvergenceAll, 2);
    ExpectCells(all, {{0, 1, 16},
                      {22, 29, 16},
                      {11, 15, 16},
                      {0, 0, 33},
                      {10, 8, 33},
                      {22, 30, 33},
                      {1, 0, 31},
                      {3, 30, 31},
                      {5, 2, 17},
                      {17, 28, 17},
                      {19, 0, 32},
                      {21, 30, 32}});
    const auto hv = Build(CellMap::kConvergenceHV, 2);
    ExpectCells(hv, {{1, 0, 17}, {21, 30, 17}, {11, 0, 17}, {0, 1, 16}, {0, 0, 33}});
    const auto h = Build(CellMap::kConvergenceH, 2);
    for (int cell = 0; cell < CellMap::kCount; ++cell)
        EXPECT_EQ(h[cell], cell % CellMap::kCols % 2 == 1 ? 16 : 33) << cell;
    // Requests 17 and 18 do not depend on the layout.
    EXPECT_EQ(Build(CellMap::kConvergenceH, 0), h);
    EXPECT_EQ(Build(CellMap::kConvergenceHV, 1), hv);
}

TEST(CellKinds, FullConvergenceMapOnEveryLayout) {
    // The full convergence map is asked for whenever the monitor has top and bottom
    // vertical convergence, whatever the geometry handles look like; keeping the geometry
    // map would let a drag behind the convergence dialog change the geometry.
    for (int layout : {0, 1}) {
        CellMap::Kinds kinds = Build(CellMap::kGeometry, layout);
        CellMap::BuildKinds(kinds, CellMap::kConvergenceAll, layout, true, true);
        EXPECT_EQ(kinds, Build(CellMap::kConvergenceAll, 2)) << "layout " << layout;
    }
}

TEST(CellKinds, UnknownRequestKeepsTheMap) {
    CellMap::Kinds kinds = Build(CellMap::kGeometry, 1);
    const CellMap::Kinds before = kinds;
    for (int request : {0, 5, 19, -1})
        CellMap::BuildKinds(kinds, request, 1, true, true);
    EXPECT_EQ(kinds, before);
}

TEST(CellKinds, EveryCellGetsAKind) {
    for (int request : {3, 4, 17, 18})
        for (int layout : {0, 1, 2})
            for (std::uint8_t kind : Build(request, layout, false, false))
                EXPECT_LT(kind, HandleKinds::kCount) << "request " << request;
}

TEST(HandleKinds, AxesAndClips) {
    using HandleKinds::Axis;
    EXPECT_EQ(HandleKinds::AxisOf(0), Axis::V);
    EXPECT_EQ(HandleKinds::AxisOf(3), Axis::H);
    EXPECT_EQ(HandleKinds::AxisOf(7), Axis::HV);
    EXPECT_EQ(HandleKinds::AxisOf(16), Axis::H);
    EXPECT_EQ(HandleKinds::AxisOf(18), Axis::V);
    EXPECT_EQ(HandleKinds::AxisOf(19), Axis::HV);
    EXPECT_EQ(HandleKinds::AxisOf(25), Axis::V);
    EXPECT_EQ(HandleKinds::AxisOf(26), Axis::HV);
    EXPECT_EQ(HandleKinds::AxisOf(31), Axis::V);
    EXPECT_EQ(HandleKinds::AxisOf(32), Axis::V);
    EXPECT_EQ(HandleKinds::AxisOf(33), Axis::None);
    EXPECT_EQ(HandleKinds::AxisOf(34), Axis::None);
    EXPECT_EQ(HandleKinds::AxisOf(-1), Axis::None);
    EXPECT_EQ(HandleKinds::MarkerClip(0), 10);
    EXPECT_EQ(HandleKinds::MarkerClip(30), 40);
    EXPECT_EQ(HandleKinds::DragClip(0), 45);
    EXPECT_EQ(HandleKinds::DragClip(32), 77);
}

TEST(HitTest, CellBordersAndFirstMatch) {
    const CellMap::Rects cells = CellMap::ComputeRects({800, 600});
    // Cell 0 is [0, 42) x [0, 42), cell 1 starts at x = 42.
    EXPECT_EQ(CellMap::HitTest(cells, {0, 0}), 0);
    EXPECT_EQ(CellMap::HitTest(cells, {41, 41}), 0);
    EXPECT_EQ(CellMap::HitTest(cells, {42, 0}), 1);
    EXPECT_EQ(CellMap::HitTest(cells, {41, 42}), Index(1, 0));
    EXPECT_EQ(CellMap::HitTest(cells, {799, 599}), 712);
    EXPECT_EQ(CellMap::HitTest(cells, {800, 599}), -1);
    EXPECT_EQ(CellMap::HitTest(cells, {799, 600}), -1);
    EXPECT_EQ(CellMap::HitTest(cells, {-1, 0}), -1);

    // Overlapping cells: the lowest index wins.
    CellMap::Rects overlapping{};
    overlapping[5] = {10, 10, 20, 20};
    overlapping[3] = {15, 15, 30, 30};
    EXPECT_EQ(CellMap::HitTest(overlapping, {16, 16}), 3);
    EXPECT_EQ(CellMap::HitTest(overlapping, {12, 12}), 5);
    EXPECT_EQ(CellMap::HitTest(overlapping, {0, 0}), -1); // empty rectangles hold nothing
}
