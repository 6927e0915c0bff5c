#include "app/MainFrame.h"

#include "app/CommandIds.h"
#include "app/CommandText.h"
#include "app/FrameLayout.h"
#include "app/FrameMenus.h"
#include "app/FunctionCommands.h"
#include "app/LinkStatus.h"
#include "app/NumLockState.h"
#include "app/PortSwitch.h"
#include "app/WindowPlacement.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/PortChooser.h"
#include "dialogs/SplashWnd.h"
#include "doc/ui/DocManager.h"
#include "fullscreen/AdjustWnd.h"
#include "link/Monitor.h"
#include "panel/Qelt32View.h"
#include "platform/HelpWindow.h"
#include "platform/PlatformFlags.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

namespace {

constexpr int kIdleUpdateMs = 250;
const QString kSettings = QStringLiteral("Settings");

QSize ScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

QString MenuText(const char* text) {
    return QCoreApplication::translate("CMainFrame", text);
}

// Status-bar panes 1..3 are as wide as their widest text.
QLabel* IndicatorPane(QWidget* parent, const QString& widest) {
    auto* pane = new QLabel(parent);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(widest) + 8);
    return pane;
}

} // namespace

CMainFrame::CMainFrame(CMonitor& monitor, IAutoSizeNotice& notice, const QString& helpPath)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      m_monitor(monitor), m_notice(notice), m_strHelpPath(helpPath),
      m_systemMenu(monitor, Platform().newShell) {
    setObjectName(QStringLiteral("CMainFrame"));
    setAcceptDrops(true);
    setWindowIcon(QIcon(QStringLiteral(":/icons/128.png")));
}

void CMainFrame::EndWithoutDisplay() {
    if (m_pLinkStatus->MonitorAnswers())
        m_monitor.StoreInMemory(false);
    if (m_bActivatedOnce)
        SavePlacement();
    if (m_pView)
        m_pView->SaveProfile();
    m_monitor.StopWatcher();
}

CMainFrame::~CMainFrame() {
    // A frame that never appeared keeps the placement of the last run that did.
    if (m_bActivatedOnce)
        SavePlacement();
    m_monitor.StopWatcher();
}

bool CMainFrame::Create() {
    if (!CreateStatusBar() || !CreateToolBar())
        return false;
    CreateMenus();

    m_pDocManager = std::make_unique<CDocManager>(m_monitor, this);
    connect(m_pDocManager.get(), &CDocManager::titleChanged, this, [this] { UpdateTitle(); });
    connect(m_pDocManager.get(), &CDocManager::recentFilesChanged, this,
            [this] { RebuildRecentFiles(); });
    // The view is told of a load as a whole, not item by item.
    connect(m_pDocManager.get(), &CDocManager::documentLoaded, this,
            [this] { m_pView->OnUpdate(); });
    RebuildRecentFiles();
    UpdateTitle();

    m_pView = new CQelt32View(m_monitor, nullptr, this);
    setCentralWidget(m_pView);
    m_pLinkStatus = new CLinkStatus(
        m_monitor, m_pLinkPane, m_pView,
        [this] {
            m_pView->OnUpdate();
            OnIdleUpdate();
        },
        this);
    connect(m_pLinkStatus, &CLinkStatus::prompt, this,
            [this](const QString& text) { statusBar()->showMessage(text, 5000); });
    // Stays until the next fly-by prompt; the whole text is on the terminal.
    if (const QString problem = Profile::Problem(); !problem.isEmpty())
        ShowPrompt(problem);
    // No sizing border: the frame is exactly as large as its bars and the view need.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_pIdleTimer = new QTimer(this);
    connect(m_pIdleTimer, &QTimer::timeout, this, &CMainFrame::OnIdleUpdate);
    m_pIdleTimer->start(kIdleUpdateMs);
    m_pNumLockState = new CNumLockState(this);
    OnIdleUpdate();
    return true;
}

bool CMainFrame::CreateStatusBar() {
    auto* bar = statusBar();
    bar->setObjectName(QString::number(0xE801));
    bar->setSizeGripEnabled(false);
    m_pPrompt = new QLabel(LoadAppString(Str::Ready), bar);
    m_pPrompt->setObjectName(QStringLiteral("prompt"));
    m_pFrequencyH = IndicatorPane(bar, LoadAppString(Str::IndicatorFh));
    m_pFrequencyH->setObjectName(QString::number(Str::IndicatorFh));
    m_pFrequencyV = IndicatorPane(bar, LoadAppString(Str::IndicatorFv));
    m_pFrequencyV->setObjectName(QString::number(Str::IndicatorFv));
    m_pNumLock = IndicatorPane(bar, LoadAppString(Str::IndicatorNum));
    m_pNumLock->setObjectName(QString::number(Str::IndicatorNum));
    m_pLinkPane = IndicatorPane(bar, LoadAppString(Str::Disconnected));
    m_pLinkPane->setObjectName(QString::number(Str::Disconnected));
    bar->addWidget(m_pPrompt, 1);
    bar->addPermanentWidget(m_pLinkPane);
    bar->addPermanentWidget(m_pFrequencyH);
    bar->addPermanentWidget(m_pFrequencyV);
    bar->addPermanentWidget(m_pNumLock);
    return true;
}

bool CMainFrame::CreateToolBar() {
    m_nToolbar =
        FrameLayout::ChooseToolbar(m_monitor.GetProtocolRevision(), m_monitor.IsNotThirdModel());
    m_pToolBar = new QToolBar(this);
    m_pToolBar->setObjectName(QString::number(0xE800));
    m_pToolBar->setProperty("resourceId", m_nToolbar);
    m_pToolBar->setMovable(false);
    m_pToolBar->setFloatable(false);
    m_pToolBar->setIconSize(QSize(16, 15));
    addToolBar(Qt::TopToolBarArea, m_pToolBar);

    const std::vector<int>& buttons = FrameLayout::ToolbarButtons(m_nToolbar);
    for (int id : buttons) {
        if (id == FrameLayout::kSeparator) {
            m_pToolBar->addSeparator();
            continue;
        }
        const QPixmap image(QStringLiteral(":/toolbar/%1.png").arg(id));
        if (image.isNull())
            return false;
        QAction* action = EnsureAction(id);
        action->setIcon(QIcon(image));
        m_pToolBar->addAction(action);
    }
    // Buttons of a group behave as one choice (colour mode, input).
    for (const std::vector<int>& positions : FrameLayout::ToolbarGroups(m_nToolbar)) {
        auto* group = new QActionGroup(this);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        for (int position : positions)
            group->addAction(EnsureAction(buttons[static_cast<std::size_t>(position)]));
    }
    return true;
}

void CMainFrame::CreateMenus() {
    m_nMenu = FrameLayout::ChooseMenu(m_monitor.GetProtocolRevision());
    for (const MenuNode& node : FrameMenu(m_nMenu))
        menuBar()->addMenu(BuildMenu(node, menuBar()));
    menuBar()->setProperty("resourceId", m_nMenu);
    // A revision-C monitor with a single input has no Input Signal submenu.
    if (m_nMenu == FrameLayout::kMenuRevisionC && !m_monitor.IsNotThirdModel()) {
        QMenu* function = menuBar()->actions().at(1)->menu();
        QAction* inputSignal = function->actions().constFirst();
        function->removeAction(inputSignal);
        inputSignal->menu()->deleteLater();
    }
}

QMenu* CMainFrame::BuildMenu(const MenuNode& node, QWidget* parent) {
    auto* menu = new QMenu(MenuText(node.text), parent);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenuStates(menu); });
    connect(menu, &QMenu::aboutToHide, this, [this] { ShowPrompt({}); });
    for (const MenuNode& child : node.children) {
        switch (child.kind) {
        case MenuNode::Separator:
            menu->addSeparator();
            break;
        case MenuNode::Popup:
            menu->addMenu(BuildMenu(child, menu));
            break;
        case MenuNode::RecentFiles:
            // Stands for the list while it is empty, as a disabled entry.
            m_pRecentMenuAnchor = menu;
            m_pRecentSeparator = menu->addAction(MenuText(child.text));
            m_pRecentSeparator->setEnabled(false);
            break;
        case MenuNode::Command: {
            QAction* action = EnsureAction(child.id);
            action->setText(MenuText(child.text));
            menu->addAction(action);
            break;
        }
        }
    }
    return menu;
}

QAction* CMainFrame::EnsureAction(int id) {
    if (QAction* existing = Action(id))
        return existing;
    auto* action = new QAction(this);
    action->setObjectName(QString::number(id));
    action->setText(CommandToolTip(id));
    action->setStatusTip(CommandPrompt(id));
    action->setToolTip(CommandToolTip(id));
    if (id == Cmd::FileOpen)
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    if (id == Cmd::FileSave)
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    if (IsFunctionCommand(id))
        action->setCheckable(FunctionCommandState(id, m_monitor).checkable);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions[id] = action;
    return action;
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::OnCommand(int id) {
    // Commands that would send something wait for the monitor to answer again (a key
    // shortcut can still reach a disabled command's handler).
    if (SendsToMonitor(id) && !m_pLinkStatus->MonitorAnswers()) {
        UserMessages().Beep();
        return;
    }
    if (IsFunctionCommand(id)) {
        RunFunctionCommand(id, m_monitor, m_notice);
        // Resets change several of the values on show at once.
        m_pView->OnUpdate();
    } else if (id >= Cmd::FileMru1 && id < Cmd::FileMru1 + Cmd::FileMruCount) {
        m_pDocManager->OpenRecentFile(id - Cmd::FileMru1);
    } else {
        switch (id) {
        case Cmd::FileOpen:
            m_pDocManager->FileOpen();
            break;
        case Cmd::FileSave:
            m_pDocManager->FileSave();
            break;
        case Cmd::FileSaveAs:
            m_pDocManager->FileSaveAs();
            break;
        case Cmd::FileSerialPort:
            ChooseSerialPort();
            break;
        case Cmd::AppExit:
            close();
            break;
        case Cmd::HelpFinder:
            ShowHelpTopics();
            break;
        case Cmd::AppAbout: {
            CAboutDlg about(m_monitor);
            about.exec();
            break;
        }
        default:
            break;
        }
    }
    // The check marks follow the monitor's answer, not the click.
    OnIdleUpdate();
}

bool CMainFrame::SendsToMonitor(int id) {
    return IsFunctionCommand(id) || id == Cmd::FileOpen ||
           (id >= Cmd::FileMru1 && id < Cmd::FileMru1 + Cmd::FileMruCount);
}

void CMainFrame::ApplyState(QAction* action) {
    const int id = action->objectName().toInt();
    if (!SendsToMonitor(id))
        return;
    if (!IsFunctionCommand(id)) {
        action->setEnabled(m_pLinkStatus->MonitorAnswers());
        return;
    }
    const CommandState state = FunctionCommandState(id, m_monitor);
    action->setEnabled(state.enabled && m_pLinkStatus->MonitorAnswers());
    if (state.checkable)
        action->setChecked(state.checked);
}

void CMainFrame::UpdateMenuStates(QMenu* menu) {
    for (QAction* action : menu->actions())
        if (Action(action->objectName().toInt()) == action)
            ApplyState(action);
}

void CMainFrame::OnIdleUpdate() {
    if (m_pToolBar)
        for (QAction* action : m_pToolBar->actions())
            ApplyState(action);
    if (m_pFrequencyH) {
        m_pFrequencyH->setText(FrequencyText(1));
        m_pFrequencyV->setText(FrequencyText(2));
    }
    if (m_pNumLock)
        m_pNumLock->setText(m_pNumLockState && m_pNumLockState->IsOn()
                                ? LoadAppString(Str::IndicatorNum)
                                : QString());
}

QString CMainFrame::FrequencyText(int pane) const {
    std::uint16_t fH = 0, fV = 0;
    m_monitor.GetTiming(&fH, &fV);
    // Frequencies the monitor did not report are shown as unknown, not as 0.
    const bool known = m_monitor.IsTimingKnown();
    const QString h = known ? QString::number(fH) : QStringLiteral("--");
    const QString v = known ? QString::number(fV) : QStringLiteral("--");
    return pane == 1 ? QStringLiteral("fH:%1kHz").arg(h) : QStringLiteral("fV:%1Hz").arg(v);
}

QString CMainFrame::PromptText() const {
    return m_pPrompt ? m_pPrompt->text() : QString();
}

void CMainFrame::ShowPrompt(const QString& prompt) {
    if (m_pPrompt)
        m_pPrompt->setText(prompt.isEmpty() ? LoadAppString(Str::Ready) : prompt);
}

bool CMainFrame::event(QEvent* event) {
    // Fly-by prompts of menu items and toolbar buttons go to pane 0.
    if (event->type() == QEvent::StatusTip) {
        ShowPrompt(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::RebuildRecentFiles() {
    if (!m_pRecentMenuAnchor || !m_pDocManager)
        return;
    // An entry may be the one whose click led here: it goes once the click is over.
    for (QAction* action : m_recentActions) {
        m_actions.erase(action->objectName().toInt());
        m_pRecentMenuAnchor->removeAction(action);
        action->deleteLater();
    }
    m_recentActions.clear();
    const QStringList files = m_pDocManager->RecentFiles();
    m_pRecentSeparator->setVisible(files.isEmpty());
    for (int i = 0; i < files.size() && i < Cmd::FileMruCount; ++i) {
        QAction* action = EnsureAction(Cmd::FileMru1 + i);
        action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
        action->setStatusTip(files[i]);
        m_pRecentMenuAnchor->insertAction(m_pRecentSeparator, action);
        m_recentActions.append(action);
    }
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(LoadAppString(Str::AppTitle) + QStringLiteral(" - ") + m_pDocManager->Title());
}

void CMainFrame::ShowHelpTopics() {
    ::ShowHelpTopics(m_strHelpPath);
}

void CMainFrame::ChooseSerialPort() {
    const QString path = ChoosePort(this);
    if (path.isEmpty())
        return;
    const bool switched = SwitchPort(m_monitor, path, [this] { return LeaveMonitor(true); });
    // A read that failed on the way has put back what was shown before; the panel shows
    // what the cache holds either way.
    m_pView->OnUpdate();
    if (switched)
        statusBar()->showMessage(LoadAppString(Str::PortSwitched).arg(m_monitor.DevicePath()),
                                 5000);
}

bool CMainFrame::OnClose() {
    return LeaveMonitor(m_bAskOnClose);
}

bool CMainFrame::LeaveMonitor(bool ask) {
    // Nothing can be stored in a monitor that does not answer: the user hears so (unless
    // the desktop is ending the program), and leaving goes on.
    if (!m_pLinkStatus->MonitorAnswers()) {
        if (ask && m_monitor.IsModified())
            UserMessages().Show(Str::NotStoredDisconnected);
        return true;
    }
    if (ask && m_monitor.IsModified()) {
        switch (UserMessages().Show(Str::KeepChanges, MsgButtons::YesNoCancel)) {
        case MsgResult::Cancel:
            return false;
        case MsgResult::No:
            // Put back what the monitor's memory holds.
            m_monitor.RestoreModes();
            m_monitor.RestoreGeometry();
            m_monitor.RestoreConvergence();
            m_monitor.RestoreBrightContrast();
            if (m_monitor.GetStoredColorCustom())
                m_monitor.RestoreColor();
            break;
        default:
            break;
        }
    }
    m_monitor.StoreInMemory(false);
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (OnClose()) {
        event->accept();
        emit closed();
    } else {
        event->ignore();
    }
}

void CMainFrame::CloseWithoutQuestion() {
    m_bAskOnClose = false;
    close();
}

void CMainFrame::ActivateFrame() {
    WindowPlacement::ShowState state = WindowPlacement::ShowState::Normal;
    if (!m_bActivatedOnce) {
        m_bActivatedOnce = 1;
        ShowStartupSplash(this);
        const auto topLeft = WindowPlacement::ParseResolution(
            Profile::GetString(kSettings, QStringLiteral("Resolution")), ScreenSize());
        if (topLeft) {
            // A place no screen shows is not taken; one at a screen's edge is brought in
            // until the title bar can be grabbed.
            QList<QRect> screens;
            for (const QScreen* screen : QGuiApplication::screens())
                screens.append(screen->availableGeometry());
            const int titleBar = std::max(geometry().top() - frameGeometry().top(),
                                          style()->pixelMetric(QStyle::PM_TitleBarHeight));
            if (const auto place = WindowPlacement::PlaceOnScreens(*topLeft, frameGeometry().size(),
                                                                   titleBar, screens))
                move(*place);
            state = WindowPlacement::ShowStateFromStatus(
                        Profile::GetInt(kSettings, QStringLiteral("Status"),
                                        WindowPlacement::kShowDefault))
                        .value_or(WindowPlacement::ShowState::Normal);
        }
    }
    if (state == WindowPlacement::ShowState::Minimized) {
        showMinimized();
        OnMinimized();
    } else {
        showNormal();
        raise();
        activateWindow();
    }
    if (g_pStartupSplash)
        g_pStartupSplash->raise();
}

void CMainFrame::SavePlacement() {
    // The restored window's top-left corner, frame included.
    const QPoint frameOffset = geometry().topLeft() - pos();
    const QPoint topLeft = normalGeometry().topLeft() - frameOffset;
    Profile::WriteString(kSettings, QStringLiteral("Resolution"),
                         WindowPlacement::FormatResolution(ScreenSize(), topLeft));
    Profile::WriteInt(kSettings, QStringLiteral("Status"),
                      WindowPlacement::StatusFromState(isMinimized()
                                                           ? WindowPlacement::ShowState::Minimized
                                                           : WindowPlacement::ShowState::Normal));
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (isMinimized())
        OnMinimized();
    else if (m_bMinimized)
        OnRestored();
}

void CMainFrame::OnMinimized() {
    if (m_bMinimized)
        return;
    m_bMinimized = true;
    m_systemMenu.OnMinimize();
    if (!Platform().newShell || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    // The desktop's stand-in for the minimised window's system menu.
    if (!m_pTrayIcon) {
        m_pTrayIcon = new QSystemTrayIcon(windowIcon(), this);
        m_pTrayMenu = new QMenu(this);
        connect(m_pTrayMenu, &QMenu::aboutToShow, this, [this] {
            m_systemMenu.OnInitMenu(isMinimized());
            m_pTrayMenu->clear();
            for (const SystemMenuEntry& entry : m_systemMenu.OwnEntries()) {
                if (entry.id == 0) {
                    m_pTrayMenu->addSeparator();
                    continue;
                }
                const int id = entry.id;
                m_pTrayMenu->addAction(entry.text, this, [this, id] { OnSysCommand(id); });
            }
        });
        m_pTrayIcon->setContextMenu(m_pTrayMenu);
        m_pTrayIcon->setToolTip(windowTitle());
        connect(m_pTrayIcon, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        showNormal();
                });
    }
    m_pTrayIcon->show();
}

void CMainFrame::OnRestored() {
    m_bMinimized = false;
    m_systemMenu.OnRestore();
    if (m_pTrayIcon)
        m_pTrayIcon->hide();
}

void CMainFrame::OnSysCommand(int id) {
    switch (id) {
    case Cmd::SysAutoSizing:
        m_notice.Run(m_monitor);
        break;
    case Cmd::InputDsub:
        m_monitor.SetInputSignal(0);
        break;
    case Cmd::InputBnc:
        m_monitor.SetInputSignal(1);
        break;
    default:
        break;
    }
}

void CMainFrame::OpenHandedOverFile(const QString& path) {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (!path.isEmpty())
        m_pDocManager->OpenDocumentFile(path);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    // Each dropped file is opened in turn, as if chosen one after the other.
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            m_pDocManager->OpenDocumentFile(url.toLocalFile());
    event->acceptProposedAction();
    activateWindow();
}
