#include "platform/AnimateCtrl.h"

#include <QMovie>
#include <QPainter>

CAnimateCtrl::CAnimateCtrl(QWidget* parent) : QWidget(parent) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CAnimateCtrl::Tick);
}

CAnimateCtrl::~CAnimateCtrl() {
    Close();
}

bool CAnimateCtrl::Open(int clipNumber) {
    Close();
    auto* movie = new QMovie(QStringLiteral(":/clips/%1.gif").arg(clipNumber), "gif", this);
    movie->setCacheMode(QMovie::CacheAll);
    if (!movie->isValid() || movie->frameCount() <= 0) {
        delete movie;
        return false;
    }
    m_movie = movie;
    m_clip = clipNumber;
    ShowFrame(0);
    if (m_bAutoPlay)
        Play();
    return true;
}

int CAnimateCtrl::FrameCount() const {
    return m_movie ? m_movie->frameCount() : 0;
}

bool CAnimateCtrl::Play(int from, int to, int repeat) {
    if (!m_movie)
        return false;
    if (to < 0)
        to = FrameCount() - 1;
    if (from < 0 || from > to || to >= FrameCount() || repeat == 0)
        return false;
    m_from = from;
    m_to = to;
    m_repeatsLeft = repeat;
    ShowFrame(from);
    m_timer.start(qMax(10, m_movie->nextFrameDelay()));
    return true;
}

bool CAnimateCtrl::Seek(int frame) {
    if (!m_movie || frame < 0 || frame >= FrameCount())
        return false;
    m_timer.stop();
    ShowFrame(frame);
    return true;
}

void CAnimateCtrl::Stop() {
    m_timer.stop();
}

void CAnimateCtrl::Close() {
    m_timer.stop();
    delete m_movie;
    m_movie = nullptr;
    m_pixmap = QPixmap();
    m_frame = 0;
    update();
}

void CAnimateCtrl::ShowFrame(int frame) {
    m_movie->jumpToFrame(frame);
    m_frame = frame;
    m_pixmap = m_movie->currentPixmap();
    update();
}

void CAnimateCtrl::Tick() {
    if (!m_movie)
        return;
    if (m_frame < m_to) {
        ShowFrame(m_frame + 1);
    } else {
        if (m_repeatsLeft > 0 && --m_repeatsLeft == 0) {
            emit Finished();
            return;
        }
        ShowFrame(m_from);
    }
    m_timer.start(qMax(10, m_movie->nextFrameDelay()));
}

void CAnimateCtrl::paintEvent(QPaintEvent*) {
    if (m_pixmap.isNull())
        return;
    QPainter painter(this);
    if (m_bDevicePixels) {
        QPixmap unscaled = m_pixmap;
        unscaled.setDevicePixelRatio(devicePixelRatioF());
        const QSizeF size = unscaled.deviceIndependentSize();
        painter.drawPixmap(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2),
                           unscaled);
        return;
    }
    painter.drawPixmap((width() - m_pixmap.width()) / 2, (height() - m_pixmap.height()) / 2,
                       m_pixmap);
}
