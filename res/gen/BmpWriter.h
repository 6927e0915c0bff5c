#pragma once

#include <QByteArray>
#include <QImage>

// Writes an indexed image as a Windows bitmap file with its colour table: 8 bits per pixel
// for tables of up to 256 colours, 4 bits for tables of up to 16.
QByteArray WriteBmp(const QImage& indexed, int bitsPerPixel);
