#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

// Writes an animated GIF (89a) that loops for ever. Frames are quantised to the cube
// palette; pixels less than half opaque become transparent.
struct GifFrame {
    QImage image;
    int delayCs; // hundredths of a second
};
QByteArray WriteGif(const std::vector<GifFrame>& frames);
