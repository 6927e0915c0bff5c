#include "dialogs/TrackBar.h"

CTrackBar::CTrackBar(QWidget* parent, bool ticks) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(ticks ? QSlider::TicksBelow : QSlider::NoTicks);
    setFocusPolicy(Qt::StrongFocus);
    setTracking(true);
    connect(this, &QSlider::valueChanged, this, [this](int pos) {
        if (!m_bSetting)
            emit Scrolled(pos);
    });
    // The end of a drag is a notification of its own, with the final position.
    connect(this, &QSlider::sliderReleased, this, [this] { emit Scrolled(value()); });
}

void CTrackBar::SetRangeMax(int maximum) {
    m_bSetting = true;
    setRange(0, maximum);
    m_bSetting = false;
}

void CTrackBar::SetPos(int pos) {
    m_bSetting = true;
    setValue(pos);
    m_bSetting = false;
}
