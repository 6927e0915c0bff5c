// The watcher against the simulated monitor at 9600 baud (served by a child process): the
// program's CPU time while it sits idle with the port open and the watcher running, and
// the latency from the monitor starting a front-panel report to the notify window hearing
// of it.

#include "BenchSupport.h"

#include "Figure.h"
#include "link/Monitor.h"
#include "link/MonitorNotify.h"

#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {
using Clock = std::chrono::steady_clock;

// Notes when each notification arrives and ends the wait for it.
class CNotifyClock : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() != CMonitorNotifyEvent::EventType())
            return QObject::event(event);
        heard = Clock::now();
        loop.quit();
        return true;
    }
    Clock::time_point heard;
    QEventLoop loop;
};

void IdleCpu(std::chrono::seconds idle) {
    const double cpu = ProcessCpuSeconds();
    QEventLoop loop;
    QTimer::singleShot(idle, &loop, &QEventLoop::quit);
    loop.exec();
    const double used = ProcessCpuSeconds() - cpu;
    std::printf("idle %lld s with the watcher running: CPU %.2f ms = %.4f %% of a core "
                "(target < 0.1 %%)\n",
                (long long)idle.count(), used * 1e3, 100.0 * used / double(idle.count()));
    PrintFigure("idle watcher: share of a core", 100.0 * used / double(idle.count()), "%",
                "< 0.1 %");
}

void PanelLatency(CMonitor& monitor, CForkedSim& sim, int reports) {
    CNotifyClock clock;
    monitor.SetNotifyWindow(&clock);
    std::vector<double> latencies;
    for (int i = 0; i < reports; ++i) {
        QTimer::singleShot(1000, &clock.loop, &QEventLoop::quit); // a lost report ends too
        const auto asked = sim.PanelChange(Items::Bright, std::uint16_t(10 + i % 20));
        clock.heard = {};
        clock.loop.exec();
        if (clock.heard > asked)
            latencies.push_back(std::chrono::duration<double>(clock.heard - asked).count());
        QTimer::singleShot(30, &clock.loop, &QEventLoop::quit); // let the line go quiet
        clock.loop.exec();
    }
    if (latencies.empty()) {
        std::printf("no front-panel report arrived\n");
        return;
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("front-panel report to notification (%zu of %d): min %.1f ms, median %.1f ms, "
                "max %.1f ms (target %.1f ms: 16 bytes of line time + 5 ms)\n",
                latencies.size(), reports, latencies.front() * 1e3,
                latencies[latencies.size() / 2] * 1e3, latencies.back() * 1e3,
                (16 / kLineBytesPerSecond + 0.005) * 1e3);
    PrintFigure("front-panel report latency, median", latencies[latencies.size() / 2] * 1e3, "ms",
                "<= 21.7 ms");
}
} // namespace

int main(int argc, char** argv) {
    CForkedSimBench bench(argc, argv, "revC");
    if (!bench.Ok())
        return 1;
    CMonitor monitor;
    if (!monitor.Connect() || !monitor.ReadBrightContrast() || !monitor.CreateWindow()) {
        std::printf("cannot connect to the simulator\n");
        return 1;
    }
    IdleCpu(std::chrono::seconds(10));
    PanelLatency(monitor, bench.sim, 20);
    monitor.StopWatcher();
    return 0;
}
