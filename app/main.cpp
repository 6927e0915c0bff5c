#include "app/CommandLine.h"
#include "app/FileHandOver.h"
#include "app/InstanceChannel.h"
#include "app/InstanceServer.h"
#include "app/MainFrame.h"
#include "app/MonitorBus.h"
#include "app/Qelt32App.h"
#include "app/RuntimeFolder.h"
#include "app/Screenshot.h"
#include "bus/MonitorService.h"
#include "link/Monitor.h"
#include "platform/MessageBoxMessages.h"
#include "platform/Profile.h"
#include "platform/StringTable.h"
#include "platform/Translations.h"
#include "platform/UserMessages.h"
#include "platform/Version.h"
#include "sim/SimServer.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace {

// How long a second start waits for the first to take its file. The first may be in the
// middle of a wait for the monitor (3000 ms each), so this is longer than one of those.
constexpr std::chrono::milliseconds kHandOverTimeout{10000};

void Warn(const QString& text) {
    std::fprintf(stderr, "qelt32: %s\n", qPrintable(text));
}

// Hands the file to the instance that is running and tells what became of it.
int HandOverFile(const QString& folder, const QString& file) {
    switch (InstanceChannel::HandOver(folder, file, kHandOverTimeout)) {
    case InstanceChannel::HandOverResult::Accepted:
        return 0;
    case InstanceChannel::HandOverResult::Refused:
        // What the first start would have said about this file.
        UserMessages().Show(Str::FileNotFound, MsgButtons::Ok, QFileInfo(file).fileName());
        return 1;
    case InstanceChannel::HandOverResult::NoAnswer:
        break;
    }
    const QString text = QCoreApplication::translate(
        "SingleInstance", "Vistrel Pro is already running but does not answer.");
    Warn(text);
    QMessageBox::warning(nullptr, LoadAppString(Str::AppTitle), text);
    return 1;
}

// One instance per user: the first start listens for later ones; a later start hands its
// file to the first and ends with the status returned here. Nothing is returned when this
// start is to run as the program.
std::optional<int> JoinRunningInstance(CInstanceServer& server, const QString& file) {
    QString why;
    const QString folder = RuntimeFolder(&why);
    if (!folder.isEmpty()) {
        const CInstanceServer::StartResult started = server.Start(folder, &why);
        if (started == CInstanceServer::StartResult::Listening)
            return std::nullopt;
        if (started == CInstanceServer::StartResult::AlreadyRunning)
            return HandOverFile(folder, file);
    }
    // Without a safe place for the socket the program still runs, only not as one instance.
    Warn(QStringLiteral("cannot look for a running instance: %1").arg(why));
    return std::nullopt;
}

// --help and --version: the text on standard output, without a display or a window.
// Nothing when the words only looked like those options (the value of another option).
std::optional<int> PrintTextOnly(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    InstallTranslations(app);
    StartupOptions options;
    std::unique_ptr<CSimServer> sim;
    QString error;
    if (!ParseCommandLine(QCoreApplication::arguments(), options, sim, &error)) {
        Warn(error);
        return 2;
    }
    if (!options.help && !options.version)
        return std::nullopt;
    if (options.version)
        std::fprintf(stdout, "qelt32 %s\n", kQelt32Version);
    else
        std::fputs(qPrintable(options.helpText), stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

// Run by exit() when the display connection ends the process (a logout that ends the X
// server first): exit() leaves this function's objects as they are, so the program's end
// is made here, on the thread that ran everything.
std::function<void()> g_endOnLostDisplay;

void EndOnLostDisplay() {
    if (const std::function<void()> end = std::exchange(g_endOnLostDisplay, nullptr))
        end();
}

} // namespace

int main(int argc, char** argv) {
    {
        QStringList arguments;
        for (int i = 0; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        if (AsksForTextOnly(arguments))
            if (const std::optional<int> status = PrintTextOnly(argc, argv))
                return *status;
    }
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

    CMessageBoxMessages messageBoxes;
    SetUserMessages(&messageBoxes);
    // Simulated runs have a monitor each and stay apart from the user's real one; so do
    // screenshot runs, which end by themselves.
    CInstanceServer instanceServer;
    const bool usersMonitor = !simulatedMonitor && options.screenshotPath.isEmpty();
    if (usersMonitor) {
        if (const std::optional<int> handedOver =
                JoinRunningInstance(instanceServer, options.file)) {
            SetUserMessages(nullptr);
            return *handedOver;
        }
        MonitorBus::TakeOverFromServe();
    }
    int status = 1;
    {
        // The controller outlives the application object: at the very end it saves the
        // port it found the monitor on and closes the port, whatever happened before.
        // The settings written at the end are stored together, once everything below is gone.
        std::optional<Profile::CWriteBatch> ending;
        std::optional<CMonitor> monitor(std::in_place);
        CQelt32App theApp(*monitor);
        if (!options.screenshotPath.isEmpty() && options.screenshotOf == "startup-message")
            ScheduleStartupMessageShot(options.screenshotPath);
        // Files handed over by later starts wait until the frame can open them.
        CFileHandOver handOver([&theApp] { return theApp.MainFrame(); });
        QObject::connect(&instanceServer, &CInstanceServer::openRequested, &handOver,
                         &CFileHandOver::Deliver);
        if (theApp.InitInstance(options)) {
            if (!options.screenshotPath.isEmpty())
                ScheduleScreenshot(*theApp.MainFrame(), *theApp.AdjustWnd(), *monitor,
                                   options.screenshotPath, options.screenshotOf);
            // Other programs reach the monitor through this one while it runs.
            const std::unique_ptr<CMonitorService> service =
                usersMonitor ? MonitorBus::Publish(*monitor, theApp) : nullptr;
            std::atexit(EndOnLostDisplay);
            g_endOnLostDisplay = [&] {
                // No message box can show any more: failures go to the terminal.
                SetUserMessages(nullptr);
                const Profile::CWriteBatch batch;
                theApp.EndWithoutDisplay();
                monitor.reset(); // saves the port it found the monitor on, closes the port
            };
            status = QApplication::exec();
            g_endOnLostDisplay = nullptr;
        }
        ending.emplace();
        theApp.ExitInstance();
    }
    SetUserMessages(nullptr);
    return status;
}
