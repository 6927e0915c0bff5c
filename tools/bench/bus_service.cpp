// The monitor on the session bus while `qelt32ctl serve` holds it, then while the desktop
// program holds it (on Qt's offscreen platform, so no display is needed): the round trip of
// GetItem, which answers from the holder's copy and must put nothing on the line, and the time from
// a front-panel report leaving the monitor to ItemChanged at a bus client, against the line time of
// the report itself; and `qelt32ctl get bright` beside it, which goes through the bus. Runs on a
// private session bus of its own (it starts itself again under dbus-run-session).

#include "Figure.h"
#include "bus/BusNames.h"
#include "link/Monitor.h"
#include "sim/SimServer.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kLineBytesPerSecond = 960.0; // 9600 baud, 8N1
constexpr int kRoundTrips = 2000;
constexpr int kReports = 40;
constexpr char kPrivateBus[] = "QELT32_BENCH_PRIVATE_BUS";

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size())))];
}

// Bytes on the line in both directions so far.
std::uint64_t LineBytes(CSimServer& server) {
    std::uint64_t received = 0;
    for (const SimRequest& request : server.Monitor().RequestLog())
        received += request.bytes.size();
    return received + server.BytesSent();
}

QDBusMessage GetItem(const QString& name) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        BusNames::kService, BusNames::kPath, BusNames::kInterface, QStringLiteral("GetItem"));
    call << name;
    return call;
}

bool Serving() {
    return QDBusConnection::sessionBus().call(GetItem(QStringLiteral("bright"))).type() ==
           QDBusMessage::ReplyMessage;
}

// Takes the ItemChanged signals of the service.
class CItemChanges : public QObject {
    Q_OBJECT
public:
    CItemChanges() {
        QDBusConnection::sessionBus().connect(BusNames::kService, BusNames::kPath,
                                              BusNames::kInterface, QStringLiteral("ItemChanged"),
                                              this, SLOT(OnItemChanged(QString, ushort, QString)));
    }
    // Waits (at most 10 s) for `name` to be announced with `value`; when it was.
    std::optional<Clock::time_point> WaitFor(const QString& name, ushort value) {
        m_name = name;
        m_value = value;
        m_arrived.reset();
        QEventLoop loop;
        m_loop = &loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        if (!m_arrived)
            loop.exec();
        m_loop = nullptr;
        return m_arrived;
    }

private slots:
    void OnItemChanged(const QString& name, ushort value, const QString&) {
        if (name != m_name || value != m_value || m_arrived)
            return;
        m_arrived = Clock::now();
        if (m_loop)
            m_loop->quit();
    }

private:
    QString m_name;
    ushort m_value = 0;
    std::optional<Clock::time_point> m_arrived;
    QEventLoop* m_loop = nullptr;
};

void Measure(const char* holder, CSimServer& server) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusMessage call = GetItem(QStringLiteral("bright"));
    std::vector<double> roundTrips;
    roundTrips.reserve(kRoundTrips);
    const std::uint64_t before = LineBytes(server);
    int failed = 0;
    for (int i = 0; i < kRoundTrips; ++i) {
        QElapsedTimer timer;
        timer.start();
        failed += bus.call(call).type() != QDBusMessage::ReplyMessage;
        roundTrips.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const std::uint64_t onTheLine = LineBytes(server) - before;
    const double median = Percentile(roundTrips, 0.5), p99 = Percentile(roundTrips, 0.99);
    std::printf("%s: GetItem round trip over %d calls: median %.3f ms, 99th percentile %.3f ms, "
                "%d failed, %llu bytes on the line\n",
                holder, kRoundTrips, median, p99, failed, (unsigned long long)onTheLine);
    const QByteArray name = QByteArray("GetItem round trip beside ") + holder;
    PrintFigure((name + ", median").constData(), median, "ms", "< 5");
    PrintFigure((name + ", 99th percentile").constData(), p99, "ms", "");
    PrintFigure((name + ", bytes on the line").constData(), double(onTheLine), "B", "0");

    CItemChanges changes;
    std::vector<double> delays, lineTimes;
    for (int i = 0; i < kReports; ++i) {
        const ushort value = ushort(100 + i % 2); // every report a change
        const std::uint64_t sentBefore = server.BytesSent();
        const Clock::time_point asked = Clock::now();
        server.Monitor().PanelChange(Items::Bright, value);
        const std::optional<Clock::time_point> arrived =
            changes.WaitFor(QStringLiteral("bright"), value);
        if (!arrived) {
            std::printf("%s: no ItemChanged for report %d\n", holder, i);
            return;
        }
        delays.push_back(std::chrono::duration<double, std::milli>(*arrived - asked).count());
        lineTimes.push_back(double(server.BytesSent() - sentBefore) / kLineBytesPerSecond * 1000);
    }
    const double delay = Percentile(delays, 0.5), line = Percentile(lineTimes, 0.5);
    std::printf("%s: front-panel report to ItemChanged over %d reports: median %.2f ms "
                "(the report's line time %.2f ms), worst %.2f ms\n",
                holder, kReports, delay, line, Percentile(delays, 1.0));
    const QByteArray target = QByteArray("<= ") + QByteArray::number(line + 5, 'f', 1);
    PrintFigure(
        (QByteArray("front-panel report to ItemChanged beside ") + holder + ", median").constData(),
        delay, "ms", target.constData());
}

void Stop(std::unique_ptr<QProcess>& process) {
    if (!process)
        return;
    process->terminate();
    if (!process->waitForFinished(10000))
        process->kill();
    process->waitForFinished();
    process.reset();
}

// `qelt32ctl get bright` beside the holder: the fastest of a few runs, and its bytes on
// the line (none: it goes through the bus).
void MeasureCtl(CSimServer& server, const QTemporaryDir& config) {
    double best = 1e9;
    const std::uint64_t before = LineBytes(server);
    for (int run = 0; run < 5; ++run) {
        QProcess ctl;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        ctl.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        ctl.start(QCoreApplication::applicationDirPath() + QStringLiteral("/qelt32ctl"),
                  {QStringLiteral("--port"), server.Path(), QStringLiteral("get"),
                   QStringLiteral("bright")});
        if (!ctl.waitForFinished(60000) || ctl.exitCode() != 0) {
            std::printf("qelt32ctl get bright beside serve failed\n");
            return;
        }
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    const std::uint64_t onTheLine = LineBytes(server) - before;
    std::printf("qelt32ctl get bright beside serve: %.1f ms, %llu bytes on the line\n", best,
                (unsigned long long)onTheLine);
    PrintFigure("qelt32ctl get bright beside serve, wall", best, "ms", "");
    PrintFigure("qelt32ctl get bright beside serve, bytes on the line", double(onTheLine), "B",
                "0");
}

// Starts a holder of the monitor (`qelt32ctl serve` or `qelt32`) and waits (at most 30 s)
// until it serves; null when it did not.
std::unique_ptr<QProcess> StartHolder(const QString& program, const QStringList& arguments,
                                      const QTemporaryDir& config) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + program, arguments);
    QElapsedTimer timer;
    timer.start();
    while (!Serving()) {
        if (timer.elapsed() > 30000 || process->state() == QProcess::NotRunning) {
            Stop(process);
            return nullptr;
        }
        QThread::msleep(50);
    }
    return process;
}

} // namespace

int main(int argc, char** argv) {
    // A bus of its own: nothing of the user's session is reached or disturbed.
    if (!std::getenv(kPrivateBus)) {
        setenv(kPrivateBus, "1", 1);
        execlp("dbus-run-session", "dbus-run-session", "--", argv[0], nullptr);
        std::fprintf(stderr, "dbus-run-session is needed\n");
        return 1;
    }
    QCoreApplication app(argc, argv);
    QTemporaryDir config;
    CSimServer server(*SimProfile::ByName(QStringLiteral("revC")));
    if (!server.Start()) {
        std::fprintf(stderr, "no simulated monitor: %s\n", qPrintable(server.Error()));
        return 1;
    }
    std::unique_ptr<QProcess> serve =
        StartHolder(QStringLiteral("qelt32ctl"),
                    {QStringLiteral("--port"), server.Path(), QStringLiteral("serve")}, config);
    if (!serve) {
        std::fprintf(stderr, "qelt32ctl serve did not serve the monitor\n");
        return 1;
    }
    Measure("qelt32ctl serve", server);
    MeasureCtl(server, config);
    Stop(serve);

    std::unique_ptr<QProcess> program = StartHolder(
        QStringLiteral("qelt32"),
        {QStringLiteral("--port"), server.Path(), QStringLiteral("--no-splash")}, config);
    if (!program) {
        std::fprintf(stderr, "qelt32 did not serve the monitor\n");
        return 1;
    }
    Measure("qelt32", server);
    Stop(program);
    return 0;
}

#include "bus_service.moc"
