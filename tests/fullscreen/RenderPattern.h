#pragma once

#include "fullscreen/Patterns.h"

#include <QImage>
#include <QPainter>

// A pattern painted onto a black surface, as the window's erase leaves it.
inline QImage RenderPattern(int pattern, QSize size, bool hconv = true, bool vconv = true,
                            const CGreyPalette* palette = nullptr) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    Patterns::Context context;
    context.screen = size;
    context.hconvAvailable = hconv;
    context.vconvAvailable = vconv;
    context.palette = palette;
    Patterns::Paint(painter, pattern, context);
    return image;
}
