#include "app/Screenshot.h"

#include "app/MainFrame.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/AutoSizeNoticeDlg.h"
#include "dialogs/SplashWnd.h"
#include "fullscreen/AdjustMenu.h"
#include "fullscreen/AdjustWnd.h"
#include "fullscreen/Markers.h"
#include "panel/Qelt32View.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

// Long enough for the start-up picture (1200 ms) to have gone and the panel's first paint.
constexpr int kSettleMs = 1800;
constexpr int kSplashUpMs = 400;
constexpr int kPopupMs = 400;

void SaveScreen(const QString& path, const QRect& crop) {
    QScreen* screen = QGuiApplication::primaryScreen();
    QPixmap shot = screen ? screen->grabWindow(0) : QPixmap();
    if (!shot.isNull() && crop.isValid())
        shot = shot.copy(crop.intersected(shot.rect()));
    if (shot.isNull() || !shot.save(path)) {
        std::fprintf(stderr, "qelt32: cannot save the screenshot to %s\n", qPrintable(path));
        QCoreApplication::exit(3);
        return;
    }
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
}

// Ends the program without the closing question: the picture is all that was asked for,
// and a run that auto-sized has changed the monitor.
void Finish() {
    QCoreApplication::exit(0);
}

// A left click on the full-screen window, as the display delivers it.
void Click(CAdjustWnd& window, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, window.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &press);
}

// The full-screen adjustment as the Screen Adjustment button opens it; then, for what
// names it, a handle held (the top-right corner), the popup menu or one of its dialogs.
// What is opened here blocks in its own loop; a timer set before takes the picture.
void ShootFullScreen(CMainFrame& frame, CAdjustWnd& window, const QString& path,
                     const QString& what) {
    window.Open(frame.View());
    QPointer<CAdjustWnd> windowPtr(&window);
    auto later = [=](auto&& then) { QTimer::singleShot(kPopupMs, windowPtr, then); };
    const int corner = window.Markers()->OnCell(90);
    const QPoint handle = window.Markers()->Geometry(corner).center();
    if (what == QLatin1String("fullscreen")) {
        later([=] {
            SaveScreen(path, {});
            Finish();
        });
    } else if (what == QLatin1String("fullscreen-drag")) {
        Click(window, handle);
        later([=] {
            SaveScreen(path, {});
            Click(*windowPtr, handle);
            Finish();
        });
    } else if (what == QLatin1String("fullscreen-menu")) {
        later([=] {
            SaveScreen(path, {});
            if (QWidget* menu = QApplication::activePopupWidget())
                menu->close();
            Finish();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, handle, window.mapToGlobal(handle));
        QCoreApplication::sendEvent(&window, &event);
    } else {
        later([=] {
            SaveScreen(path, {});
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
                    dialog->reject();
            Finish();
        });
        window.OnCommand(what == QLatin1String("fullscreen-linearity") ? AdjustMenu::kVLinearity
                         : what == QLatin1String("fullscreen-moire")   ? AdjustMenu::kMoire
                                                                       : AdjustMenu::kConvergence);
    }
}

} // namespace

void ScheduleStartupMessageShot(const QString& path) {
    // The box's own loop runs the timers; it is asked after until it has come up.
    auto* poll = new QTimer(qApp);
    poll->setInterval(100);
    QObject::connect(poll, &QTimer::timeout, qApp, [=] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll->deleteLater();
        QTimer::singleShot(kPopupMs, box, [=] {
            SaveScreen(path, {});
            box->reject();
        });
    });
    poll->start();
}

void ScheduleScreenshot(CMainFrame& frame, CAdjustWnd& adjustWnd, CMonitor& monitor,
                        const QString& path, const QString& what) {
    QPointer<CMainFrame> framePtr(&frame);
    QPointer<CAdjustWnd> adjustPtr(&adjustWnd);
    if (what == QLatin1String("startup-message")) {
        QTimer::singleShot(0, &frame, Finish); // the picture was taken during start-up
        return;
    }
    if (what == QLatin1String("splash")) {
        QTimer::singleShot(kSplashUpMs, &frame, [=] {
            SaveScreen(path, {});
            Finish();
        });
        return;
    }
    QTimer::singleShot(kSettleMs, &frame, [=, &monitor] {
        if (!framePtr)
            return;
        if (what == QLatin1String("main")) {
            SaveScreen(path, framePtr->frameGeometry());
            Finish();
        } else if (what.startsWith(QLatin1String("menu-"))) {
            const int index = what == QLatin1String("menu-file")       ? 0
                              : what == QLatin1String("menu-function") ? 1
                                                                       : 2;
            QAction* menuAction = framePtr->menuBar()->actions().value(index);
            framePtr->menuBar()->setActiveAction(menuAction);
            QTimer::singleShot(kPopupMs, framePtr, [=] {
                QMenu* menu = menuAction ? menuAction->menu() : nullptr;
                SaveScreen(path, menu ? framePtr->frameGeometry().united(menu->geometry())
                                      : framePtr->frameGeometry());
                if (menu)
                    menu->close();
                Finish();
            });
        } else if (what == QLatin1String("about")) {
            auto* about = new CAboutDlg(monitor, framePtr);
            about->setAttribute(Qt::WA_DeleteOnClose);
            about->show();
            QTimer::singleShot(kPopupMs, framePtr, [=] {
                SaveScreen(path, framePtr->frameGeometry().united(about->frameGeometry()));
                about->close();
                Finish();
            });
        } else if (what.startsWith(QLatin1String("fullscreen"))) {
            if (adjustPtr)
                ShootFullScreen(*framePtr, *adjustPtr, path, what);
        } else if (what == QLatin1String("notice")) {
            CAutoSizeNoticeDlg notice(monitor);
            QObject::connect(&notice, &CAutoSizeNoticeDlg::autoSizeRunning, &notice,
                             [&] { SaveScreen(path, {}); });
            notice.exec();
            Finish();
        }
    });
}
