// A front-panel key held for 10 s: the monitor reports the item every 20 ms over the
// 9600-baud line while the controller's watcher hands each report to the notify object.
// Prints how late the last notification came after the last report was made, the spread of
// all delays, and whether every value arrived, in order.

#include "Figure.h"
#include "link/Monitor.h"
#include "link/MonitorNotify.h"
#include "platform/PortMap.h"
#include "platform/Profile.h"
#include "sim/SimServer.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kPeriod = 20ms;
constexpr auto kHeld = 10s;
constexpr int kReports = int(kHeld / kPeriod);
constexpr int kItem = Items::Bright;

// Records every notification with the time it arrived; ends the loop at the last value.
class CArrivals : public QObject {
public:
    CArrivals(QEventLoop& loop, int lastValue) : m_loop(loop), m_last(lastValue) {
        values.reserve(kReports);
        times.reserve(kReports);
    }
    bool event(QEvent* event) override {
        if (event->type() != CMonitorNotifyEvent::EventType())
            return QObject::event(event);
        const auto* change = static_cast<CMonitorNotifyEvent*>(event);
        if (change->Item() == kItem) {
            values.push_back(change->Value());
            times.push_back(Clock::now());
            if (change->Value() == m_last && int(values.size()) >= kReports)
                m_loop.quit();
        }
        return true;
    }
    std::vector<int> values;
    std::vector<Clock::time_point> times;

private:
    QEventLoop& m_loop;
    int m_last;
};

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir profileFolder;
    Profile::SetFolderForTests(profileFolder.path());

    CSimServer server(*SimProfile::ByName("revC"));
    if (!server.Start()) {
        std::printf("cannot start the simulator: %s\n", qPrintable(server.Error()));
        return 1;
    }
    PortMap().SetOnly(server.Path());
    CMonitor monitor;
    if (!monitor.Connect() || !monitor.ReadModes() || !monitor.ReadGeometry() ||
        !monitor.ReadConvergence() || !monitor.ReadColor() || !monitor.ReadBrightContrast()) {
        std::printf("cannot connect to the simulator\n");
        return 1;
    }
    const int maximum = monitor.Item(kItem).maximum;
    auto valueOf = [maximum](int report) { return report % (maximum + 1); };

    QEventLoop loop;
    CArrivals arrivals(loop, valueOf(kReports - 1));
    monitor.SetNotifyWindow(&arrivals);
    monitor.CreateWindow();

    std::vector<Clock::time_point> reported(kReports);
    std::thread key([&] {
        auto next = Clock::now();
        for (int report = 0; report < kReports; ++report) {
            reported[report] = Clock::now();
            server.Monitor().PanelChange(kItem, std::uint16_t(valueOf(report)));
            next += kPeriod;
            std::this_thread::sleep_until(next);
        }
    });
    QTimer::singleShot(kHeld + 10s, &loop, &QEventLoop::quit); // bounded if values go missing
    loop.exec();
    key.join();
    monitor.StopWatcher();

    bool inOrder = int(arrivals.values.size()) == kReports;
    for (int i = 0; inOrder && i < kReports; ++i)
        inOrder = arrivals.values[i] == valueOf(i);
    std::printf("reports %d (one per %lld ms for %lld s), notifications %zu, every value in "
                "order: %s\n",
                kReports, (long long)kPeriod.count(), (long long)kHeld.count(),
                arrivals.values.size(), inOrder ? "yes" : "no");
    if (arrivals.values.empty() || arrivals.values.back() != valueOf(kReports - 1)) {
        std::printf("the last value never arrived\n");
        return 1;
    }
    std::printf("last notification %.1f ms after the last report was made (a 12-byte report is "
                "%.1f ms of line time)\n",
                Ms(arrivals.times.back() - reported.back()), 12 / 960.0 * 1000);
    // No growing delay: the last report is followed as fast as a single one.
    PrintFigure("held key: last notification after the last report",
                Ms(arrivals.times.back() - reported.back()), "ms", "<= 21.7 ms");
    if (inOrder) {
        std::vector<double> delays;
        for (int i = 0; i < kReports; ++i)
            delays.push_back(Ms(arrivals.times[i] - reported[i]));
        std::sort(delays.begin(), delays.end());
        std::printf("delay report -> notification: median %.1f ms, 99th percentile %.1f ms, "
                    "max %.1f ms\n",
                    delays[delays.size() / 2], delays[delays.size() * 99 / 100], delays.back());
    }
    return inOrder ? 0 : 1;
}
