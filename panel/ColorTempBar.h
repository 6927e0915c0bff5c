#pragma once

#include <QColor>
#include <QFrame>
#include <QRect>

#include <array>

// The colour bar above the temperature slider: 20 bands from warm (left) to cold (right).
struct ColorBand {
    QRect rect; // the pixels the band fills
    QColor color;
};

// The colour of band 0..19.
QColor ColorTempBandColor(int band);
// The 20 bands laid into `area`. Each band is a twentieth of the width, rounded down at
// its right edge; the last band reaches the right edge. The bottom row of the area stays
// unpainted.
std::array<ColorBand, 20> ColorTempBands(const QRect& area);

// The frame (control 1076) that shows the bands across its whole rectangle, with its
// border drawn over them.
class CColorTempBar : public QFrame {
    Q_OBJECT
public:
    explicit CColorTempBar(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
