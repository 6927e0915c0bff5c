#include "fullscreen/Drag.h"

namespace Drag {

namespace {

constexpr int kEdgeInset = 11;   // how far in a grab at the screen's edge is anchored
constexpr int kFarEdgeBand = 12; // a grab this close to the right or bottom edge moves in
constexpr int kSmallMove = 20;   // movements up to this many pixels give a step of 1
constexpr int kLargeStep = 4;
constexpr int kClipHalf = 16;     // the drag animation is 32 x 32
constexpr int kHConvergence = 16; // the one handle whose animation sits beside its cell

int AnchorAxis(int v, int extent) {
    if (v == 0)
        return kEdgeInset;
    if (extent - kFarEdgeBand <= v && v <= extent)
        return v - kEdgeInset;
    return v;
}

bool BelowCell(int kind) {
    return kind == 17 || kind == 31 || kind == 32;
}

} // namespace

QPoint Anchor(QPoint click, QSize screen) {
    return {AnchorAxis(click.x(), screen.width()), AnchorAxis(click.y(), screen.height())};
}

int StepOf(int delta) {
    if (delta == 0)
        return 0;
    const int size = (delta > 0 ? delta : -delta) <= kSmallMove ? 1 : kLargeStep;
    return delta > 0 ? size : -size;
}

QPoint ClipPosition(int kind, QPoint anchor, const CellMap::Rect& cell) {
    if (kind == kHConvergence)
        return {cell.right, anchor.y() - kClipHalf};
    if (BelowCell(kind))
        return {anchor.x() - kClipHalf, cell.bottom};
    return anchor - QPoint(kClipHalf, kClipHalf);
}

QRect ReleaseRepaint(int kind, QPoint anchor, const CellMap::Rect& cell) {
    // Corners as (left, top) and (right, bottom), the latter just outside.
    auto span = [](int left, int top, int right, int bottom) {
        return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    };
    const int x = anchor.x(), y = anchor.y();
    if (kind == kHConvergence)
        return span(cell.right - 4, y - 20, cell.right + 36, y + 20);
    if (BelowCell(kind))
        return span(x - 20, cell.bottom - 4, x + 20, cell.bottom + 36);
    return span(x - kClipHalf, y - kClipHalf - 1, x + kClipHalf, y + kClipHalf);
}

void Tracker::Begin(QPoint anchor, bool fromAnchor) {
    m_reference = anchor;
    m_fromAnchor = fromAnchor;
}

QPoint Tracker::Move(QPoint pos) {
    const QPoint step(StepOf(pos.x() - m_reference.x()), StepOf(m_reference.y() - pos.y()));
    if (!m_fromAnchor)
        m_reference = pos;
    return step;
}

} // namespace Drag
