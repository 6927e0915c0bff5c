#include "fullscreen/ScreenPixels.h"

#include <QCursor>
#include <QScreen>
#include <QWindow>
#include <qpa/qplatformcursor.h>
#include <qpa/qplatformscreen.h>
#include <qpa/qplatformwindow.h>

#include <algorithm>
#include <cmath>

namespace {

// Largest device coordinate we accept: far beyond any screen, small enough that no sum
// or product of two of them overflows.
constexpr double kMaxCoordinate = 1 << 20;

int Nearest(double v) {
    return static_cast<int>(std::floor(std::clamp(v, -kMaxCoordinate, kMaxCoordinate) + 0.5));
}

// The platform's own coordinates (those of its windows and pointer) per device pixel: 1 on
// X11, the output's buffer scale on Wayland.
double PlatformRatio(const QWindow& window) {
    const QPlatformWindow* handle = window.handle();
    return handle ? handle->devicePixelRatio() : 1.0;
}

} // namespace

CScreenPixels CScreenPixels::Of(const QScreen* screen) {
    if (!screen || !screen->handle())
        return CScreenPixels(QSize(), 0.0);
    // The platform screen's geometry is in the platform's coordinates, whole pixels of the
    // display on X11; the logical geometry has been divided by the scale factor and
    // rounded, so the device size cannot be had back from it.
    const QPlatformScreen* platform = screen->handle();
    const double platformRatio = platform->devicePixelRatio();
    const QSize native = platform->geometry().size();
    const QSize device(Nearest(native.width() * platformRatio),
                       Nearest(native.height() * platformRatio));
    return CScreenPixels(device, screen->devicePixelRatio());
}

bool CScreenPixels::IsUsable() const {
    return m_device.width() > 0 && m_device.height() > 0 && std::isfinite(m_ratio) && m_ratio > 0.0;
}

QPoint CScreenPixels::ToDevice(QPointF logical) const {
    return {Nearest(logical.x() * m_ratio), Nearest(logical.y() * m_ratio)};
}

QRect CScreenPixels::LogicalRect(const QRect& device) const {
    if (!IsUsable())
        return device;
    const double ratio = m_ratio;
    const auto lower = [ratio](int v) { return static_cast<int>(std::floor(v / ratio)); };
    const auto upper = [ratio](int v) { return static_cast<int>(std::ceil(v / ratio)); };
    const int left = lower(device.left());
    const int top = lower(device.top());
    const int right = upper(device.left() + device.width());
    const int bottom = upper(device.top() + device.height());
    return {left, top, right - left, bottom - top};
}

namespace ScreenPixels {

QPoint PointerIn(const QWindow& window, const CScreenPixels& pixels) {
    const QPointF logical = window.mapFromGlobal(QCursor::pos(window.screen()));
    if (const QPlatformWindow* handle = window.handle()) {
        if (const QPlatformCursor* cursor = window.screen()->handle()->cursor()) {
            // The platform knows the pointer to the pixel; the logical position has been
            // rounded to whole logical pixels.
            const QPoint native = cursor->pos() - handle->geometry().topLeft();
            const double ratio = PlatformRatio(window);
            return {Nearest(native.x() * ratio), Nearest(native.y() * ratio)};
        }
    }
    return pixels.ToDevice(logical);
}

void WarpPointer(const QWindow& window, const CScreenPixels& pixels, QPoint device) {
    const QPlatformWindow* handle = window.handle();
    QPlatformCursor* cursor = window.screen() ? window.screen()->handle()->cursor() : nullptr;
    if (!handle || !cursor) {
        QCursor::setPos(window.mapToGlobal(QPointF(device) / pixels.Ratio()).toPoint());
        return;
    }
    const double ratio = PlatformRatio(window);
    const QPoint native(Nearest(device.x() / ratio), Nearest(device.y() / ratio));
    cursor->setPos(handle->geometry().topLeft() + native);
}

} // namespace ScreenPixels
