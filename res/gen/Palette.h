#pragma once

#include <QImage>
#include <QList>

// Colour tables for the indexed pictures we write (GIF clips, 8- and 4-bit bitmaps).

// 256 entries: 0 is black (the transparent index of the clips), 1..216 a 6 x 6 x 6 colour
// cube, 217..255 a grey ramp.
QList<QRgb> CubePalette();
// The 16 colours of a standard 16-colour display.
QList<QRgb> SixteenColorPalette();

// Every pixel to the index of the nearest table colour. With `transparentIndex` >= 0,
// pixels less than half opaque get that index and it is never chosen for opaque ones.
QImage ToIndexed(const QImage& image, const QList<QRgb>& table, int transparentIndex = -1);
