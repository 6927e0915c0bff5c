#include "fullscreen/Patterns.h"

#include "fullscreen/GreyPalette.h"
#include "fullscreen/LogicalMapping.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>

namespace Patterns {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kMagenta(255, 0, 255);
const QColor kBlack(0, 0, 0);

// One-pixel lines leave out their end point, as the line drawing of the screen frame and
// the grid always did: the pixels x1..x2-1 of row y, and y1..y2-1 of column x.
void HorizontalLine(QPainter& painter, int x1, int x2, int y, const QColor& color) {
    if (x2 > x1)
        painter.fillRect(x1, y, x2 - x1, 1, color);
}

void VerticalLine(QPainter& painter, int x, int y1, int y2, const QColor& color) {
    if (y2 > y1)
        painter.fillRect(x, y1, 1, y2 - y1, color);
}

// The 8 x 8 tile of the checkerboard: rows alternately 10101010 and 01010101, set bits
// white and clear bits black, so the pixel at (0, 0) is white.
QImage CheckerTile() {
    QImage tile(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        const unsigned bits = y % 2 == 0 ? 0xAA : 0x55;
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, (bits >> (7 - x)) & 1 ? kWhite.rgb() : kBlack.rgb());
    }
    return tile;
}

} // namespace

void Paint(QPainter& painter, int pattern, const Context& context) {
    switch (pattern) {
    case kCrosshatch:
        PaintCrosshatch(painter, context.screen, context.cols, context.rows, kWhite, kWhite);
        break;
    case kConvergence:
        // The lines run across the direction they help to align: horizontal lines show
        // vertical convergence, vertical lines horizontal convergence.
        PaintCrosshatch(painter, context.screen, context.cols, context.rows,
                        context.vconvAvailable ? kMagenta : kWhite,
                        context.hconvAvailable ? kMagenta : kWhite);
        break;
    case kCheckerboard:
        PaintCheckerboard(painter, context.screen);
        break;
    case kTextRows:
        PaintTextRows(painter, context.screen, context.rows);
        break;
    case kGreyScale:
        if (context.palette)
            PaintGreyScale(painter, context.screen, *context.palette);
        break;
    default:
        break;
    }
}

void PaintCrosshatch(QPainter& painter, QSize screen, int cols, int rows, const QColor& horizontal,
                     const QColor& vertical) {
    const int w = screen.width();
    const int h = screen.height();
    HorizontalLine(painter, 0, w, 0, horizontal);
    HorizontalLine(painter, 0, w, h - 1, horizontal);
    VerticalLine(painter, 0, 0, h, vertical);
    VerticalLine(painter, w - 1, 0, h, vertical);

    const CLogicalMapping map(screen);
    const int unitsX = map.UnitsX();
    const int unitsY = map.UnitsY();
    for (int i = 1; i < rows; ++i) {
        const int y = map.DeviceY(i * unitsY / rows - 1);
        HorizontalLine(painter, map.DeviceX(0), map.DeviceX(unitsX), y, horizontal);
    }
    for (int i = 1; i < cols; ++i) {
        const int x = map.DeviceX(i * unitsX / cols - 1);
        VerticalLine(painter, x, map.DeviceY(0), map.DeviceY(unitsY), vertical);
    }
}

void PaintCheckerboard(QPainter& painter, QSize screen) {
    static const QImage tile = CheckerTile();
    painter.save();
    painter.setBrushOrigin(0, 0);
    painter.fillRect(QRect(QPoint(0, 0), screen), QBrush(tile));
    painter.restore();
}

void PaintTextRows(QPainter& painter, QSize screen, int rows) {
    const int w = screen.width();
    const int h = screen.height();
    const int r = h / rows; // one grid row
    const int half = r / 2; // one text row

    painter.save();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, r / 3));
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(kWhite);
    painter.setBackground(kBlack);
    painter.setBackgroundMode(Qt::OpaqueMode);

    // Two text rows at the top, two in the middle, two at the bottom; top and bottom edge
    // of each pair framed by a line.
    const std::array<std::pair<int, int>, 6> bands = {{{0, half},
                                                       {half, 2 * half},
                                                       {h / 2 - half, h / 2},
                                                       {h / 2, h / 2 + half},
                                                       {h - half - 1, h - 1},
                                                       {h - 2 * half - 1, h - half - 1}}};
    const QString text = QString::fromLatin1(kTextLine);
    for (const auto& [top, bottom] : bands)
        painter.drawText(QRect(0, top, w, bottom - top), Qt::AlignCenter | Qt::TextSingleLine,
                         text);
    painter.restore();

    for (int y : {0, r, h / 2 - half, h / 2 - half + r, h - 1, h - r - 1})
        HorizontalLine(painter, 0, w, y, kWhite);
}

void PaintGreyScale(QPainter& painter, QSize screen, const CGreyPalette& palette) {
    const int w = screen.width();
    const int h = screen.height();
    const int bars = palette.Size();
    const int bw = w / bars;
    painter.fillRect(0, 0, w, h / 2, QColor(palette.Entry(0)));
    // Darkest bar on the left; columns right of bars * bw stay black.
    for (int i = 0; i < bars; ++i)
        painter.fillRect((bars - 1 - i) * bw, h / 2, bw, h - h / 2, QColor(palette.Entry(i)));
}

} // namespace Patterns
