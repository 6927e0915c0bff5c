// The controller's start-up reads and item writes against the simulated monitor at 9600
// baud (served by a child process): wall time, the line-rate bound (every byte of both
// directions at 960 bytes/s, as request and reply take turns), their ratio, and the
// program's process CPU time with its share of the wall time.

#include "BenchSupport.h"

#include "Figure.h"
#include "link/Monitor.h"

#include <functional>

namespace {
using Clock = std::chrono::steady_clock;

struct Run {
    double wall = 0, cpu = 0;
    std::uint64_t bytes = 0;
    bool ok = false;
};

// Times `work`, counting the bytes the link sent and received meanwhile.
Run Measure(CMonitor& monitor, const std::function<bool()>& work) {
    Run run;
    monitor.SetTraceSink([&](bool, const std::uint8_t*, std::size_t count) { run.bytes += count; });
    const double cpu = ProcessCpuSeconds();
    const auto start = Clock::now();
    run.ok = work();
    run.wall = std::chrono::duration<double>(Clock::now() - start).count();
    run.cpu = ProcessCpuSeconds() - cpu;
    monitor.SetTraceSink(nullptr);
    return run;
}

// The figure of one run for the table, under `what`.
void AddFigures(const char* what, const Run& run) {
    const double bound = double(run.bytes) / kLineBytesPerSecond;
    char label[96];
    std::snprintf(label, sizeof label, "%s: wall / line bound", what);
    PrintFigure(label, run.wall / bound, "", "<= 1.05");
    std::snprintf(label, sizeof label, "%s: processor share", what);
    PrintFigure(label, 100.0 * run.cpu / run.wall, "%", "< 2 %");
}

void Print(const char* what, const Run& run) {
    if (!run.ok) {
        std::printf("%-34s FAILED\n", what);
        return;
    }
    const double bound = double(run.bytes) / kLineBytesPerSecond;
    std::printf("%-34s wall %7.1f ms, line bound %7.1f ms (%4llu bytes), ratio %.3f, "
                "CPU %5.2f ms = %.2f %% of wall\n",
                what, run.wall * 1e3, bound * 1e3, (unsigned long long)run.bytes, run.wall / bound,
                run.cpu * 1e3, 100.0 * run.cpu / run.wall);
}

// The available item with the largest maximum: the widest write there is.
int WidestItem(const CMonitor& monitor) {
    int widest = Items::HSize;
    for (int item = 0; item < Items::ModeWord; ++item)
        if (monitor.IsAvailable(item) && monitor.Item(item).maximum > monitor.Item(widest).maximum)
            widest = item;
    return widest;
}
} // namespace

int main(int argc, char** argv) {
    CForkedSimBench bench(argc, argv, "revC");
    if (!bench.Ok())
        return 1;

    CMonitor monitor;
    std::printf("targets: ratio <= 1.05, CPU < 2 %% of wall\n");
    Run startUp;
    for (int round = 0; round < 3; ++round) {
        monitor.ClosePort();
        const Run connect = Measure(monitor, [&] { return monitor.Connect(); });
        const Run reads = Measure(monitor, [&] {
            return monitor.ReadModes() && monitor.ReadGeometry() && monitor.ReadConvergence() &&
                   monitor.ReadColor() && monitor.ReadBrightContrast();
        });
        Print("  connect (open, identity, timing)", connect);
        Print("  read all five groups", reads);
        startUp = {connect.wall + reads.wall, connect.cpu + reads.cpu, connect.bytes + reads.bytes,
                   connect.ok && reads.ok};
        Print("start-up (both)", startUp);
    }

    AddFigures("start-up traffic", startUp);

    const int item = WidestItem(monitor);
    const std::uint16_t top = std::min<std::uint16_t>(255, monitor.Item(item).maximum);
    for (int round = 0; round < 3; ++round) {
        const std::uint16_t from = monitor.Item(item).current;
        const std::uint16_t to = from >= 5 ? from - 5 : from + 5;
        Print("WriteItem, change of 5",
              Measure(monitor, [&] { return monitor.WriteItem(item, to); }));
    }
    monitor.WriteItem(item, 0);
    char label[64];
    std::snprintf(label, sizeof label, "WriteItem %s 0 -> %u", Items::Info(item).name, top);
    const Run widest = Measure(monitor, [&] { return monitor.WriteItem(item, top); });
    Print(label, widest);
    AddFigures("widest ramped write", widest);
    return 0;
}
