#include "fullscreen/Drag.h"

#include <gtest/gtest.h>

TEST(DragAnchor, ScreenEdges) {
    const QSize screen(1024, 768);
    // Left and top edges anchor 11 pixels in; x = 1 is already inside.
    EXPECT_EQ(Drag::Anchor({0, 0}, screen), QPoint(11, 11));
    EXPECT_EQ(Drag::Anchor({1, 1}, screen), QPoint(1, 1));
    // Within 12 pixels of the right or bottom edge (W - 12 .. W) 11 pixels further in.
    EXPECT_EQ(Drag::Anchor({1024 - 13, 768 - 13}, screen), QPoint(1011, 755));
    EXPECT_EQ(Drag::Anchor({1024 - 12, 768 - 12}, screen), QPoint(1001, 745));
    EXPECT_EQ(Drag::Anchor({1024 - 11, 768 - 11}, screen), QPoint(1002, 746));
    EXPECT_EQ(Drag::Anchor({1023, 767}, screen), QPoint(1012, 756));
    EXPECT_EQ(Drag::Anchor({1024, 768}, screen), QPoint(1013, 757));
    // Each axis on its own.
    EXPECT_EQ(Drag::Anchor({0, 500}, screen), QPoint(11, 500));
    EXPECT_EQ(Drag::Anchor({500, 1023}, screen), QPoint(500, 1023)); // y beyond the screen
    EXPECT_EQ(Drag::Anchor({512, 0}, screen), QPoint(512, 11));
}

TEST(DragStep, OneOrFourPerAxis) {
    EXPECT_EQ(Drag::StepOf(0), 0);
    EXPECT_EQ(Drag::StepOf(1), 1);
    EXPECT_EQ(Drag::StepOf(-1), -1);
    EXPECT_EQ(Drag::StepOf(20), 1);
    EXPECT_EQ(Drag::StepOf(-20), -1);
    EXPECT_EQ(Drag::StepOf(21), 4);
    EXPECT_EQ(Drag::StepOf(-21), -4);
    EXPECT_EQ(Drag::StepOf(5000), 4);
    EXPECT_EQ(Drag::StepOf(-5000), -4);
}

TEST(DragClip, PlacedBesideOrBelowTheCell) {
    const CellMap::Rect cell{100, 200, 116, 260};
    const QPoint anchor(108, 230);
    EXPECT_EQ(Drag::ClipPosition(16, anchor, cell), QPoint(116, 214)); // right of the cell
    for (int kind : {17, 31, 32})
        EXPECT_EQ(Drag::ClipPosition(kind, anchor, cell), QPoint(92, 260)) << kind;
    for (int kind : {0, 7, 18, 19, 26, 30})
        EXPECT_EQ(Drag::ClipPosition(kind, anchor, cell), QPoint(92, 214)) << kind;
}

TEST(DragClip, ReleaseRepaintsWhereTheClipWas) {
    const CellMap::Rect cell{100, 200, 116, 260};
    const QPoint anchor(108, 230);
    // From (right - 4, y - 20) to (right + 36, y + 20), the far corner just outside.
    EXPECT_EQ(Drag::ReleaseRepaint(16, anchor, cell), QRect(112, 210, 40, 40));
    for (int kind : {17, 31, 32})
        EXPECT_EQ(Drag::ReleaseRepaint(kind, anchor, cell), QRect(88, 256, 40, 40)) << kind;
    // (x - 16, y - 17) to (x + 16, y + 16): one pixel more above the clip.
    EXPECT_EQ(Drag::ReleaseRepaint(5, anchor, cell), QRect(92, 213, 32, 33));
    // Every repaint covers the clip it removes.
    for (int kind = 0; kind < 33; ++kind) {
        const QRect clip(Drag::ClipPosition(kind, anchor, cell), QSize(32, 32));
        EXPECT_TRUE(Drag::ReleaseRepaint(kind, anchor, cell).contains(clip)) << kind;
    }
}

TEST(DragTracker, WarpedPointerIsMeasuredFromTheAnchor) {
    Drag::Tracker tracker;
    tracker.Begin({500, 400}, true);
    EXPECT_EQ(tracker.Move({505, 400}), QPoint(1, 0));
    // The caller warped the pointer back; the warp itself arrives as a move to the anchor.
    EXPECT_EQ(tracker.Move({500, 400}), QPoint(0, 0));
    EXPECT_EQ(tracker.Move({500, 379}), QPoint(0, 4)); // 21 pixels up
    EXPECT_EQ(tracker.Move({479, 420}), QPoint(-4, -1));
    EXPECT_EQ(tracker.Move({505, 400}), QPoint(1, 0)); // still from the anchor
}

TEST(DragTracker, WithoutWarpEachMoveIsMeasuredFromThePreviousOne) {
    Drag::Tracker tracker;
    tracker.Begin({500, 400}, false);
    EXPECT_EQ(tracker.Move({505, 400}), QPoint(1, 0));
    EXPECT_EQ(tracker.Move({510, 400}), QPoint(1, 0)); // 5 more, not 10 from the anchor
    EXPECT_EQ(tracker.Move({510, 400}), QPoint(0, 0));
    EXPECT_EQ(tracker.Move({540, 370}), QPoint(4, 4));
    EXPECT_EQ(tracker.Move({539, 371}), QPoint(-1, -1));
    // A new drag starts again from its own anchor.
    tracker.Begin({100, 100}, false);
    EXPECT_EQ(tracker.Move({100, 121}), QPoint(0, -4));
}
