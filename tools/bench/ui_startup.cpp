// Start-up of the desktop program against the simulated monitor at 9600 baud: the time from
// the process's start to the main window on the screen, next to the time the line itself
// needs for every byte start-up exchanges (960 bytes/s, both directions taking turns), and
// the resident memory of the program once it idles with its window up.

#include "Figure.h"
#include "app/CommandLine.h"
#include "app/MainFrame.h"
#include "app/Qelt32App.h"
#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "platform/Profile.h"
#include "sim/SimServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

constexpr double kLineBytesPerSecond = 960.0;

// Seconds since this process started, from the kernel's record of its start.
double SecondsSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Field 22 (start time in clock ticks since boot) follows the command in parentheses.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.value(19).toDouble();
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return now.tv_sec + now.tv_nsec / 1e9 - startTicks / double(sysconf(_SC_CLK_TCK));
}

double ResidentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir profileFolder;
    Profile::SetFolderForTests(profileFolder.path());

    CSimServer server(*SimProfile::ByName(QStringLiteral("revC")));
    if (!server.Start()) {
        std::printf("cannot start the simulator: %s\n", qPrintable(server.Error()));
        return 1;
    }
    PortMap().SetOnly(server.Path());

    CMonitor monitor;
    std::uint64_t bytes = 0;
    QElapsedTimer sinceInit;
    qint64 firstByte = -1, lastByte = -1;
    monitor.SetTraceSink([&](bool, const std::uint8_t*, std::size_t count) {
        bytes += count;
        lastByte = sinceInit.elapsed();
        if (firstByte < 0)
            firstByte = lastByte;
    });

    StartupOptions options;
    options.splash = false;
    CQelt32App theApp(monitor);
    sinceInit.start();
    if (!theApp.InitInstance(options)) {
        std::printf("start-up failed\n");
        return 1;
    }
    QWindow* window = theApp.MainFrame()->windowHandle();
    while (!window || !window->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        window = theApp.MainFrame()->windowHandle();
    }
    const double shown = SecondsSinceProcessStart();
    const double startUp = sinceInit.elapsed() / 1000.0;
    const double bound = double(bytes) / kLineBytesPerSecond;

    // Idle for a while with the window up and the watcher running.
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const double rss = ResidentMegabytes();

    std::printf("process start to main window shown: %.3f s (InitInstance to shown %.3f s)\n",
                shown, startUp);
    std::printf("  before the first byte %.3f s, talking to the monitor %.3f s, windows %.3f s\n",
                firstByte / 1000.0, (lastByte - firstByte) / 1000.0, startUp - lastByte / 1000.0);
    std::printf("line-rate bound of the start-up traffic: %.3f s (%llu bytes at 960 bytes/s)\n",
                bound, static_cast<unsigned long long>(bytes));
    std::printf("above the bound: %.3f s (target <= 0.300 s)\n", shown - bound);
    std::printf("resident memory, idle with the window up: %.1f MB (target < 60 MB)\n", rss);
    PrintFigure("GUI start above the line bound", shown - bound, "s", "<= 0.300 s");
    PrintFigure("GUI resident memory", rss, "MB", "< 60 MB");
    theApp.ExitInstance();
    return 0;
}
