#include "fullscreen/PatternPicture.h"

#include <QPainter>

const QImage& CPatternPicture::Render(int pattern, const Patterns::Context& context, double ratio) {
    if (m_image.isNull() || pattern != m_pattern || !(context == m_context)) {
        m_image = QImage(context.screen, QImage::Format_RGB32);
        m_image.fill(Qt::black);
        QPainter painter(&m_image);
        Patterns::Paint(painter, pattern, context);
        m_pattern = pattern;
        m_context = context;
    }
    m_image.setDevicePixelRatio(ratio);
    return m_image;
}
