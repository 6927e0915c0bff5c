#include "DesktopIcons.h"

#include "Pictures.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

#include <functional>

namespace DesktopIcons {

namespace {

using Paint = std::function<void(QPainter&)>;

// Symbolic icons are drawn in one colour that the desktop replaces with its own.
const QColor kSymbolic(0x2e, 0x34, 0x36);

// A page with its top right corner folded, in 32 x 32, with the program's monitor on it.
void PaintSettingsFile(QPainter& p) {
    QPainterPath page;
    page.moveTo(5, 1);
    page.lineTo(20, 1);
    page.lineTo(27, 8);
    page.lineTo(27, 31);
    page.lineTo(5, 31);
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 100), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(20, 1);
    fold.lineTo(20, 8);
    fold.lineTo(27, 8);
    fold.closeSubpath();
    p.setBrush(QColor(200, 200, 210));
    p.drawPath(fold);
    PaintAppIcon(p, QRectF(8, 12, 16, 15));
}

// The monitor's outline in 16 x 16: the cabinet around its face, and the foot.
void PaintSymbolicMonitor(QPainter& p, const QRectF& box) {
    const double w = box.width(), h = box.height();
    QPainterPath shape;
    shape.setFillRule(Qt::OddEvenFill);
    const QRectF cabinet(box.left(), box.top(), w, h * 0.78);
    shape.addRoundedRect(cabinet, w * 0.1, w * 0.1);
    shape.addRect(cabinet.adjusted(w * 0.14, h * 0.13, -w * 0.14, -h * 0.17));
    shape.moveTo(box.left() + w * 0.32, cabinet.bottom());
    shape.lineTo(box.left() + w * 0.68, cabinet.bottom());
    shape.lineTo(box.left() + w * 0.8, box.bottom());
    shape.lineTo(box.left() + w * 0.2, box.bottom());
    shape.closeSubpath();
    p.fillPath(shape, kSymbolic);
}

void PaintSymbolicSettingsFile(QPainter& p) {
    QPainterPath page;
    page.setFillRule(Qt::OddEvenFill);
    page.moveTo(2, 0);
    page.lineTo(10, 0);
    page.lineTo(14, 4);
    page.lineTo(14, 16);
    page.lineTo(2, 16);
    page.closeSubpath();
    page.addRect(3.5, 1.5, 9, 13);
    p.fillPath(page, kSymbolic);
    PaintSymbolicMonitor(p, QRectF(4.5, 6, 7, 7));
}

QByteArray Png(const Paint& paint, int side, int designSide) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(side) / designSide, double(side) / designSide);
    paint(p);
    p.end();
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data;
}

QByteArray Svg(const Paint& paint, int designSide, const QString& title) {
    QByteArray data;
    QBuffer buffer(&data);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(designSide, designSide));
    svg.setViewBox(QRect(0, 0, designSide, designSide));
    svg.setTitle(title);
    QPainter p(&svg);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    p.end();
    return data;
}

} // namespace

std::vector<std::pair<QString, QByteArray>> ThemeFiles() {
    struct Icon {
        QString name, context, title;
        Paint full, symbolic;
    };
    const Icon icons[] = {
        {QStringLiteral("qelt32"), QStringLiteral("apps"), QStringLiteral("Vistrel Pro"),
         [](QPainter& p) { PaintAppIcon(p, QRectF(1, 2, 30, 28)); },
         [](QPainter& p) { PaintSymbolicMonitor(p, QRectF(0.5, 1, 15, 14)); }},
        {QStringLiteral("application-x-qelt32-settings"), QStringLiteral("mimetypes"),
         QStringLiteral("Vistrel Pro Data"), PaintSettingsFile, PaintSymbolicSettingsFile},
    };
    std::vector<std::pair<QString, QByteArray>> files;
    for (const Icon& icon : icons) {
        for (int side : kSizes)
            files.emplace_back(
                QStringLiteral("%1x%1/%2/%3.png").arg(side).arg(icon.context, icon.name),
                Png(icon.full, side, 32));
        files.emplace_back(QStringLiteral("scalable/%1/%2.svg").arg(icon.context, icon.name),
                           Svg(icon.full, 32, icon.title));
        files.emplace_back(
            QStringLiteral("symbolic/%1/%2-symbolic.svg").arg(icon.context, icon.name),
            Svg(icon.symbolic, 16, icon.title));
    }
    return files;
}

} // namespace DesktopIcons
