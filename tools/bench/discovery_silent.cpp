// Start-up on a machine whose four slots are missing and whose three USB adapters (by-id
// links to pseudo-terminals nobody answers on) stay silent: the time until the no-monitor
// message can be shown, held against 2 s plus one reply wait (3 s) per silent adapter.

#include "Figure.h"
#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "platform/Profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {
constexpr int kAdapters = 3;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dev, profile;
    Profile::SetFolderForTests(profile.path());
    QDir(dev.path()).mkpath(QStringLiteral("serial/by-id"));
    qputenv("QELT32_DEV_DIR", dev.path().toLocal8Bit());
    qputenv("QELT32_SYS_DIR", dev.filePath(QStringLiteral("no-sys")).toLocal8Bit());
    std::vector<int> terminals;
    for (int i = 0; i < kAdapters; ++i) {
        int master = -1, slave = -1;
        char node[128] = {};
        if (openpty(&master, &slave, node, nullptr, nullptr) != 0)
            return 1;
        terminals.insert(terminals.end(), {master, slave});
        QFile::link(QString::fromLocal8Bit(node),
                    dev.filePath(QStringLiteral("serial/by-id/usb-Silent_%1-if00").arg(i)));
    }
    PortMap().SetAll({dev.filePath("ttyS0"), dev.filePath("ttyS1"), dev.filePath("ttyS2"),
                      dev.filePath("ttyS3")});

    CMonitor monitor;
    const auto started = std::chrono::steady_clock::now();
    const bool found = monitor.Connect(false);
    const double took =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    for (const QString& reason : monitor.ConnectFailures())
        std::printf("  %s\n", qPrintable(reason));
    if (found) {
        std::printf("a monitor answered where none should\n");
        return 1;
    }
    const double target = 2.0 + 3.0 * kAdapters;
    std::printf("no monitor, %d slots missing and %d silent adapters: %.2f s (target < %.0f s)\n",
                4, kAdapters, took, target);
    PrintFigure("first no-monitor message, 4 slots missing + 3 silent adapters", took, "s",
                "< 11 s");
    for (int fd : terminals)
        ::close(fd);
    return 0;
}
