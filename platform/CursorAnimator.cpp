#include "platform/CursorAnimator.h"

CCursorAnimator::CCursorAnimator(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CCursorAnimator::Advance);
}

void CCursorAnimator::Show(QWidget* widget, const CAnimatedCursor& cursor) {
    if (widget == m_widget && &cursor == m_cursor)
        return;
    Clear();
    if (!widget || cursor.IsNull())
        return;
    m_widget = widget;
    m_cursor = &cursor;
    for (int step = 0; step < cursor.StepCount(); ++step) {
        m_stepCursors.push_back(cursor.Cursor(step));
        m_stepMs.push_back(cursor.StepMilliseconds(step));
    }
    m_step = 0;
    widget->setCursor(m_stepCursors.front());
    if (m_stepCursors.size() > 1)
        m_timer.start(m_stepMs.front());
}

void CCursorAnimator::Clear() {
    m_timer.stop();
    if (m_widget)
        m_widget->unsetCursor();
    m_widget = nullptr;
    m_cursor = nullptr;
    m_stepCursors.clear();
    m_stepMs.clear();
    m_step = 0;
}

void CCursorAnimator::Advance() {
    if (!m_widget) {
        Clear();
        return;
    }
    m_step = (m_step + 1) % int(m_stepCursors.size());
    m_widget->setCursor(m_stepCursors[size_t(m_step)]);
    m_timer.start(m_stepMs[size_t(m_step)]);
}
