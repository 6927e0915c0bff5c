// watch: every change the monitor reports, printed as it arrives, until interrupted.

#include "cli/CliContext.h"
#include "cli/CliMessages.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/ItemFormat.h"
#include "cli/StopSignals.h"
#include "link/Monitor.h"
#include "link/MonitorNotify.h"
#include "link/Reconnector.h"

#include <QEventLoop>
#include <QJsonObject>

#include <optional>

namespace {

// The controller's notify object: one line per change.
class CWatchPrinter : public QObject {
public:
    CWatchPrinter(CCliContext& ctx, const CMonitor& monitor) : m_ctx(ctx), m_monitor(monitor) {}

    bool event(QEvent* event) override {
        if (event->type() != CMonitorNotifyEvent::EventType())
            return QObject::event(event);
        const auto* change = static_cast<CMonitorNotifyEvent*>(event);
        if (change->Item() == CMonitorNotifyEvent::kTimingChanged)
            PrintTiming();
        else if (change->Item() >= 0 && change->Item() < Items::kCount)
            PrintItem(change->Item(), change->Value());
        return true;
    }

private:
    void PrintItem(int item, int value) {
        if (m_ctx.Json())
            m_ctx.PrintJson({{QStringLiteral("event"), QStringLiteral("item")},
                             {QStringLiteral("item"), item},
                             {QStringLiteral("name"), ItemFormat::Name(item)},
                             {QStringLiteral("value"), value}});
        else
            m_ctx.Print(QStringLiteral("%1 %2").arg(ItemFormat::Name(item)).arg(value));
    }

    void PrintTiming() {
        std::uint16_t fH = 0, fV = 0;
        m_monitor.GetTiming(&fH, &fV);
        if (m_ctx.Json())
            m_ctx.PrintJson({{QStringLiteral("event"), QStringLiteral("timing")},
                             {QStringLiteral("fH"), fH},
                             {QStringLiteral("fV"), fV}});
        else
            m_ctx.Print(QStringLiteral("timing %1 kHz %2 Hz").arg(fH).arg(fV));
    }

    CCliContext& m_ctx;
    const CMonitor& m_monitor;
};

// --follow: the lost link and its return, as lines in the same stream as the changes.
void PrintLinkEvent(CCliContext& ctx, const CMonitor& monitor, bool connected) {
    const QString what = connected ? QStringLiteral("connected") : QStringLiteral("disconnected");
    const QString detail = connected ? monitor.DevicePath() : monitor.LinkLostReason();
    if (ctx.Json())
        ctx.PrintJson({{QStringLiteral("event"), what},
                       {connected ? QStringLiteral("port") : QStringLiteral("reason"), detail}});
    else
        ctx.Print(what + ' ' + detail);
}

int RunWatch(CCliContext& ctx) {
    bool follow = false;
    for (const QString& arg : ctx.Args()) {
        if (arg != QLatin1String("--follow"))
            return ctx.UsageError(QStringLiteral("takes only --follow (got '%1')").arg(arg));
        follow = true;
    }
    // What it prints comes with each report; the reports' own re-reads keep the rest.
    if (const int status = ctx.Connect({}))
        return status;
    CMonitor& monitor = ctx.Monitor();

    CWatchPrinter printer(ctx, monitor);
    monitor.SetNotifyWindow(&printer);
    QEventLoop loop;
    int status = Exit::Ok;
    // A stop signal is how watching ends.
    if (CStopSignals* stopSignals = CStopSignals::Active()) {
        stopSignals->TakeAsNormalEnd();
        QObject::connect(stopSignals, &CStopSignals::stopped, &loop, [&loop] { loop.exit(); });
    }
    // A lost link ends the watch, or with --follow is printed and waited out; the watcher
    // reports it from its own thread and the controller passes it on between exchanges.
    // Through the bus the program that holds the monitor brings a lost link back itself.
    std::optional<CReconnector> reconnector;
    if (follow && !monitor.IsServed()) {
        reconnector.emplace(monitor);
        reconnector->SetOtherMonitorHandler([&ctx](std::uint32_t serial) {
            ctx.Note(QStringLiteral("a monitor with another serial number (%1) answers; not "
                                    "following it")
                         .arg(serial));
            return false;
        });
        reconnector->SetOtherModelHandler([&ctx](const QString& model) {
            ctx.Note(QStringLiteral("a monitor of another model (%1) answers; not following it")
                         .arg(model));
        });
        QObject::connect(&*reconnector, &CReconnector::reconnected, &loop,
                         [&] { PrintLinkEvent(ctx, monitor, true); });
    }
    QObject::connect(
        &monitor, &CMonicom::connectionChanged, &loop,
        [&] {
            if (monitor.IsConnected()) {
                if (follow && monitor.IsServed())
                    PrintLinkEvent(ctx, monitor, true);
                return;
            }
            if (monitor.LinkLostReason().isEmpty())
                return;
            if (follow) {
                PrintLinkEvent(ctx, monitor, false);
                return;
            }
            ctx.Note(QStringLiteral("lost the monitor: %1").arg(monitor.LinkLostReason()));
            status = Exit::Failure;
            loop.exit();
        },
        Qt::QueuedConnection);
    if (!monitor.CreateWindow())
        return ctx.MonitorFailed(QStringLiteral("could not start watching the port"));
    // From here on nothing the monitor reports is missed; scripts may wait for this line.
    PrintError(QStringLiteral("watching the monitor on %1; Ctrl+C ends").arg(monitor.DevicePath()));
    loop.exec();
    monitor.StopWatcher();
    monitor.SetNotifyWindow(nullptr);
    return status;
}

const CCommandRegistrar kWatch({
    .name = QStringLiteral("watch"),
    .synopsis = QStringLiteral("watch [--follow]"),
    .summary = QStringLiteral("print every change the monitor reports until interrupted"),
    .help = QStringLiteral(
        "Follows the monitor: a change made with its front-panel controls prints as\n"
        "\"NAME VALUE\", a change of the display timing as \"timing FH kHz FV Hz\" (the\n"
        "picture's size and position are read again then). Once it follows the monitor it\n"
        "says \"watching the monitor on PATH\" on standard error. Runs until Ctrl+C, SIGTERM\n"
        "or SIGHUP (status 0); a monitor that goes away ends it with status 1.\n"
        "With --follow a monitor that goes away (cable pulled, adapter unplugged) prints\n"
        "\"disconnected REASON\" and the watch goes on: once the same monitor answers again\n"
        "it is read again, \"connected PATH\" is printed and its changes follow.\n"
        "Beside a qelt32 or `qelt32ctl serve` that holds the monitor it follows that\n"
        "program's announcements on the session bus: changes made there, and by its other\n"
        "callers, print too; the program ending, or losing the monitor, is a lost monitor."),
    .json = QStringLiteral(
        "one object per line and change, {\"event\":\"item\",\"item\":2,\n"
        "\"name\":\"hsize\",\"value\":112} or {\"event\":\"timing\",\"fH\":68,\"fV\":75};\n"
        "with --follow also {\"event\":\"disconnected\",\"reason\":\"...\"} and\n"
        "{\"event\":\"connected\",\"port\":\"...\"}."),
    .run = RunWatch,
});

} // namespace
