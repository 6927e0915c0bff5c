#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/Qelt32App.h"
#include "app/Screenshot.h"
#include "link/Monitor.h"
#include "platform/MessageBoxMessages.h"
#include "platform/StringTable.h"
#include "platform/Translations.h"
#include "sim/SimServer.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("qelt32"));
    InstallTranslations(app);

    StartupOptions options;
    std::unique_ptr<CSimServer> simulatedMonitor; // outlives the controller's port
    QString error;
    if (!ParseCommandLine(QApplication::arguments(), options, simulatedMonitor, &error)) {
        std::fprintf(stderr, "qelt32: %s\n", qPrintable(error));
        QMessageBox::warning(nullptr, LoadAppString(Str::AppTitle), error);
        return 2;
    }
    if (options.help) {
        std::fputs(qPrintable(options.helpText), stdout);
        return 0;
    }

    CMessageBoxMessages messageBoxes;
    SetUserMessages(&messageBoxes);
    int status = 1;
    {
        // The controller outlives the application object: at the very end it saves the
        // port it found the monitor on and closes the port, whatever happened before.
        CMonitor monitor;
        CQelt32App theApp(monitor);
        if (!options.screenshotPath.isEmpty() && options.screenshotOf == "startup-message")
            ScheduleStartupMessageShot(options.screenshotPath);
        if (theApp.InitInstance(options)) {
            if (!options.screenshotPath.isEmpty())
                ScheduleScreenshot(*theApp.MainFrame(), *theApp.AdjustWnd(), monitor,
                                   options.screenshotPath, options.screenshotOf);
            status = QApplication::exec();
        }
        theApp.ExitInstance();
    }
    SetUserMessages(nullptr);
    return status;
}
