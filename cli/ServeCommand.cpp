// serve: holds the monitor without a window and serves it on the session bus.

#include "bus/MonitorService.h"
#include "cli/CliContext.h"
#include "cli/CliMessages.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/StopSignals.h"
#include "link/Monitor.h"

#include <QEventLoop>

namespace {

int RunServe(CCliContext& ctx) {
    if (!ctx.Args().isEmpty())
        return ctx.UsageError(
            QStringLiteral("takes no arguments (got '%1')").arg(ctx.Args().first()));
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return ctx.MonitorFailed(QStringLiteral("no session bus to serve the monitor on"));
    // Callers read from the cache: it holds the whole monitor, as the desktop program's does.
    if (const int status = ctx.Connect(CliNeeds::Everything()))
        return status;
    CMonitor& monitor = ctx.Monitor();

    QEventLoop loop;
    int status = Exit::Ok;
    CMonitorService service(monitor, {.busy = {}, .quit = [&loop] { loop.exit(); }});
    QString why;
    if (!service.Publish(bus, &why))
        return ctx.MonitorFailed(why);
    // A stop signal is how serving ends.
    if (CStopSignals* stopSignals = CStopSignals::Active()) {
        stopSignals->TakeAsNormalEnd();
        QObject::connect(stopSignals, &CStopSignals::stopped, &loop, [&loop] { loop.exit(); });
    }
    QObject::connect(
        &monitor, &CMonicom::portFailed, &loop,
        [&] {
            ctx.Note(QStringLiteral("lost the monitor: its port stopped working (cable pulled?)"));
            status = Exit::Failure;
            loop.exit();
        },
        Qt::QueuedConnection);
    if (!monitor.CreateWindow())
        return ctx.MonitorFailed(QStringLiteral("could not start watching the port"));
    PrintError(QStringLiteral("serving the monitor on %1 as com.vorka.qelt32; Ctrl+C ends")
                   .arg(monitor.DevicePath()));
    loop.exec();
    // A program waiting for the name finds the port free once the name is gone.
    monitor.ClosePort();
    service.Withdraw();
    return status;
}

const CCommandRegistrar kServe({
    .name = QStringLiteral("serve"),
    .synopsis = QStringLiteral("serve"),
    .summary = QStringLiteral("hold the monitor and serve it on the session bus"),
    .help = QStringLiteral(
        "Holds the monitor without a window and serves it on the user's session bus as\n"
        "com.vorka.qelt32 (see qelt32-dbus(7)), following its front panel, until Ctrl+C,\n"
        "SIGTERM or a Quit call. A starting qelt32 asks it to quit and takes the port over.\n"
        "Says \"serving the monitor on PATH\" on\n"
        "standard error once callers may use it; a monitor that goes away ends it with\n"
        "status 1."),
    .run = RunServe,
});

} // namespace
