#pragma once

#include "app/TerminationSignals.h"
#include "dialogs/AutoSizeNoticeDlg.h"
#include "dialogs/SplashWnd.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class CAdjustWnd;
class CMainFrame;
class CMonitor;
struct StartupOptions;

// The application: finds the monitor, reads all of it, and creates the long-lived windows
// — the main frame, the hidden full-screen window and the controller's window, whose
// creation starts the watcher. If any step fails the program ends before a window shows.
class CQelt32App : public QObject {
    Q_OBJECT
public:
    explicit CQelt32App(CMonitor& monitor, QObject* parent = nullptr);
    ~CQelt32App() override;

    // Start-up; false when the program is to end at once (the user has been told why).
    bool InitInstance(const StartupOptions& options);
    // Exit: the frame, the full-screen window and the help windows are closed and deleted.
    // Safe to call after a failed start and more than once.
    void ExitInstance();
    // The end the desktop asks for (a termination signal, a logout): as the frame's close,
    // without its question; a full-screen mode still on is cancelled first.
    void EndSession();
    // The display server has gone (a logout that ends it first): the display connection
    // then ends the process with exit(), and no window can be shown, hidden or drawn any
    // more. What EndSession and ExitInstance keep is kept without touching a window: a
    // full-screen mode is put back as Cancel does, the monitor stores its adjustment and
    // the profile is written.
    void EndWithoutDisplay();

    CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
    CAdjustWnd* AdjustWnd() const { return m_pAdjustWnd.get(); }
    const QString& ProgramFolder() const { return m_strProgramFolder; }
    const QString& HelpPath() const { return m_strHelpPath; }
    bool NewShell() const { return m_bNewShell; }

private:
    bool ReadMonitor();
    bool CreateMainFrame(const StartupOptions& options);
    void WatchDisplayChanges();
    void DecideQuitting();

    CMonitor& m_monitor;
    std::unique_ptr<CAdjustWnd> m_pAdjustWnd;
    QString m_strProgramFolder; // ends with '/'
    QString m_strHelpPath;
    bool m_bNewShell = false;
    std::unique_ptr<CMainFrame> m_pMainFrame;
    CAutoSizeNoticeRunner m_noticeRunner;
    CSplashMessageFilter m_splashFilter;
    CTerminationSignals m_terminationSignals;
    // One display change makes several screens report; they count as one.
    QTimer m_displayChange;
};
