#include "panel/ColorTempBar.h"

#include <QPainter>

QColor ColorTempBandColor(int band) {
    if (band <= 8)
        return QColor(255, 64 + 20 * band, 64);
    if (band == 9)
        return QColor(164, 255, 64);
    if (band == 10)
        return QColor(64, 255, 164);
    return QColor(64, 224 - 20 * (band - 11), 255);
}

std::array<ColorBand, 20> ColorTempBands(const QRect& area) {
    const int left = area.x();
    const int right = area.x() + area.width(); // exclusive, as the bands are measured
    const int top = area.y();
    const int bottom = area.y() + area.height();
    const int width = right - left;
    const int bandWidth = static_cast<int>(width * 0.05);

    std::array<ColorBand, 20> bands;
    int x0 = left;
    for (int i = 0; i < 20; ++i) {
        int x1 = left + static_cast<int>((i + 1) * width * 0.05);
        // What would be left over after this band is too narrow for a band: take it.
        if (right - x1 < bandWidth)
            x1 = right;
        bands[i].rect = QRect(x0, top, x1 - x0, bottom - 1 - top);
        bands[i].color = ColorTempBandColor(i);
        x0 = x1;
    }
    return bands;
}

CColorTempBar::CColorTempBar(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
}

void CColorTempBar::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        for (const ColorBand& band : ColorTempBands(rect()))
            painter.fillRect(band.rect, band.color);
    }
    QFrame::paintEvent(event);
}
