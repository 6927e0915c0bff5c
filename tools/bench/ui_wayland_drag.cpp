// The full-screen adjustment as a Wayland client of a headless sway session, against the
// simulated monitor on its pseudo-terminal paced at 9600 baud (served by a child process):
// the position handle is grabbed with the compositor's virtual pointer, which sway then
// locks, and 100 movements of the hand (50 to the right, 50 back) are made, each given time
// to be taken. Wall time next to the time the line itself needs for the frames exchanged.
// Without sway (or where it cannot start) it says so and measures nothing.
//
//   bench_ui_wayland_drag

#include "BenchSupport.h"
#include "Figure.h"
#include "FullScreenDrag.h"
#include "SwayDisplay.h"

#include <QApplication>
#include <QFileInfo>
#include <QWindow>

#include <cstdio>
#include <functional>

namespace {

constexpr int kMoves = 100;
constexpr int kHPos = 3;
constexpr int kMovePixels = 20; // a step of 1 at the mode's drag speed
constexpr int kWaitMs = 20000;

// Runs the event loop until `done` holds; false at the deadline.
bool RunUntil(const std::function<bool()>& done, int timeoutMs = kWaitMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// The session's display for this process's Qt, before the application object exists.
void UseSession(const CSwayDisplay& sway) {
    const QProcessEnvironment env = sway.ClientEnvironment();
    for (const char* name : {"WAYLAND_DISPLAY", "XDG_RUNTIME_DIR", "QT_QPA_PLATFORM"})
        qputenv(name, env.value(QLatin1String(name)).toLocal8Bit());
    qunsetenv("DISPLAY");
}

} // namespace

int main(int argc, char** argv) {
    CForkedSim sim("revC"); // before anything else: the child inherits no threads
    // The virtual pointer is built beside the tests; this benchmark sits beside the programs.
    if (qEnvironmentVariableIsEmpty("QELT32_BIN_DIR"))
        qputenv("QELT32_BIN_DIR", QFile::encodeName(QFileInfo(argv[0]).absolutePath()));
    if (const QString missing = CSwayDisplay::MissingTools(); !missing.isEmpty()) {
        std::printf("Wayland drag skipped: not installed: %s\n", qPrintable(missing));
        return 0;
    }
    CSwayDisplay sway;
    if (!sway.StartCompositor()) {
        std::printf("Wayland drag skipped: sway cannot start here: %s\n", qPrintable(sway.Error()));
        return 0;
    }
    if (!sway.StartPointer()) {
        std::printf("%s\n", qPrintable(sway.Error()));
        return 1;
    }
    UseSession(sway);
    QApplication app(argc, argv);
    CBenchSurroundings surroundings(sim);
    if (!surroundings.Ok())
        return 1;
    CDragBench bench("1280,1024,0,0");
    if (!bench.Ok())
        return 1;
    Traffic& traffic = bench.traffic;
    CMonitor& monitor = bench.monitor;
    int result = 0;
    {
        CAdjustWnd window(monitor);
        window.Create();
        QObject view;
        window.Open(&view);
        // Full-screen with the keyboard: sway locks the pointer only for the focused window.
        const QSize output = CSwayDisplay::Options{}.output;
        const bool shown = RunUntil([&] {
            return window.windowHandle() && window.windowHandle()->isExposed() &&
                   window.isActiveWindow() && window.ScreenSize() == output;
        });
        Drain(traffic, 100);
        const QPoint handle = PositionHandle(window);
        const bool grabbed =
            shown &&
            sway.Pointer(QStringLiteral("abs %1 %2 %3 %4")
                             .arg(handle.x())
                             .arg(handle.y())
                             .arg(output.width())
                             .arg(output.height())) &&
            sway.Pointer(QStringLiteral("click")) &&
            RunUntil([&] { return window.IsDragging() && window.PointerLocked(); });
        if (!grabbed) {
            std::printf("Wayland drag: the position handle could not be grabbed with the pointer "
                        "locked (%s)\n",
                        shown ? "no lock" : "the mode was not shown full-screen");
            result = 1;
        } else {
            traffic.Clear();
            int missed = 0;
            const std::uint16_t before = monitor.Item(kHPos).current;
            const auto start = Clock::now();
            for (int i = 0; i < kMoves; ++i) {
                const int dx = i < kMoves / 2 ? kMovePixels : -kMovePixels;
                const std::size_t seen = traffic.chunks.size();
                sway.Pointer(QStringLiteral("rel %1 0").arg(dx));
                // The step is taken in one pass of the event loop: once the line has been
                // used, the step is done.
                if (!RunUntil([&] { return traffic.chunks.size() != seen; }, 5000))
                    ++missed;
                Settle(traffic);
            }
            const double wall = Seconds(Clock::now() - start);
            const double bound = double(traffic.Bytes()) / kLineBytesPerSecond;
            std::printf("Wayland drag of %d moves taken one by one (hpos %d -> %d, %d moves "
                        "without a step): %.3f s; line-rate bound %.3f s for %zu bytes; ratio "
                        "%.3f (target <= 1.10)\n",
                        kMoves, before, monitor.Item(kHPos).current, missed, wall, bound,
                        traffic.Bytes(), wall / bound);
            PrintFigure("Wayland drag wall / line bound", wall / bound, "", "<= 1.10");
            sway.Pointer(QStringLiteral("click"));
        }
        window.OnCancel();
        Drain(traffic, 100);
    }
    return result;
}
