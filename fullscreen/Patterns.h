#pragma once

#include <QColor>
#include <QSize>

class QPainter;
class CGreyPalette;

// The full-screen test patterns, painted in screen pixels (origin top left) onto a surface
// that has been erased to black. Every pattern covers the whole screen and is painted from
// scratch; nothing is cached between paints.
namespace Patterns {

constexpr int kGreyScale = 4;    // upper half white, lower half grey bars (Color Setting)
constexpr int kCheckerboard = 8; // one-pixel black-and-white checkerboard (moire)
constexpr int kConvergence = 11; // crosshatch, magenta along the convergence axes
constexpr int kCrosshatch = 12;  // white crosshatch (geometry)
constexpr int kTextRows = 17;    // six framed text rows (vertical linearity)

constexpr bool IsCrosshatch(int pattern) {
    return pattern == kCrosshatch || pattern == kConvergence;
}

// What a paint needs to know besides the pattern number.
struct Context {
    QSize screen;                          // W x H in pixels
    int cols = 16;                         // grid columns
    int rows = 12;                         // grid rows
    bool hconvAvailable = false;           // the monitor adjusts horizontal convergence
    bool vconvAvailable = false;           // ... and vertical convergence
    const CGreyPalette* palette = nullptr; // none: the grey scale paints nothing

    bool operator==(const Context&) const = default;
};

// Paints pattern `pattern`; a number that is not a pattern paints nothing.
void Paint(QPainter& painter, int pattern, const Context& context);

// Screen frame, then cols x rows grid lines, each one logical unit above or left of its
// division point.
void PaintCrosshatch(QPainter& painter, QSize screen, int cols, int rows, const QColor& horizontal,
                     const QColor& vertical);
void PaintCheckerboard(QPainter& painter, QSize screen);
void PaintTextRows(QPainter& painter, QSize screen, int rows);
void PaintGreyScale(QPainter& painter, QSize screen, const CGreyPalette& palette);

// The line of the text pattern.
inline constexpr const char* kTextLine = "Vistrel Pro Vistrel Pro Vistrel Pro Vistrel Pro";

} // namespace Patterns
