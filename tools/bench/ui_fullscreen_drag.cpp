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

#include "fullscreen/AdjustWnd.h"
#include "link/Monitor.h"
#include "platform/UserMessages.h"

#include "BenchSupport.h"
#include "Figure.h"

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

using Clock = std::chrono::steady_clock;
constexpr int kMoves = 100;
constexpr int kHPos = 3;
constexpr std::uint8_t kSetValue = 0x03;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Every chunk of the line, with its time.
struct Traffic {
    struct Chunk {
        Clock::time_point at;
        bool sent;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Chunk> chunks;
    std::size_t Bytes() const {
        std::size_t n = 0;
        for (const Chunk& c : chunks)
            n += c.bytes.size();
        return n;
    }
    void Clear() { chunks.clear(); }

    // The step that brought `code` to its final value: when its set-value frame went out,
    // when the monitor's read-back answer to it had arrived (from then on the monitor is
    // known to hold the value), and the bytes of frame, query and answer.
    struct FinalStep {
        Clock::time_point sent, confirmed;
        std::size_t bytes = 0;
        int framesAfter = 0; // set-value frames for `code` that went out after `since`
    };
    std::optional<FinalStep> LastChange(std::uint8_t code, Clock::time_point since) const {
        FinalStep step;
        int last = -1;
        int previous = -1;
        for (std::size_t i = 0; i < chunks.size(); ++i) {
            const auto& b = chunks[i].bytes;
            if (!chunks[i].sent || b.size() < 9 || b[5] != kSetValue || b[6] != code)
                continue;
            const int value = b[7] << 8 | b[8];
            if (value != previous)
                last = int(i);
            previous = value;
            step.framesAfter += chunks[i].at > since;
        }
        if (last < 0)
            return std::nullopt;
        step.sent = chunks[std::size_t(last)].at;
        step.bytes = chunks[std::size_t(last)].bytes.size();
        bool answered = false;
        for (std::size_t i = std::size_t(last) + 1; i < chunks.size(); ++i) {
            if (chunks[i].sent && answered)
                break;
            step.bytes += chunks[i].bytes.size();
            if (!chunks[i].sent) {
                answered = true;
                step.confirmed = chunks[i].at;
            }
        }
        return answered ? std::optional(step) : std::nullopt;
    }
};

// Messages and beeps go nowhere; a beep would only mean a step at the end of a range.
class CSilentMessages : public IUserMessages {
public:
    MsgResult Show(int id, MsgButtons, const QString&) override {
        std::printf("message %d\n", id);
        return MsgResult::Ok;
    }
    void Beep() override {}
};

void Press(QWidget& window, QPoint p) {
    QMouseEvent press(QEvent::MouseButtonPress, p, window.mapToGlobal(p), Qt::LeftButton,
                      Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &press);
}

QMouseEvent* MoveEvent(QWidget& window, QPoint p) {
    return new QMouseEvent(QEvent::MouseMove, p, window.mapToGlobal(p), Qt::NoButton, {}, {});
}

// Lets the event loop run until `quietMs` pass without anything on the line.
void Drain(const Traffic& traffic, int quietMs) {
    std::size_t seen = SIZE_MAX;
    QElapsedTimer quiet;
    quiet.start();
    while (quiet.elapsed() < quietMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (traffic.chunks.size() != seen) {
            seen = traffic.chunks.size();
            quiet.restart();
        }
    }
}

// Runs the event loop until a pass over what is waiting sends nothing more.
void Settle(const Traffic& traffic) {
    std::size_t seen = 0;
    do {
        seen = traffic.chunks.size();
        QCoreApplication::processEvents();
    } while (traffic.chunks.size() != seen);
}

QPoint PositionHandle(const CAdjustWnd& window) {
    for (int cell = 0; cell < CellMap::kCount; ++cell)
        if (window.CellKinds()[cell] == 19) {
            const CellMap::Rect& r = window.CellRects()[cell];
            return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        }
    return {};
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
    // Not the first use: no help page.
    Profile::WriteString("Settings", "Resolution", "1600,1200,0,0");
    CSilentMessages messages;
    SetUserMessages(&messages);

    Traffic traffic;
    CMonitor monitor;
    monitor.SetTraceSink([&traffic](bool sent, const std::uint8_t* data, std::size_t n) {
        traffic.chunks.push_back({Clock::now(), sent, {data, data + n}});
    });
    if (!monitor.Connect() || !monitor.ReadModes() || !monitor.ReadGeometry() ||
        !monitor.ReadConvergence() || !monitor.ReadColor() || !monitor.ReadBrightContrast()) {
        std::printf("the simulated monitor could not be read\n");
        return 1;
    }
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
    SetUserMessages(nullptr);
    return 0;
}
