// Connecting and reading everything, as start-up and qelt32ctl do, against the simulated
// monitor at 9600 baud: the wall time, the time the line itself needs for all the bytes
// both ways (960 bytes/s), and their ratio. Request and reply take turns on the line, so
// the bytes of both directions add up; a ratio near 1 means the program never keeps the
// line waiting.

#include "Figure.h"
#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "platform/Profile.h"
#include "sim/SimServer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kLineBytesPerSecond = 960.0;

struct Figures {
    double wall = 0;
    std::uint64_t toMonitor = 0;
    std::uint64_t fromMonitor = 0;
    // The program's own share: from a reply taken in to the next request sent.
    double programTime = 0;
    bool ok = false;

    double Bound() const { return double(toMonitor + fromMonitor) / kLineBytesPerSecond; }
};

Figures ConnectAndReadAll(const char* profile) {
    Figures figures;
    CSimServer server(*SimProfile::ByName(profile));
    if (!server.Start()) {
        std::printf("cannot start the simulator: %s\n", qPrintable(server.Error()));
        return figures;
    }
    PortMap().SetOnly(server.Path());
    CMonitor monitor;
    std::optional<Clock::time_point> lastReceive;
    monitor.SetTraceSink([&](bool sent, const std::uint8_t*, std::size_t count) {
        const auto now = Clock::now();
        if (!sent) {
            lastReceive = now;
            return;
        }
        figures.toMonitor += count;
        if (lastReceive)
            figures.programTime += std::chrono::duration<double>(now - *lastReceive).count();
        lastReceive.reset();
    });

    const auto start = Clock::now();
    figures.ok = monitor.Connect() && monitor.ReadModes() && monitor.ReadGeometry() &&
                 monitor.ReadConvergence() && monitor.ReadColor() && monitor.ReadBrightContrast() &&
                 monitor.ReadColorTempTable();
    figures.wall = std::chrono::duration<double>(Clock::now() - start).count();
    figures.fromMonitor = server.BytesSent();
    return figures;
}

void Report(const char* profile, int runs) {
    std::vector<Figures> all;
    for (int run = 0; run < runs; ++run)
        all.push_back(ConnectAndReadAll(profile));
    if (std::any_of(all.begin(), all.end(), [](const Figures& f) { return !f.ok; })) {
        std::printf("%-6s a run failed to connect or read\n", profile);
        return;
    }
    std::sort(all.begin(), all.end(),
              [](const Figures& a, const Figures& b) { return a.wall < b.wall; });
    const Figures& median = all[all.size() / 2];
    std::printf("%-6s bytes to monitor %llu, from monitor %llu; line bound %.3f s\n", profile,
                (unsigned long long)median.toMonitor, (unsigned long long)median.fromMonitor,
                median.Bound());
    std::printf("%-6s wall time min %.3f s, median %.3f s, max %.3f s (%d runs)\n", profile,
                all.front().wall, median.wall, all.back().wall, runs);
    std::printf("%-6s ratio wall / line bound: median %.3f, worst %.3f (target <= 1.05)\n", profile,
                median.wall / median.Bound(), all.back().wall / all.back().Bound());
    char what[64];
    std::snprintf(what, sizeof what, "start-up wall / line bound, %s", profile);
    PrintFigure(what, median.wall / median.Bound(), "", "<= 1.05");
    std::printf("%-6s median run: %.3f s from a reply to the next request (the program's own "
                "time), the rest waiting for the line and the monitor\n",
                profile, median.programTime);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir profileFolder;
    Profile::SetFolderForTests(profileFolder.path());
    Report("revC", 5);
    Report("revB", 5);
    return 0;
}
