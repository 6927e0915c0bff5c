#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

class QScreen;
class QWindow;

// A screen as the full-screen mode draws on it: its size in the display's own pixels and
// the factor from the toolkit's logical coordinates to them. The patterns, the hit cells
// and the drag all work in these device pixels, so that a one-pixel line is one pixel of
// the monitor at any scale factor; only the window's children (the markers and the drag
// animation) are placed in logical coordinates, through LogicalRect.
class CScreenPixels {
public:
    CScreenPixels() = default;
    CScreenPixels(QSize device, double ratio) : m_device(device), m_ratio(ratio) {}
    // The screen's device size and factor; an unusable value when there is no screen.
    static CScreenPixels Of(const QScreen* screen);

    // A screen of no pixels, or a factor that is not a positive finite number, cannot be
    // drawn on.
    bool IsUsable() const;
    QSize DeviceSize() const { return m_device; }
    double Ratio() const { return m_ratio; }

    // The device pixel under a logical position in the window. Logical positions are the
    // device position divided by the factor, so this gives the device pixel back exactly.
    QPoint ToDevice(QPointF logical) const;
    // The whole logical pixels that cover a rectangle of device pixels.
    QRect LogicalRect(const QRect& device) const;

    bool operator==(const CScreenPixels&) const = default;

private:
    QSize m_device;
    double m_ratio = 1.0;
};

namespace ScreenPixels {

// The pointer's position in the device pixels of a top-level window's screen, measured from
// the window's top-left corner.
QPoint PointerIn(const QWindow& window, const CScreenPixels& pixels);
// Moves the pointer to a device pixel of the window (where the platform can move it).
void WarpPointer(const QWindow& window, const CScreenPixels& pixels, QPoint device);

} // namespace ScreenPixels
