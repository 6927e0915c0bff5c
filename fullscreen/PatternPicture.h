#pragma once

#include "fullscreen/Patterns.h"

#include <QImage>

// A pattern painted into an image of the screen's device size, to be shown one image pixel
// per screen pixel. The image is painted again only when the pattern or what it depends on
// changes, so that the repaints during a drag cost a copy, not a paint.
class CPatternPicture {
public:
    // The picture of `pattern`, black where it paints nothing; `ratio` is the window's
    // device pixels per logical pixel, which the image carries so that drawing it at the
    // window's origin puts each of its pixels on one pixel of the screen.
    const QImage& Render(int pattern, const Patterns::Context& context, double ratio);

private:
    QImage m_image;
    int m_pattern = -1;
    Patterns::Context m_context;
};
