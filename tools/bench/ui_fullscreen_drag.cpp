// The full-screen adjustment against the simulated monitor on its pseudo-terminal, paced at
// 9600 baud (served by a child process):
//  - a drag of 100 moves, each given time to be taken: wall time next to the time the line
//    itself needs for the frames exchanged;
//  - a drag of 100 moves arriving 1 ms apart, far faster than the line: the time from the
//    last move until the monitor has confirmed the handle's final value, next to the line
//    time of one step (no backlog: later moves replace earlier ones that are still waiting);
//  - a repaint of the crosshatch with its markers on a 1600 x 1200 screen.
//
//   bench_ui_fullscreen_drag [--repaints N] [--save FILE]

#include "BenchSupport.h"
#include "Figure.h"
#include "FullScreenDrag.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr int kMoves = 100;
constexpr int kHPos = 3;

void Press(QWidget& window, QPoint p) {
    QMouseEvent press(QEvent::MouseButtonPress, p, window.mapToGlobal(p), Qt::LeftButton,
                      Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &press);
}

QMouseEvent* MoveEvent(QWidget& window, QPoint p) {
    return new QMouseEvent(QEvent::MouseMove, p, window.mapToGlobal(p), Qt::NoButton, {}, {});
}

// The screen of the offscreen platform, 1600 x 1200, unless another platform was chosen.
void ChooseScreen(QTemporaryDir& dir) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return;
    const QString config = dir.filePath("screen.json");
    QFile file(config);
    if (file.open(QIODevice::WriteOnly))
        file.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1600,
                       "height": 1200, "logicalDpi": 96, "dpr": 1}]})");
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
}

} // namespace

int main(int argc, char** argv) {
    CForkedSim sim("revC"); // before anything else: the child inherits no threads
    QTemporaryDir screenDir;
    ChooseScreen(screenDir);
    QApplication app(argc, argv);
    CBenchSurroundings surroundings(sim);
    if (!surroundings.Ok())
        return 1;
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"repaints", "Repaints to time (default 50).", "N", "50"});
    parser.addOption({"save", "Save the painted screen as FILE.", "FILE"});
    parser.process(app);
    const int repaints = std::max(1, parser.value("repaints").toInt());
    const QString saveTo = parser.value("save");
    CDragBench bench("1600,1200,0,0");
    if (!bench.Ok())
        return 1;
    Traffic& traffic = bench.traffic;
    CMonitor& monitor = bench.monitor;
    const std::uint8_t hposCode = monitor.Item(kHPos).code;
    {
        CAdjustWnd window(monitor);
        window.Create();
        QObject view;
        window.Open(&view);
        Drain(traffic, 100);

        // Paint of the whole screen as a repaint paints it: crosshatch, cells and the
        // markers over it (rendered into an image: the offscreen platform shows nothing).
        const QSize screen = window.ScreenSize();
        QImage image(screen, QImage::Format_RGB32);
        std::vector<double> paints;
        for (int i = 0; i <= repaints; ++i) {
            QElapsedTimer timer;
            timer.start();
            window.render(&image);
            if (i > 0) // the first loads what later ones reuse
                paints.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(paints.begin(), paints.end());
        std::printf("repaint of the crosshatch with %d markers at %d x %d: median %.2f ms, "
                    "max %.2f ms (target < 20 ms)\n",
                    window.MarkerCount(), screen.width(), screen.height(),
                    paints[paints.size() / 2], paints.back());
        PrintFigure("full-screen repaint, median", paints[paints.size() / 2], "ms", "< 20 ms");
        if (!saveTo.isEmpty())
            image.save(saveTo);

        const QPoint handle = PositionHandle(window);
        // Moves that wait for each step: 50 to the right, 50 back.
        Press(window, handle);
        const QPoint anchor = window.Anchor();
        traffic.Clear();
        const auto start = Clock::now();
        for (int i = 0; i < kMoves; ++i) {
            const QPoint offset(i < kMoves / 2 ? 5 : -5, 0);
            QCoreApplication::postEvent(&window, MoveEvent(window, anchor + offset));
            Settle(traffic);
        }
        const double wall = Seconds(Clock::now() - start);
        const double bound = double(traffic.Bytes()) / kLineBytesPerSecond;
        std::printf("drag of %d moves taken one by one: %.3f s; line-rate bound %.3f s for %zu "
                    "bytes; ratio %.3f (target <= 1.10)\n",
                    kMoves, wall, bound, traffic.Bytes(), wall / bound);
        PrintFigure("drag wall / line bound", wall / bound, "", "<= 1.10");

        // Moves 1 ms apart from another thread, as a fast hand would make them.
        traffic.Clear();
        std::atomic<bool> done{false};
        Clock::time_point lastMove;
        const std::uint16_t before = monitor.Item(kHPos).current;
        std::thread hand([&] {
            for (int i = 0; i < kMoves; ++i) {
                QCoreApplication::postEvent(&window, MoveEvent(window, anchor + QPoint(5, 0)));
                lastMove = Clock::now();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            done = true;
        });
        while (!done)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        hand.join();
        Drain(traffic, 300);
        if (const auto step = traffic.LastChange(hposCode, lastMove)) {
            const double waitMs = std::max(0.0, Seconds(step->sent - lastMove) * 1e3);
            const double stepMs = Seconds(step->confirmed - step->sent) * 1e3;
            const double lineMs = double(step->bytes) / kLineBytesPerSecond * 1e3;
            std::printf(
                "drag of %d moves 1 ms apart: %d steps taken (hpos %d -> %d); from the last "
                "move to the final value confirmed %.1f ms = %.1f ms for the step already on "
                "the line + %.1f ms for the last step (its line time %.1f ms, target <= %.1f "
                "ms); hpos frames after the last move: %d (1 = no backlog)\n",
                kMoves, monitor.Item(kHPos).current - before, before, monitor.Item(kHPos).current,
                Seconds(step->confirmed - lastMove) * 1e3, waitMs, stepMs, lineMs, lineMs + 5.0,
                step->framesAfter);
            PrintFigure("drag step time, last step", stepMs, "ms", "<= its line time + 5 ms");
        } else {
            std::printf("drag of %d moves 1 ms apart: no change reached the monitor\n", kMoves);
        }
        Press(window, handle);
        window.OnCancel();
    }
    return 0;
}
