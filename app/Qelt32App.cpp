#include "app/Qelt32App.h"

#include "app/CommandLine.h"
#include "app/HelpLanguage.h"
#include "app/LinkStatus.h"
#include "app/MainFrame.h"
#include "app/StartupPortBox.h"
#include "doc/ui/DocManager.h"
#include "fullscreen/AdjustWnd.h"
#include "link/Monitor.h"
#include "panel/Qelt32View.h"
#include "platform/CursorTable.h"
#include "platform/HelpWindow.h"
#include "platform/PlatformFlags.h"
#include "platform/ProgramFolder.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QThread>

CQelt32App::CQelt32App(CMonitor& monitor, QObject* parent) : QObject(parent), m_monitor(monitor) {
    m_displayChange.setSingleShot(true);
    m_displayChange.setInterval(0);
    connect(&m_displayChange, &QTimer::timeout, this, [this] { m_monitor.OnDisplayChange(); });
}

CQelt32App::~CQelt32App() {
    ExitInstance();
}

bool CQelt32App::InitInstance(const StartupOptions& options) {
    // The help file of the user's language, in the program's folder.
    m_strProgramFolder = ::ProgramFolder();
    m_strHelpPath = m_strProgramFolder + HelpFileName(QLocale::system());

    if (!LoadCursors()) {
        UserMessages().Show(Str::CursorFileMissing);
        return false;
    }

    QCoreApplication::setOrganizationName(QStringLiteral("VORKA"));
    QCoreApplication::setApplicationName(LoadAppStringEnglish(Str::AppTitle));

    // The box has told the user why when no monitor is found and the user ends.
    if (!FindMonitorAtStartUp(m_monitor))
        return false;
    m_bNewShell = Platform().newShell;

    if (!ReadMonitor())
        return false;
    // What was just read is what the monitor's memory holds: closing compares against it.
    m_monitor.CommitAllGroups();

    if (!CreateMainFrame(options))
        return false;

    // The full-screen window stays hidden until used; it hides and shows the frame.
    m_pAdjustWnd = std::make_unique<CAdjustWnd>(m_monitor);
    m_pAdjustWnd->SetMainWindow(m_pMainFrame.get());
    m_pAdjustWnd->SetHelpPath(m_strHelpPath);
    m_pAdjustWnd->Create();
    m_pMainFrame->View()->SetAdjustWnd(m_pAdjustWnd.get());
    m_pMainFrame->LinkStatus().SetAdjustWnd(m_pAdjustWnd.get());

    // The controller's window: from now on the watcher follows the monitor. Frames the
    // monitor sent during start-up have waited in the port's queue until now.
    m_monitor.SetAutoSizeNotice(&m_noticeRunner);
    m_monitor.CreateWindow();
    WatchDisplayChanges();
    DecideQuitting();
    return true;
}

// The program ends when its frame has closed, and then only. Qt's rule of ending with the
// last visible window would end it when a notice, a help window or a dialog closes while
// the frame is hidden by the full-screen mode, and keep it running without a frame while
// a help window is open.
void CQelt32App::DecideQuitting() {
    QGuiApplication::setQuitOnLastWindowClosed(false);
    // exit(), not quit(): quit() first asks every window to close, and the full-screen
    // window refuses while its mode is on. Only a running loop is ended: an exit() with
    // none would make every later loop end at once.
    connect(
        m_pMainFrame.get(), &CMainFrame::closed, this,
        [] {
            if (QThread::currentThread()->loopLevel() > 0)
                QCoreApplication::exit(0);
        },
        Qt::QueuedConnection);
    connect(&m_terminationSignals, &CTerminationSignals::received, this, &CQelt32App::EndSession);
    m_terminationSignals.Install();
}

void CQelt32App::EndWithoutDisplay() {
    m_displayChange.stop();
    if (m_pAdjustWnd)
        m_pAdjustWnd->EndWithoutDisplay();
    if (m_pMainFrame)
        m_pMainFrame->EndWithoutDisplay();
}

void CQelt32App::EndSession() {
    // Closing the frame cancels a full-screen mode that is on (the window watches it).
    if (m_pMainFrame)
        m_pMainFrame->CloseWithoutQuestion();
    else if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

bool CQelt32App::ReadMonitor() {
    // Each read shows the communication failure itself; the first failure ends start-up.
    return m_monitor.ReadModes() && m_monitor.ReadGeometry() && m_monitor.ReadConvergence() &&
           m_monitor.ReadColor() && m_monitor.ReadBrightContrast() &&
           m_monitor.ReadColorTempTable();
}

bool CQelt32App::CreateMainFrame(const StartupOptions& options) {
    EnableStartupSplash(options.splash);
    // Key presses and clicks are offered to the start-up picture before anyone else.
    qApp->installEventFilter(&m_splashFilter);

    m_pMainFrame = std::make_unique<CMainFrame>(m_monitor, m_noticeRunner, m_strHelpPath);
    bool created = m_pMainFrame->Create();
    if (created && !options.file.isEmpty())
        created = m_pMainFrame->DocManager().OpenDocumentFile(options.file);
    if (!created) {
        // The document handling has said why; no window is left behind.
        m_pMainFrame.reset();
        return false;
    }
    m_pMainFrame->View()->OnInitialUpdate();
    m_pMainFrame->ActivateFrame();
    return true;
}

void CQelt32App::WatchDisplayChanges() {
    // Every mode change the desktop reports counts: a new refresh rate at the same size is
    // the usual change on a CRT. Several signals of one change start the timer once.
    auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, &m_displayChange, qOverload<>(&QTimer::start));
        connect(screen, &QScreen::refreshRateChanged, &m_displayChange,
                qOverload<>(&QTimer::start));
        connect(screen, &QScreen::orientationChanged, &m_displayChange,
                qOverload<>(&QTimer::start));
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    connect(gui, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
        watch(screen);
        m_displayChange.start();
    });
    connect(gui, &QGuiApplication::screenRemoved, &m_displayChange, qOverload<>(&QTimer::start));
    connect(gui, &QGuiApplication::primaryScreenChanged, &m_displayChange,
            qOverload<>(&QTimer::start));
}

void CQelt32App::ExitInstance() {
    m_displayChange.stop();
    m_monitor.SetAutoSizeNotice(nullptr); // the controller outlives this object
    // The frame goes first: it saves its placement and stops the watcher.
    m_pMainFrame.reset();
    if (m_pAdjustWnd) {
        m_pAdjustWnd->close();
        m_pAdjustWnd.reset();
    }
    CloseAllHelpWindows();
    if (qApp)
        qApp->removeEventFilter(&m_splashFilter);
}
