// The main panel's brightness slider swept from 0 to 255 in ten scroll steps against the
// simulated monitor on its pseudo-terminal, paced at 9600 baud: the time until the monitor
// holds 255, next to the time the line itself needs for the frames that were exchanged
// (every byte 10 bits at 9600 baud, one direction at a time, as the link talks).
//
//   bench_ui_brightness_sweep [--runs N]

#include "Figure.h"
#include "dialogs/FormBuilder.h"
#include "dialogs/TrackBar.h"
#include "link/Monitor.h"
#include "panel/Qelt32View.h"
#include "platform/PortMap.h"
#include "platform/Profile.h"
#include "sim/SimServer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kBytesPerSecond = 960.0;
constexpr int kScrollSteps = 10;

struct Sweep {
    double seconds = 0;
    std::size_t bytes = 0;
    bool reached = false;
    double Bound() const { return static_cast<double>(bytes) / kBytesPerSecond; }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"runs", "Sweeps to time (default 3).", "N", "3"});
    parser.process(app);
    const int runs = std::max(1, parser.value("runs").toInt());

    QTemporaryDir profileDir;
    Profile::SetFolderForTests(profileDir.path());
    CSimServer server(*SimProfile::ByName("revC"));
    if (!server.Start()) {
        std::printf("cannot start the simulated monitor: %s\n", qPrintable(server.Error()));
        return 1;
    }
    PortMap().SetOnly(server.Path());

    std::size_t lineBytes = 0;
    {
        CMonitor monitor;
        monitor.SetTraceSink(
            [&lineBytes](bool, const std::uint8_t*, std::size_t n) { lineBytes += n; });
        if (!monitor.Connect() || !monitor.ReadModes() || !monitor.ReadGeometry() ||
            !monitor.ReadConvergence() || !monitor.ReadColor() || !monitor.ReadBrightContrast() ||
            !monitor.ReadColorTempTable()) {
            std::printf("the simulated monitor could not be read\n");
            return 1;
        }
        CQelt32View view(monitor, nullptr);
        view.show();
        auto* slider = Control<CTrackBar>(&view, 1075);

        std::vector<Sweep> sweeps;
        for (int run = 0; run < runs; ++run) {
            slider->setValue(0); // back to the start, untimed
            Sweep sweep;
            lineBytes = 0;
            const auto start = Clock::now();
            for (int step = 1; step <= kScrollSteps; ++step)
                slider->setValue((255 * step + kScrollSteps / 2) / kScrollSteps);
            sweep.seconds = std::chrono::duration<double>(Clock::now() - start).count();
            sweep.bytes = lineBytes;
            sweep.reached = server.Monitor().Value(Items::Bright) == 255;
            sweeps.push_back(sweep);
            std::printf("run %d: %.3f s, %zu bytes on the line, bound %.3f s, ratio %.3f%s\n",
                        run + 1, sweep.seconds, sweep.bytes, sweep.Bound(),
                        sweep.seconds / sweep.Bound(), sweep.reached ? "" : "  (NOT at 255)");
        }
        std::sort(sweeps.begin(), sweeps.end(),
                  [](const Sweep& a, const Sweep& b) { return a.seconds < b.seconds; });
        const Sweep& median = sweeps[sweeps.size() / 2];
        std::printf("brightness sweep 0 -> 255 in %d scroll steps (median of %d): %.3f s; "
                    "line-rate bound %.3f s for %zu bytes; ratio %.3f (target <= 1.10)\n",
                    kScrollSteps, runs, median.seconds, median.Bound(), median.bytes,
                    median.seconds / median.Bound());
        PrintFigure("brightness sweep wall / line bound", median.seconds / median.Bound(), "",
                    "<= 1.10");
    }
    Profile::SetFolderForTests(QString());
    return 0;
}
