#pragma once

#include "platform/AnimatedCursor.h"

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

// Shows a CAnimatedCursor on a widget and steps through its animation with a timer, each
// step for its own time. Showing another cursor, Clear() or the widget's end stops it.
// While it runs it owns the widget's cursor: call Clear() before giving the widget any
// other cursor (the blank one of a drag, say), or the next step puts its own back.
class CCursorAnimator : public QObject {
    Q_OBJECT
public:
    explicit CCursorAnimator(QObject* parent = nullptr);

    // Shows `cursor` on `widget` from its first step. Showing the cursor that is already
    // running on the same widget changes nothing, so hovering does not restart it.
    void Show(QWidget* widget, const CAnimatedCursor& cursor);
    // Gives the widget its ordinary cursor back.
    void Clear();

    int CurrentStep() const { return m_step; }

private:
    void Advance();

    QPointer<QWidget> m_widget;
    const CAnimatedCursor* m_cursor = nullptr; // only to know what is shown
    // The steps are copied, so a cursor table loaded again meanwhile cannot pull them away.
    std::vector<QCursor> m_stepCursors;
    std::vector<int> m_stepMs;
    int m_step = 0;
    QTimer m_timer;
};
