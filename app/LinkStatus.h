#pragma once

#include "link/Reconnector.h"
#include "platform/UserMessages.h"

#include <QObject>
#include <QPointer>

#include <functional>

class CAdjustWnd;
class CMonitor;
class QLabel;
class QWidget;

// How the windows follow the link to the monitor. When it is lost: the status bar says so,
// the panel is disabled (it keeps showing what the monitor last held), the full-screen mode
// and any open dialog are cancelled (their writes cannot reach the monitor and say nothing
// more), and one message tells the user why; only after it is a monitor that answers behind
// the link asked about or told of. While disconnected the controller's "communication
// failure" is not repeated for each thing that still tries. When the monitor answers again
// it has been read as at start-up (not while a probe still asks about it); the panel shows
// what it holds.
class CLinkStatus : public QObject, private IUserMessages {
    Q_OBJECT
public:
    // `pane` is the status-bar pane that says "Disconnected"; `panel` the main panel;
    // `refresh` shows the monitor's values again in every window.
    CLinkStatus(CMonitor& monitor, QLabel* pane, QWidget* panel, std::function<void()> refresh,
                QObject* parent = nullptr);
    ~CLinkStatus() override;

    void SetAdjustWnd(CAdjustWnd* adjustWnd) { m_adjustWnd = adjustWnd; }
    CReconnector& Reconnector() { return m_reconnector; }
    // The monitor of this run answers: connected, and not to a monitor that a probe behind
    // the lost link has opened and not taken (yet).
    bool MonitorAnswers() const;

signals:
    // A line for the status bar's prompt ("The monitor answers again.").
    void prompt(const QString& text);

private:
    void OnConnectionChanged();
    void OnLost();
    void OnBack();
    // IUserMessages: passes everything on, but the communication failure only while the
    // link is up.
    MsgResult Show(int stringId, MsgButtons buttons, const QString& arg) override;
    void Beep() override;

    CMonitor& m_monitor;
    QPointer<QLabel> m_pane;
    QPointer<QWidget> m_panel;
    QPointer<CAdjustWnd> m_adjustWnd;
    std::function<void()> m_refresh;
    CReconnector m_reconnector;
    IUserMessages& m_previous;
    bool m_bLost = false;
};
