#include "app/Screenshot.h"

#include "app/MainFrame.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/AutoSizeNoticeDlg.h"
#include "dialogs/SplashWnd.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
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

} // namespace

void ScheduleScreenshot(CMainFrame& frame, CMonitor& monitor, const QString& path,
                        const QString& what) {
    QPointer<CMainFrame> framePtr(&frame);
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
        } else if (what == QLatin1String("notice")) {
            CAutoSizeNoticeDlg notice(monitor);
            QObject::connect(&notice, &CAutoSizeNoticeDlg::autoSizeRunning, &notice,
                             [&] { SaveScreen(path, {}); });
            notice.exec();
            Finish();
        }
    });
}
