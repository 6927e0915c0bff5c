// The cable pulled and plugged back under the controller, against the simulated monitor at
// 9600 baud behind a link (served by a child process, a new pseudo-terminal behind the same
// link at each replug): the program's CPU time while it waits disconnected, and the time
// from the cable coming back to the monitor read again as at start-up, held against the
// line time of those reads plus the 2 s the reconnector may wait between probes.

#include "BenchSupport.h"

#include "Figure.h"
#include "link/Monitor.h"
#include "link/Reconnector.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kIdle = std::chrono::seconds(10);
constexpr int kRounds = 5;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Runs the event loop until `done` holds or `limit` has passed; whether it holds.
bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    QEventLoop loop;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (done() || Clock::now() >= deadline)
            loop.quit();
    });
    tick.start(5);
    if (!done())
        loop.exec();
    return done();
}

// Runs the event loop for `time` with nothing of the benchmark's own waking it.
void Pause(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
}
} // namespace

int main(int argc, char** argv) {
    QTemporaryDir folder; // made before the child is forked, so that both know the link
    CForkedSim sim("revC", folder.filePath(QStringLiteral("monitor")).toStdString());
    QCoreApplication app(argc, argv);
    CBenchSurroundings surroundings(sim);
    if (!surroundings.Ok())
        return 1;
    CMonitor monitor;
    const auto started = Clock::now();
    if (!monitor.Connect() || !monitor.ReadAll() || !monitor.CreateWindow()) {
        std::printf("cannot connect to the simulator\n");
        return 1;
    }
    const double reads = Seconds(Clock::now() - started);
    std::printf("start-up reads (identity, timing, every item, the colour tables): %.2f s\n",
                reads);
    CReconnector reconnector(monitor);
    int back = 0;
    QObject::connect(&reconnector, &CReconnector::reconnected, [&] { ++back; });

    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        sim.Cable(false);
        if (!RunUntil([&] { return !monitor.IsConnected() && reconnector.IsWaiting(); },
                      std::chrono::seconds(20))) {
            std::printf("the pulled cable was not noticed\n");
            return 1;
        }
        if (round == 0) {
            Pause(std::chrono::milliseconds(500)); // the first probe, at once, is over
            const double cpu = ProcessCpuSeconds();
            Pause(kIdle);
            const double share = 100.0 * (ProcessCpuSeconds() - cpu) / double(kIdle.count());
            std::printf("disconnected and waiting %lld s: %.4f %% of a core (target < 0.1 %%)\n",
                        (long long)kIdle.count(), share);
            PrintFigure("disconnected, waiting: share of a core", share, "%", "< 0.1 %");
        } else {
            // Out for a while, as a cable is: the replug does not meet a probe just made.
            Pause(std::chrono::milliseconds(2500));
        }
        const int before = back;
        const auto plugged = sim.Cable(true);
        if (!RunUntil([&] { return back > before; }, std::chrono::seconds(30))) {
            std::printf("the monitor was not taken up again\n");
            return 1;
        }
        times.push_back(Seconds(Clock::now() - plugged));
    }
    std::sort(times.begin(), times.end());
    std::printf("cable back to the monitor read again (%d replugs): min %.2f s, median %.2f s, "
                "max %.2f s (target: start-up reads %.2f s + 2 s = %.2f s)\n",
                kRounds, times.front(), times[times.size() / 2], times.back(), reads, reads + 2);
    char target[64];
    std::snprintf(target, sizeof target, "<= %.2f s (reads + 2 s)", reads + 2);
    PrintFigure("cable back to monitor read again, max", times.back(), "s", target);
    monitor.StopWatcher();
    return 0;
}
