#include "HandleArt.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <cmath>

namespace {

// Everything is drawn in a 32 x 32 space; mirrored and turned pictures share one drawing.
const QTransform kMirrorX(-1, 0, 0, 1, 32, 0);
const QTransform kMirrorY(1, 0, 0, -1, 0, 32);
const QTransform kMirrorXY(-1, 0, 0, -1, 32, 32);
const QTransform kTurnRight(0, 1, -1, 0, 32, 0); // right edge -> bottom edge
const QTransform kTurnLeft(0, -1, 1, 0, 0, 32);  // right edge -> top edge

const QColor kRed(230, 40, 40);
const QColor kBlue(60, 90, 255);

class CArt {
public:
    explicit CArt(QPainter& p) : m_p(p) {}

    // A stroke with a black outline, so it shows on black and white screens alike.
    void Stroke(const QPainterPath& path, const QColor& color = Qt::white) {
        m_p.setBrush(Qt::NoBrush);
        m_p.setPen(QPen(Qt::black, 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.drawPath(path);
        m_p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.drawPath(path);
    }
    void Line(QPointF a, QPointF b, const QColor& color = Qt::white) {
        QPainterPath path(a);
        path.lineTo(b);
        Stroke(path, color);
    }
    void Polygon(const QPolygonF& points) {
        QPainterPath path;
        path.addPolygon(points);
        path.closeSubpath();
        Stroke(path);
    }
    // A double-headed arrow from a to b (single-headed at b when `both` is false).
    void Arrow(QPointF a, QPointF b, bool both = true) {
        Line(a, b);
        Head(a, b);
        if (both)
            Head(b, a);
    }

private:
    void Head(QPointF from, QPointF tip) {
        const QPointF d = tip - from;
        const double len = std::hypot(d.x(), d.y());
        const QPointF u = d / len;
        const QPointF n(-u.y(), u.x());
        const QPointF base = tip - u * 5.0;
        QPolygonF head{tip + u * 1.0, base + n * 3.6, base - n * 3.6};
        m_p.setPen(QPen(Qt::black, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_p.setBrush(Qt::white);
        m_p.drawPolygon(head);
    }

    QPainter& m_p;
};

QPainterPath Curve(QPointF a, QPointF c1, QPointF c2, QPointF b) {
    QPainterPath path(a);
    path.cubicTo(c1, c2, b);
    return path;
}

// Right edge: size and position together (kinds 0..3 by turning and mirroring).
void EdgeSize(CArt& art, double o) {
    art.Line({24 + o, 6}, {24 + o, 26});
    art.Arrow({4, 16}, {29, 16});
}

// Top-right corner: both edges together (kinds 4..7).
void Corner(CArt& art, double o) {
    art.Line({15 + o, 8 - o}, {24 + o, 8 - o});
    art.Line({24 + o, 8 - o}, {24 + o, 17 - o});
    art.Arrow({6, 26}, {26, 6});
}

// Right side bowing, with a leaning balance (kinds 8, 9).
void SideBow(CArt& art, double o) {
    art.Stroke(Curve({23, 3}, {23 + 3 * o, 11}, {23 + o, 21}, {23, 29}));
    art.Arrow({5, 16}, {18, 16});
}

// Right side leaning (kinds 10, 11).
void SideLean(CArt& art, double o) {
    art.Line({23 + o, 4}, {23 - o, 28});
    art.Arrow({5, 16}, {18, 16});
}

// Two coloured lines moving against each other (kinds 16, 17).
void Convergence(CArt& art, double o) {
    art.Line({13 + o, 4}, {13 + o, 22}, kRed);
    art.Line({19 - o, 4}, {19 - o, 22}, kBlue);
    art.Arrow({4, 27}, {28, 27});
}

// Top edge near its left corner bending (kinds 20..23).
void CornerPin(CArt& art, double o) {
    art.Stroke(Curve({5, 8 + 2.5 * o}, {9, 8}, {14, 8}, {27, 8}));
    art.Line({5, 8 + 2.5 * o}, {5, 27});
    art.Arrow({10, 19}, {24, 19});
}

// Both sides of a picture moving out and in (kinds 24, 25).
void Size(CArt& art, double o) {
    art.Line({5 - o, 8}, {5 - o, 24});
    art.Line({27 + o, 8}, {27 + o, 24});
    art.Arrow({9, 16}, {23, 16});
}

// Top edge bending (kinds 27..30): `balance` leans it, otherwise its corners move.
void TopEdge(CArt& art, double o, bool balance) {
    if (balance)
        art.Stroke(Curve({4, 10}, {11, 10 + 4 * o}, {21, 10 - 4 * o}, {28, 10}));
    else
        art.Stroke(Curve({4, 10 + 2.5 * o}, {12, 10}, {20, 10}, {28, 10 + 2.5 * o}));
    art.Line({4, 10 + (balance ? 0 : 2.5 * o)}, {4, 27});
    art.Line({28, 10 + (balance ? 0 : 2.5 * o)}, {28, 27});
    art.Arrow({10, 20}, {22, 20});
}

// Red and blue lines at the top of the screen (kinds 31, 32).
void TopConvergence(CArt& art, double o) {
    art.Line({4, 6 + o}, {28, 6 + o}, kRed);
    art.Line({4, 11 - o}, {28, 11 - o}, kBlue);
    art.Arrow({16, 15}, {16, 29});
}

void Draw(QPainter& p, int kind, double s) {
    CArt art(p);
    const double o = 3.0 * s;
    auto with = [&p](const QTransform& t) { p.setWorldTransform(t, true); };
    switch (kind) {
    case 0:
        with(kTurnLeft);
        EdgeSize(art, o);
        break;
    case 1:
        EdgeSize(art, o);
        break;
    case 2:
        with(kTurnRight);
        EdgeSize(art, o);
        break;
    case 3:
        with(kMirrorX);
        EdgeSize(art, o);
        break;
    case 4:
        Corner(art, o);
        break;
    case 5:
        with(kMirrorY);
        Corner(art, o);
        break;
    case 6:
        with(kMirrorXY);
        Corner(art, o);
        break;
    case 7:
        with(kMirrorX);
        Corner(art, o);
        break;
    case 8:
        SideBow(art, o);
        break;
    case 9:
        with(kMirrorX);
        SideBow(art, o);
        break;
    case 10:
        SideLean(art, o);
        break;
    case 11:
        with(kMirrorX);
        SideLean(art, o);
        break;
    case 12: // trapezoid: top and bottom widths move against each other
        art.Polygon({{9 - o, 6}, {23 + o, 6}, {23 - o, 24}, {9 + o, 24}});
        art.Arrow({6, 29}, {26, 29});
        break;
    case 13: // pin balance: both sides bow the same way
        art.Stroke(Curve({8, 5}, {8 + 2 * o, 12}, {8 + 2 * o, 18}, {8, 25}));
        art.Stroke(Curve({24, 5}, {24 + 2 * o, 12}, {24 + 2 * o, 18}, {24, 25}));
        art.Arrow({6, 29}, {26, 29});
        break;
    case 14: // parallelogram: top and bottom slide against each other
        art.Polygon({{8 + o, 6}, {24 + o, 6}, {24 - o, 24}, {8 - o, 24}});
        art.Arrow({6, 29}, {26, 29});
        break;
    case 15: // side pincushion: the sides bow against each other
        art.Stroke(Curve({8, 5}, {8 - 2 * o, 12}, {8 - 2 * o, 18}, {8, 25}));
        art.Stroke(Curve({24, 5}, {24 + 2 * o, 12}, {24 + 2 * o, 18}, {24, 25}));
        art.Arrow({6, 29}, {26, 29});
        break;
    case 16:
        Convergence(art, o);
        break;
    case 17:
        with(kTurnLeft);
        Convergence(art, o);
        break;
    case 18: { // tilt: the picture turns
        p.save();
        p.translate(16, 15);
        p.rotate(6 * s);
        art.Polygon({{-9, -7}, {9, -7}, {9, 7}, {-9, 7}});
        p.restore();
        art.Arrow({16, 23}, {16, 30});
        art.Arrow({16, 7}, {16, 1});
        break;
    }
    case kPositionHandle:
        art.Arrow({3, 16}, {29, 16});
        art.Arrow({16, 3}, {16, 29});
        break;
    case 20:
        CornerPin(art, o);
        break;
    case 21:
        with(kMirrorX);
        CornerPin(art, o);
        break;
    case 22:
        with(kMirrorY);
        CornerPin(art, o);
        break;
    case 23:
        with(kMirrorXY);
        CornerPin(art, o);
        break;
    case 24:
        Size(art, o);
        break;
    case 25:
        with(kTurnLeft);
        Size(art, o);
        break;
    case 26: // both sizes: the picture grows and shrinks
        art.Polygon({{9 - o, 9 - o}, {23 + o, 9 - o}, {23 + o, 23 + o}, {9 - o, 23 + o}});
        art.Arrow({4, 28}, {28, 4});
        break;
    case 27:
        TopEdge(art, o, true);
        break;
    case 28:
        with(kMirrorY);
        TopEdge(art, o, true);
        break;
    case 29:
        TopEdge(art, o, false);
        break;
    case 30:
        with(kMirrorY);
        TopEdge(art, o, false);
        break;
    case 31:
        TopConvergence(art, o);
        break;
    case 32:
        with(kMirrorY);
        TopConvergence(art, o);
        break;
    default:
        break;
    }
}

} // namespace

QImage DrawHandle(int kind, double swing, int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 32.0, side / 32.0);
    Draw(p, kind, swing);
    return image;
}
