#pragma once

#include <QPointer>
#include <QWidget>

class CMonitor;

// The one full-screen window: the test-pattern screen of the Color Setting dialog and,
// opened from the main panel, the full-screen geometry adjustment. Created hidden at
// start-up, deleted at exit.
class CAdjustWnd : public QWidget {
    Q_OBJECT
public:
    explicit CAdjustWnd(CMonitor& monitor, QWidget* parent = nullptr);
    ~CAdjustWnd() override; // writes "Settings"/"congro" and "poscongro"

    // The main frame, hidden while the adjustment mode runs and shown again after it.
    void SetMainWindow(QWidget* mainWindow) { m_mainWindow = mainWindow; }
    // Enters the adjustment mode; `notifyBack` (the main view) is made the controller's
    // notify object again on leaving it.
    void Open(QObject* notifyBack);
    // Shows the window with pattern 4, 8, 11, 12 or 17 (any other number paints black).
    void ShowPattern(int pattern);
    int Pattern() const { return m_nPattern; }

protected:
    CMonitor& m_monitor;
    QPointer<QWidget> m_mainWindow;
    int m_nPattern = 0;
};
