#include "Clips.h"

#include "HandleArt.h"
#include "Pictures.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr int kMonitorClip = 5;
constexpr int kPowerClip = 6;
constexpr int kFirstMarkerClip = 10;
constexpr int kFirstDragClip = 45;

// Handle kinds that never sit on a marker cell.
bool HasMarker(int kind) {
    return kind != 16 && kind != 17 && kind != kPositionHandle && kind != 31 && kind != 32;
}

// The panel's clips fit the places the form gives them.
constexpr QSize kMonitorClipSize(64, 50);
constexpr QSize kPowerClipSize(44, 36);

// One frame of the panel clips: a monitor filling `size`, its tube showing what `screen`
// paints.
QImage MonitorFrame(QSize size, const std::function<void(QPainter&, const QRectF&)>& screen) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    DrawMonitor(p, QRectF(1, 1, size.width() - 2, size.height() - 2), screen);
    return image;
}

// The crosshatch on the tube grows and shrinks and settles, as it does while one adjusts.
std::vector<GifFrame> MonitorClip() {
    std::vector<GifFrame> frames;
    constexpr int kFrames = 12;
    for (int i = 0; i < kFrames; ++i) {
        const double swing = std::sin(2 * M_PI * i / kFrames);
        frames.push_back({MonitorFrame(kMonitorClipSize,
                                       [swing](QPainter& q, const QRectF& face) {
                                           q.fillRect(face, Qt::black);
                                           const double dx = face.width() * 0.12 * swing;
                                           const double dy = face.height() * 0.08 * swing;
                                           DrawCrosshatch(
                                               q, face.adjusted(6 - dx, 4 - dy, -6 + dx, -4 + dy),
                                               6, 4, Qt::white);
                                       }),
                          12});
    }
    return frames;
}

// The picture fades and the lamp turns from green to amber to dark: 17 frames.
std::vector<GifFrame> PowerClip() {
    std::vector<GifFrame> frames;
    constexpr int kFrames = 17;
    for (int i = 0; i < kFrames; ++i) {
        const double light = 1.0 - double(i) / (kFrames - 1);
        QImage image = MonitorFrame(kPowerClipSize, [light, i](QPainter& q, const QRectF& face) {
            const int level = int(220 * light);
            q.fillRect(face, QColor(level / 3, level / 2, level));
            if (i >= kFrames / 2) { // asleep: the letters of a snore rise
                QFont font(QStringLiteral("Liberation Sans"));
                font.setPixelSize(7);
                font.setBold(true);
                q.setFont(font);
                q.setPen(QColor(255, 255, 255));
                const int shown = (i - kFrames / 2) / 3 + 1;
                for (int z = 0; z < shown; ++z)
                    q.drawText(QPointF(face.left() + 4 + z * 6, face.bottom() - 2 - z * 4),
                               QStringLiteral("z"));
            }
        });
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(i < 6 ? QColor(0, 230, 0) : i < 12 ? QColor(255, 170, 0) : QColor(Qt::darkGray));
        p.drawEllipse(QPointF(kPowerClipSize.width() * 0.8, kPowerClipSize.height() * 0.72), 1.6,
                      1.6);
        p.end();
        frames.push_back({image, i == kFrames - 1 ? 100 : 15});
    }
    return frames;
}

// A marker breathes gently where its handle lies.
std::vector<GifFrame> MarkerClip(int kind) {
    std::vector<GifFrame> frames;
    constexpr int kFrames = 8;
    for (int i = 0; i < kFrames; ++i)
        frames.push_back({DrawHandle(kind, 0.6 * std::sin(2 * M_PI * i / kFrames)), 10});
    return frames;
}

// A grabbed handle: its picture inside a turning yellow ring.
std::vector<GifFrame> DragClip(int kind) {
    std::vector<GifFrame> frames;
    constexpr int kFrames = 8;
    for (int i = 0; i < kFrames; ++i) {
        QImage image = DrawHandle(kind, std::sin(2 * M_PI * i / kFrames));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        QPen ring(QColor(255, 255, 0), 2, Qt::DashLine);
        ring.setDashOffset(i);
        p.setPen(ring);
        p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
        frames.push_back({image, 8});
    }
    return frames;
}

} // namespace

std::vector<int> ClipNumbers() {
    std::vector<int> numbers{kMonitorClip, kPowerClip};
    for (int kind = 0; kind < kHandleKinds; ++kind)
        if (HasMarker(kind))
            numbers.push_back(kFirstMarkerClip + kind);
    for (int kind = 0; kind < kHandleKinds; ++kind)
        numbers.push_back(kFirstDragClip + kind);
    return numbers;
}

std::vector<GifFrame> MakeClip(int number) {
    if (number == kMonitorClip)
        return MonitorClip();
    if (number == kPowerClip)
        return PowerClip();
    if (number >= kFirstDragClip && number < kFirstDragClip + kHandleKinds)
        return DragClip(number - kFirstDragClip);
    if (number >= kFirstMarkerClip && number < kFirstMarkerClip + kHandleKinds &&
        HasMarker(number - kFirstMarkerClip))
        return MarkerClip(number - kFirstMarkerClip);
    return {};
}
