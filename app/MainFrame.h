#pragma once

#include "app/SystemMenuModel.h"

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>

class CDocManager;
class CLinkStatus;
class CMonitor;
class CNumLockState;
class CQelt32View;
class IAutoSizeNotice;
class QActionGroup;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class QToolBar;

// The one top-level window: menu bar, toolbar, status bar with the scan frequencies, and
// the main panel as its only view. It owns the Function commands, asks on closing whether
// to keep changed monitor data, and remembers its place on the screen between runs.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CMonitor& monitor, IAutoSizeNotice& notice, const QString& helpPath);
    ~CMainFrame() override; // saves the window placement and stops the watcher

    // Builds the bars, the menu and the view. False when a bar cannot be made.
    bool Create();
    // Shows the frame. The first call shows the start-up picture and puts the frame where
    // it was last time, minimised if it was closed so.
    void ActivateFrame();
    // A command of the system menu (or its stand-in, the tray menu): 1067 Auto-Sizing,
    // 32788 D-SUB, 32789 BNC.
    void OnSysCommand(int id);
    // What closing asks and sends; false when the user cancelled and the frame stays.
    bool OnClose();
    // Closes as the window manager's close does, but without the question: the monitor
    // keeps its values and stores them (a logout, a termination signal).
    void CloseWithoutQuestion();
    // The display has gone: what closing and the frame's end keep, kept without touching a
    // window (the monitor stores its values, the placement and the panel's settings are
    // written, the watcher stops).
    void EndWithoutDisplay();
    // A file that a second start of the program handed over: the frame comes to the front
    // and opens it as a dropped file. An empty path only brings the frame to the front.
    void OpenHandedOverFile(const QString& path);

    CDocManager& DocManager() const { return *m_pDocManager; }
    CQelt32View* View() const { return m_pView; }
    int MenuId() const { return m_nMenu; }
    int ToolbarId() const { return m_nToolbar; }
    QToolBar* ToolBar() const { return m_pToolBar; }
    // The action of a command id (menu item and toolbar button share it); null if absent.
    QAction* Action(int id) const;
    const CSystemMenuModel& SystemMenu() const { return m_systemMenu; }
    // How the windows follow the link to the monitor (lost, back).
    CLinkStatus& LinkStatus() const { return *m_pLinkStatus; }
    QString PromptText() const;
    QString FrequencyText(int pane) const; // pane 1 "fH:..kHz", pane 2 "fV:..Hz"

signals:
    // The frame has closed: the program ends.
    void closed();

public slots:
    // Toolbar check marks and the status-bar indicators, refreshed when the program idles.
    void OnIdleUpdate();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool CreateStatusBar();
    bool CreateToolBar();
    void CreateMenus();
    QMenu* BuildMenu(const struct MenuNode& node, QWidget* parent);
    QAction* EnsureAction(int id);
    void OnCommand(int id);
    void UpdateMenuStates(QMenu* menu);
    void ApplyState(QAction* action);
    static bool SendsToMonitor(int id);
    void RebuildRecentFiles();
    void UpdateTitle();
    void ShowPrompt(const QString& prompt);
    void OnMinimized();
    void OnRestored();
    void ShowHelpTopics();
    // File > Serial Port: the device list, and the move to the device chosen there.
    void ChooseSerialPort();
    // What leaving the monitor asks and sends (closing, moving to another device): whether
    // to keep changed data (when `ask`), then the store; false when the user cancelled.
    bool LeaveMonitor(bool ask);
    void SavePlacement();

    CMonitor& m_monitor;
    IAutoSizeNotice& m_notice;
    QString m_strHelpPath;
    std::unique_ptr<CDocManager> m_pDocManager;
    CQelt32View* m_pView = nullptr;

    int m_nMenu = 0;
    int m_nToolbar = 0;
    std::map<int, QAction*> m_actions;
    QToolBar* m_pToolBar = nullptr;
    QMenu* m_pRecentMenuAnchor = nullptr; // the File menu, holding the recent files
    QAction* m_pRecentSeparator = nullptr;
    QList<QAction*> m_recentActions;

    QLabel* m_pPrompt = nullptr;
    QLabel* m_pFrequencyH = nullptr;
    QLabel* m_pFrequencyV = nullptr;
    QLabel* m_pNumLock = nullptr;
    QLabel* m_pLinkPane = nullptr;
    CLinkStatus* m_pLinkStatus = nullptr;
    CNumLockState* m_pNumLockState = nullptr;
    QTimer* m_pIdleTimer = nullptr;

    CSystemMenuModel m_systemMenu;
    QSystemTrayIcon* m_pTrayIcon = nullptr;
    QMenu* m_pTrayMenu = nullptr;
    bool m_bMinimized = false;

    int m_bActivatedOnce = 0;
    bool m_bAskOnClose = true;
};
