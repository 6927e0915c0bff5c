#pragma once

#include <QObject>

// Whether Num Lock is on, for the status bar's NUM pane. Asked of the X server where the
// program runs on X11; elsewhere inferred from the keypad keys the user presses (a digit
// from the keypad means on, a cursor key from the keypad means off).
class CNumLockState : public QObject {
    Q_OBJECT
public:
    explicit CNumLockState(QObject* parent = nullptr);
    ~CNumLockState() override;
    bool IsOn() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_bInferred = false;
};
