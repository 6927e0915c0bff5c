#include "Palette.h"

#include <QHash>

QList<QRgb> CubePalette() {
    QList<QRgb> table{qRgb(0, 0, 0)};
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                table.append(qRgb(r * 51, g * 51, b * 51));
    while (table.size() < 256) {
        const int level = (table.size() - 216) * 255 / 40;
        table.append(qRgb(level, level, level));
    }
    return table;
}

QList<QRgb> SixteenColorPalette() {
    return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
            qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
            qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
            qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

QImage ToIndexed(const QImage& source, const QList<QRgb>& table, int transparentIndex) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QImage out(image.size(), QImage::Format_Indexed8);
    out.setColorTable(table);
    QHash<QRgb, int> nearest;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (transparentIndex >= 0 && qAlpha(p) < 128) {
                out.setPixel(x, y, uint(transparentIndex));
                continue;
            }
            const QRgb key = p | 0xFF000000u;
            auto found = nearest.constFind(key);
            if (found == nearest.constEnd()) {
                int best = 0;
                int bestDistance = INT_MAX;
                for (int i = 0; i < table.size(); ++i) {
                    if (i == transparentIndex)
                        continue;
                    const int dr = qRed(p) - qRed(table[i]);
                    const int dg = qGreen(p) - qGreen(table[i]);
                    const int db = qBlue(p) - qBlue(table[i]);
                    const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                    if (distance < bestDistance) {
                        best = i;
                        bestDistance = distance;
                    }
                }
                found = nearest.insert(key, best);
            }
            out.setPixel(x, y, uint(*found));
        }
    }
    return out;
}
