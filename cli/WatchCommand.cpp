// watch: every change the monitor reports, printed as it arrives, until interrupted.

#include "cli/CliContext.h"
#include "cli/CliMessages.h"
#include "cli/CommandRegistry.h"
#include "cli/ExitStatus.h"
#include "cli/ItemFormat.h"
#include "cli/StopSignals.h"
#include "link/Monitor.h"
#include "link/MonitorNotify.h"
#include "platform/PortMap.h"

#include <QEventLoop>
#include <QJsonObject>

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

int RunWatch(CCliContext& ctx) {
    if (!ctx.Args().isEmpty())
        return ctx.UsageError(
            QStringLiteral("takes no arguments (got '%1')").arg(ctx.Args().first()));
    // What it prints comes with each report; the reports' own re-reads keep the rest.
    if (const int status = ctx.Connect({}))
        return status;
    CMonitor& monitor = ctx.Monitor();

    CWatchPrinter printer(ctx, monitor);
    monitor.SetNotifyWindow(&printer);
    QEventLoop loop;
    int status = Exit::Ok;
    CStopSignals stopSignals;
    QObject::connect(&stopSignals, &CStopSignals::stopped, &loop, [&loop] { loop.exit(); });
    // The watcher reports a dead port from its own thread; the loop hears of it in turn.
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
    // From here on nothing the monitor reports is missed; scripts may wait for this line.
    PrintError(QStringLiteral("watching the monitor on %1; Ctrl+C ends")
                   .arg(PortMap().Path(monitor.GetPortIndex())));
    loop.exec();
    monitor.StopWatcher();
    monitor.SetNotifyWindow(nullptr);
    return status;
}

const CCommandRegistrar kWatch({
    .name = QStringLiteral("watch"),
    .synopsis = QStringLiteral("watch"),
    .summary = QStringLiteral("print every change the monitor reports until interrupted"),
    .help = QStringLiteral(
        "Follows the monitor: a change made with its front-panel controls prints as\n"
        "\"NAME VALUE\", a change of the display timing as \"timing FH kHz FV Hz\" (the\n"
        "picture's size and position are read again then). Once it follows the monitor it\n"
        "says \"watching the monitor on PATH\" on standard error. Runs until Ctrl+C or\n"
        "SIGTERM (status 0); a monitor that goes away ends it with status 1."),
    .json = QStringLiteral(
        "one object per line and change, {\"event\":\"item\",\"item\":2,\n"
        "\"name\":\"hsize\",\"value\":112} or {\"event\":\"timing\",\"fH\":68,\"fV\":75}."),
    .run = RunWatch,
});

} // namespace
