// Cost of the adjustment mode's hit map: one hit test per mouse move (a pointer path over
// the whole screen, and the last cell, which is the longest search), and building the
// handle kinds for each request and layout.
//
//   bench_ui_cell_map [--repeat N]
//
// Default 20 passes of each measurement.

#include "fullscreen/CellMap.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <vector>

namespace {

volatile long long g_sink; // keeps the measured work from being optimised away

// A pointer wandering over the screen: rows of moves 7 pixels apart, 5 pixels between rows.
std::vector<QPoint> PointerPath(QSize screen) {
    std::vector<QPoint> path;
    for (int y = 0; y < screen.height(); y += 5)
        for (int x = 0; x < screen.width(); x += 7)
            path.emplace_back((y / 5) % 2 ? screen.width() - 1 - x : x, y);
    return path;
}

// Nanoseconds per hit test over `points`, repeated `repeat` times.
double HitTestNs(const CellMap::Rects& cells, const std::vector<QPoint>& points, int repeat) {
    long long found = 0;
    QElapsedTimer timer;
    timer.start();
    for (int r = 0; r < repeat; ++r)
        for (const QPoint& p : points)
            found += CellMap::HitTest(cells, p);
    const double ns = double(timer.nsecsElapsed());
    g_sink = found;
    return ns / (double(points.size()) * repeat);
}

void HitTests(QSize screen, int repeat) {
    const CellMap::Rects cells = CellMap::ComputeRects(screen);
    const std::vector<QPoint> path = PointerPath(screen);
    const std::vector<QPoint> lastCell(1000, QPoint(screen.width() - 1, screen.height() - 1));
    std::printf("  %4d x %-4d  hit test per move: mean %6.3f us over %zu moves, "
                "last cell %6.3f us   (target < 10 us)\n",
                screen.width(), screen.height(), HitTestNs(cells, path, repeat) / 1000.0,
                path.size(), HitTestNs(cells, lastCell, repeat) / 1000.0);
}

void BuildKinds(int repeat) {
    const struct {
        int request;
        const char* name;
    } requests[] = {{CellMap::kGeometry, "geometry"},
                    {CellMap::kConvergenceAll, "convergence, all"},
                    {CellMap::kConvergenceH, "convergence, horizontal"},
                    {CellMap::kConvergenceHV, "convergence, h + v"}};
    CellMap::Kinds kinds{};
    for (const auto& r : requests) {
        for (int layout = 0; layout <= 2; ++layout) {
            if (r.request != CellMap::kGeometry && layout > 0)
                break; // the convergence maps do not depend on the layout
            QElapsedTimer timer;
            timer.start();
            long long sum = 0;
            for (int i = 0; i < repeat; ++i) {
                CellMap::BuildKinds(kinds, r.request, layout, i % 2 == 0, i % 3 == 0);
                sum += kinds[std::size_t(i) % kinds.size()];
            }
            g_sink = sum;
            std::printf("  BuildKinds request %2d (%s), layout %d: %7.3f us\n", r.request, r.name,
                        layout, double(timer.nsecsElapsed()) / repeat / 1000.0);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"repeat", "Passes of each measurement.", "N", "20"});
    parser.process(app);
    const int repeat = parser.value("repeat").toInt();
    if (repeat <= 0) {
        std::fprintf(stderr, "bad --repeat\n");
        return 2;
    }

    std::printf("cell map, %d passes\n", repeat);
    HitTests({1600, 1200}, repeat);
    HitTests({1024, 768}, repeat);
    BuildKinds(repeat * 500);
    return 0;
}
