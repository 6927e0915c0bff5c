// qelt32ctl per command on a paced simulated monitor (9600 baud, as a real cable): the wall
// time of each run against the line time of the bytes that command put on the line and got
// back, plus the time a run takes that touches no monitor. `get bright` and `dump` are
// measured in the same run, so their ratio shows what asking only for one item saves.

#include "Figure.h"
#include "sim/SimServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kLineBytesPerSecond = 960.0; // 9600 baud, 8N1
constexpr int kRuns = 3;                      // the fastest of these is reported

struct Measured {
    double wallMs = 0;
    double lineMs = 0;
};

Measured Run(CSimServer& server, const QTemporaryDir& config, const QStringList& arguments) {
    Measured best{1e9, 0};
    for (int run = 0; run < kRuns; ++run) {
        server.Monitor().ClearRequestLog();
        const std::uint64_t sentBefore = server.BytesSent();
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        process.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/qelt32ctl"),
                      QStringList{QStringLiteral("--port"), server.Path()} + arguments);
        process.waitForFinished(60000);
        const double wall = double(timer.nsecsElapsed()) / 1e6;
        std::size_t received = 0;
        for (const SimRequest& request : server.Monitor().RequestLog())
            received += request.bytes.size();
        const double line =
            double(received + (server.BytesSent() - sentBefore)) / kLineBytesPerSecond * 1000;
        if (wall < best.wallMs)
            best = {wall, line};
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir config;
    CSimServer server(*SimProfile::ByName(QStringLiteral("revC")));
    if (!server.Start()) {
        std::fprintf(stderr, "no simulated monitor: %s\n", qPrintable(server.Error()));
        return 1;
    }
    const Measured start = Run(server, config, {QStringLiteral("--version")});
    std::printf("process start (qelt32ctl --version): %.1f ms\n", start.wallMs);
    PrintFigure("qelt32ctl process start", start.wallMs, "ms", "");

    const std::vector<QStringList> commands = {
        {"get", "bright"}, {"info"}, {"set", "bright", "120"}, {"power-save"}, {"degauss"},
        {"colortemp"},     {"dump"}};
    double getMs = 0, dumpMs = 0;
    for (const QStringList& command : commands) {
        const Measured m = Run(server, config, command);
        const double ratio = m.wallMs / (m.lineMs + start.wallMs);
        std::printf("%-16s wall %7.1f ms  line %7.1f ms  wall/(line+start) %.2f\n",
                    qPrintable(command.join(' ')), m.wallMs, m.lineMs, ratio);
        const QByteArray what = ("qelt32ctl " + command.join(' ') + " wall/(line+start)").toUtf8();
        PrintFigure(what.constData(), ratio, "x", "<= 1.1");
        if (command.first() == QLatin1String("get"))
            getMs = m.wallMs;
        if (command.first() == QLatin1String("dump"))
            dumpMs = m.wallMs;
    }
    PrintFigure("qelt32ctl get bright against dump", getMs / dumpMs, "x", "");
    return 0;
}
