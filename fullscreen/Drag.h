#pragma once

#include "fullscreen/CellMap.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// The geometry of a drag in the adjustment mode: where a grab anchors, how pointer movement
// becomes steps, where the grabbed handle's animation sits and what to repaint on release.
namespace Drag {

// The anchor of a grab at `click`: a click on the left or top edge anchors 11 pixels in,
// one within 12 pixels of the right or bottom edge 11 pixels further in, so that the
// pointer, put back there after every move, can still move both ways.
QPoint Anchor(QPoint click, QSize screen);

// The step for a movement of `delta` pixels along one axis: 0 for none, 1 for up to 20
// pixels, 4 for more; negative movements give negative steps.
int StepOf(int delta);

// Top-left corner of the 32 x 32 animation at a grabbed handle: right of the cell for
// horizontal convergence (16), below it for the vertical convergence kinds (17, 31, 32),
// centred on the anchor otherwise.
QPoint ClipPosition(int kind, QPoint anchor, const CellMap::Rect& cell);

// What to repaint at once when the handle is let go: the place of the animation with a
// small margin.
QRect ReleaseRepaint(int kind, QPoint anchor, const CellMap::Rect& cell);

// Turns pointer positions during a drag into (dx, dy) steps, dy > 0 meaning upwards.
// Measured from the anchor where the pointer stays there: the caller puts it back after
// every move (X11), or the compositor holds it and the positions are the anchor plus the
// hand's movement (a locked pointer on Wayland); the pointer never runs into a screen edge.
// Otherwise (Wayland without a lock) each position is measured from the previous one; the
// steps are the same, but a long drag ends when the pointer reaches the edge of the screen.
class Tracker {
public:
    void Begin(QPoint anchor, bool fromAnchor);
    QPoint Move(QPoint pos);

private:
    QPoint m_reference;
    bool m_fromAnchor = true;
};

} // namespace Drag
