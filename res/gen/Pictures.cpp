#include "Pictures.h"

#include "platform/Version.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>

#include <vector>

void DrawCrosshatch(QPainter& p, const QRectF& face, int columns, int rows, const QColor& color) {
    p.setPen(QPen(color, 1));
    for (int c = 1; c < columns; ++c) {
        const double x = face.left() + face.width() * c / columns;
        p.drawLine(QPointF(x, face.top()), QPointF(x, face.bottom()));
    }
    for (int r = 1; r < rows; ++r) {
        const double y = face.top() + face.height() * r / rows;
        p.drawLine(QPointF(face.left(), y), QPointF(face.right(), y));
    }
}

void DrawMonitor(QPainter& p, const QRectF& box,
                 const std::function<void(QPainter&, const QRectF&)>& screen) {
    const double w = box.width();
    const double h = box.height();
    // Cabinet, with a foot below it.
    const QRectF cabinet(box.left(), box.top(), w, h * 0.82);
    QPainterPath foot;
    foot.moveTo(box.left() + w * 0.32, cabinet.bottom());
    foot.lineTo(box.left() + w * 0.68, cabinet.bottom());
    foot.lineTo(box.left() + w * 0.78, box.bottom());
    foot.lineTo(box.left() + w * 0.22, box.bottom());
    foot.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 70), 1));
    p.setBrush(QColor(170, 170, 180));
    p.drawPath(foot);
    QLinearGradient body(cabinet.topLeft(), cabinet.bottomLeft());
    body.setColorAt(0, QColor(225, 225, 230));
    body.setColorAt(1, QColor(170, 170, 180));
    p.setBrush(body);
    p.drawRoundedRect(cabinet, w * 0.05, w * 0.05);
    // The face of the tube, a little rounded.
    const QRectF face = cabinet.adjusted(w * 0.08, h * 0.07, -w * 0.08, -h * 0.13);
    p.setBrush(QColor(15, 20, 30));
    p.drawRoundedRect(face, w * 0.03, w * 0.03);
    p.save();
    p.setClipRect(face.adjusted(1, 1, -1, -1));
    screen(p, face.adjusted(2, 2, -2, -2));
    p.restore();
}

QImage DrawSplash() {
    QImage image(320, 217, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient ground(0, 0, 0, 217);
    ground.setColorAt(0, QColor(0, 0, 128));
    ground.setColorAt(1, QColor(0, 0, 40));
    p.fillRect(image.rect(), ground);

    DrawMonitor(p, QRectF(18, 42, 130, 120), [](QPainter& q, const QRectF& face) {
        q.fillRect(face, QColor(0, 0, 0));
        DrawCrosshatch(q, face, 8, 6, Qt::white);
        q.setPen(QPen(Qt::white, 1.5));
        q.setBrush(Qt::NoBrush);
        q.drawEllipse(face.center(), face.height() * 0.32, face.height() * 0.32);
    });

    // The colour-temperature band, warm on the left to cold on the right.
    for (int i = 0; i < 20; ++i) {
        QColor c = i <= 8    ? QColor(255, 64 + 20 * i, 64)
                   : i == 9  ? QColor(164, 255, 64)
                   : i == 10 ? QColor(64, 255, 164)
                             : QColor(64, 224 - 20 * (i - 11), 255);
        p.fillRect(QRectF(16 + i * 14.4, 190, 14.6, 8), c);
    }

    p.setPen(Qt::white);
    QFont title(QStringLiteral("Liberation Sans"));
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(150, 50, 170, 40), Qt::AlignCenter, QStringLiteral("Vistrel Pro"));
    QFont line(QStringLiteral("Liberation Sans"));
    line.setPixelSize(12);
    p.setFont(line);
    p.setPen(QColor(255, 255, 0));
    p.drawText(QRectF(150, 92, 170, 18), Qt::AlignCenter, QStringLiteral("Monitor Adjustment"));
    p.setPen(QColor(192, 192, 192));
    p.drawText(QRectF(150, 130, 170, 18), Qt::AlignCenter,
               QStringLiteral("Version %1").arg(QLatin1String(kQelt32Version)));
    return image;
}

void PaintAppIcon(QPainter& p, const QRectF& box) {
    DrawMonitor(p, box, [](QPainter& q, const QRectF& face) {
        QLinearGradient g(face.topLeft(), face.topRight());
        g.setColorAt(0, QColor(255, 90, 60));
        g.setColorAt(0.5, QColor(90, 255, 120));
        g.setColorAt(1, QColor(70, 110, 255));
        q.fillRect(face, g);
        DrawCrosshatch(q, face, 4, 3, Qt::white);
    });
}

QImage DrawAppIcon(int side) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 32.0, side / 32.0);
    PaintAppIcon(p, QRectF(1, 2, 30, 28));
    return image;
}

QImage DrawLinearityIcon(int id) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(3, 3, 25, 25);
    // Where the eight lines fall, from the top (0) to the bottom (1) of the frame.
    std::vector<double> at;
    for (int i = 1; i <= 7; ++i) {
        const double t = i / 8.0;
        switch (id) {
        case 146:
            at.push_back(t * t);
            break; // crowded at the top
        case 147:
            at.push_back(1 - (1 - t) * (1 - t));
            break; // crowded at the bottom
        case 148:
            at.push_back(0.5 + (t - 0.5) * std::abs(t - 0.5) * 2);
            break; // centre
        default:
            at.push_back(0.5 + (t - 0.5) * (1.5 - std::abs(t - 0.5) * 2));
            break; // edges
        }
    }
    p.setPen(QPen(QColor(0, 0, 160), 1));
    for (double t : at) {
        const int y = 4 + int(t * 23 + 0.5);
        p.drawLine(6, y, 25, y);
    }
    return image;
}

const std::vector<int>& ToolbarCommands() {
    static const std::vector<int> ids = {57601, 57603, 32793, 32794, 32795, 32789,
                                         32788, 32800, 32787, 32786, 32824, 57664};
    return ids;
}

namespace {

void Digit(QPainter& p, const QRect& r, const QString& text) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(r, Qt::AlignCenter, text);
}

void ModeButton(QPainter& p, int mode, const QColor& tint) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(tint);
    p.drawRect(1, 1, 13, 12);
    Digit(p, QRect(1, 1, 14, 13), QString::number(mode));
}

} // namespace

QImage DrawToolbarButton(int commandId) {
    QImage image(16, 15, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const QPen outline(Qt::black, 1);
    switch (commandId) {
    case 57601: // open: a folder
        p.setPen(outline);
        p.setBrush(QColor(255, 255, 0));
        p.drawPolygon(
            QPolygon({{1, 4}, {5, 4}, {6, 3}, {9, 3}, {9, 5}, {14, 5}, {14, 13}, {1, 13}}));
        p.setBrush(QColor(200, 160, 0));
        p.drawPolygon(QPolygon({{3, 7}, {15, 7}, {13, 13}, {1, 13}}));
        break;
    case 57603: // save: a diskette
        p.setPen(outline);
        p.setBrush(QColor(0, 0, 160));
        p.drawRect(1, 1, 13, 13);
        p.setBrush(Qt::white);
        p.drawRect(3, 1, 9, 5);
        p.setBrush(QColor(192, 192, 192));
        p.drawRect(4, 9, 7, 5);
        break;
    case 32793:
        ModeButton(p, 1, QColor(255, 200, 150));
        break;
    case 32794:
        ModeButton(p, 2, QColor(255, 255, 255));
        break;
    case 32795:
        ModeButton(p, 3, QColor(170, 200, 255));
        break;
    case 32789: // BNC: three round plugs
        p.setPen(outline);
        p.setBrush(QColor(255, 0, 0));
        p.drawEllipse(1, 5, 4, 4);
        p.setBrush(QColor(0, 192, 0));
        p.drawEllipse(6, 5, 4, 4);
        p.setBrush(QColor(0, 0, 255));
        p.drawEllipse(11, 5, 4, 4);
        break;
    case 32788: // D-SUB: the shell with its pins
        p.setPen(outline);
        p.setBrush(QColor(192, 192, 192));
        p.drawPolygon(QPolygon({{0, 3}, {15, 3}, {13, 11}, {2, 11}}));
        for (int x = 3; x <= 12; x += 3)
            p.drawPoint(x, 6);
        for (int x = 4; x <= 11; x += 3)
            p.drawPoint(x, 9);
        break;
    case 32800: // beep: a loudspeaker with sound
        p.setPen(outline);
        p.setBrush(QColor(128, 128, 128));
        p.drawPolygon(QPolygon({{1, 5}, {4, 5}, {8, 1}, {8, 13}, {4, 9}, {1, 9}}));
        p.setBrush(Qt::NoBrush);
        p.drawArc(7, 3, 5, 8, -60 * 16, 120 * 16);
        p.drawArc(7, 1, 8, 12, -60 * 16, 120 * 16);
        break;
    case 32787: // auto-sizing: the picture fills its frame
        p.setPen(outline);
        p.setBrush(QColor(0, 0, 128));
        p.drawRect(0, 0, 15, 14);
        p.setPen(QPen(QColor(255, 255, 0), 1));
        p.drawLine(3, 7, 12, 7);
        p.drawLine(7, 3, 7, 11);
        p.drawLine(3, 7, 5, 5);
        p.drawLine(3, 7, 5, 9);
        p.drawLine(12, 7, 10, 5);
        p.drawLine(12, 7, 10, 9);
        break;
    case 32786: // degauss: a magnet
        p.setPen(QPen(QColor(200, 0, 0), 3));
        p.drawArc(3, 2, 10, 10, 180 * 16, 180 * 16);
        p.drawLine(4, 2, 4, 7);
        p.drawLine(12, 2, 12, 7);
        p.setPen(QPen(Qt::white, 3));
        p.drawLine(4, 1, 4, 2);
        p.drawLine(12, 1, 12, 2);
        break;
    case 32824: // store: into the monitor's memory chip
        p.setPen(outline);
        p.setBrush(QColor(40, 40, 40));
        p.drawRect(3, 7, 10, 6);
        for (int x = 4; x <= 12; x += 2) {
            p.drawLine(x, 13, x, 14);
            p.drawLine(x, 5, x, 6);
        }
        p.setPen(QPen(QColor(0, 128, 0), 1));
        p.drawLine(8, 0, 8, 4);
        p.drawLine(6, 2, 8, 4);
        p.drawLine(10, 2, 8, 4);
        break;
    case 57664: // about: a question in a bubble
        p.setPen(outline);
        p.setBrush(QColor(255, 255, 200));
        p.drawEllipse(1, 0, 13, 11);
        p.drawLine(4, 10, 2, 14);
        Digit(p, QRect(1, 0, 14, 12), QStringLiteral("?"));
        break;
    default:
        return QImage();
    }
    return image;
}
