// Paint time of every full-screen test pattern, painted as the window paints it: the whole
// screen from scratch, the crosshatch with its hit cells; then again as the picture of a
// 2560 x 1600 screen scaled by 2, in its device pixels.
//
//   bench_ui_pattern_paint [--size WxH] [--repeat N] [--save DIR]
//
// Default 1600 x 1200, 50 paints per pattern. --save writes each picture painted as
// DIR/pattern-NN-WxH.png.

#include "Figure.h"
#include "fullscreen/CellMap.h"
#include "fullscreen/GreyPalette.h"
#include "fullscreen/PatternPicture.h"
#include "fullscreen/Patterns.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

struct Figures {
    double meanMs = 0;
    double maxMs = 0;
};

// The device-pixel picture of a scaled screen, painted anew each time (a new picture).
Figures MeasurePicture(int pattern, const Patterns::Context& context, double ratio, int repeat) {
    Figures figures;
    double total = 0;
    for (int i = 0; i <= repeat; ++i) {
        CPatternPicture picture;
        QElapsedTimer timer;
        timer.start();
        picture.Render(pattern, context, ratio);
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (i == 0)
            continue;
        total += ms;
        figures.maxMs = std::max(figures.maxMs, ms);
    }
    figures.meanMs = total / repeat;
    return figures;
}

Figures Measure(QImage& image, int pattern, const Patterns::Context& context, int repeat) {
    Figures figures;
    double total = 0;
    CellMap::Rects cells{};
    for (int i = 0; i <= repeat; ++i) {
        QElapsedTimer timer;
        timer.start();
        image.fill(Qt::black); // the window's erase
        QPainter painter(&image);
        Patterns::Paint(painter, pattern, context);
        painter.end();
        if (Patterns::IsCrosshatch(pattern))
            cells = CellMap::ComputeRects(context.screen);
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (i == 0)
            continue; // the first paint loads fonts and builds the checker tile
        total += ms;
        figures.maxMs = std::max(figures.maxMs, ms);
    }
    figures.meanMs = total / repeat;
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({"size", "Screen size WxH.", "WxH", "1600x1200"});
    parser.addOption({"repeat", "Paints per pattern.", "N", "50"});
    parser.addOption({"save", "Save each picture into DIR.", "DIR"});
    parser.process(app);

    const QStringList size = parser.value("size").split('x');
    const int repeat = parser.value("repeat").toInt();
    if (size.size() != 2 || size[0].toInt() <= 0 || size[1].toInt() <= 0 || repeat <= 0) {
        std::fprintf(stderr, "bad --size or --repeat\n");
        return 2;
    }
    const QSize screen(size[0].toInt(), size[1].toInt());
    const QString saveDir = parser.value("save");
    if (!saveDir.isEmpty() && !QDir().mkpath(saveDir)) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(saveDir));
        return 2;
    }

    const auto palette = CGreyPalette::Create(16);
    Patterns::Context context;
    context.screen = screen;
    context.hconvAvailable = true;
    context.vconvAvailable = true;
    context.palette = palette.get();

    std::printf("pattern paint at %d x %d, %d paints each\n", screen.width(), screen.height(),
                repeat);
    QImage image(screen, QImage::Format_RGB32);
    const struct {
        int pattern;
        const char* name;
    } patterns[] = {{Patterns::kCrosshatch, "crosshatch"},
                    {Patterns::kConvergence, "convergence"},
                    {Patterns::kCheckerboard, "checkerboard"},
                    {Patterns::kTextRows, "text rows"},
                    {Patterns::kGreyScale, "grey scale"}};
    for (const auto& p : patterns) {
        const Figures f = Measure(image, p.pattern, context, repeat);
        std::printf("  %2d %-13s mean %7.3f ms   max %7.3f ms\n", p.pattern, p.name, f.meanMs,
                    f.maxMs);
        const std::string what = std::string("pattern paint, ") + p.name;
        PrintFigure(what.c_str(), f.meanMs, "ms", "< 20 ms");
        if (!saveDir.isEmpty()) {
            const QString file = QStringLiteral("%1/pattern-%2-%3x%4.png")
                                     .arg(saveDir)
                                     .arg(p.pattern, 2, 10, QChar('0'))
                                     .arg(screen.width())
                                     .arg(screen.height());
            if (!image.save(file)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return 1;
            }
        }
    }

    constexpr QSize kScaledDevice(2560, 1600);
    constexpr double kScale = 2.0;
    Patterns::Context scaled = context;
    scaled.screen = kScaledDevice;
    std::printf("pattern picture of a %d x %d screen scaled by %.0f, %d paints each\n",
                kScaledDevice.width(), kScaledDevice.height(), kScale, repeat);
    for (const auto& p : patterns) {
        const Figures f = MeasurePicture(p.pattern, scaled, kScale, repeat);
        std::printf("  %2d %-13s mean %7.3f ms   max %7.3f ms\n", p.pattern, p.name, f.meanMs,
                    f.maxMs);
        const std::string what = std::string("pattern picture 2560x1600 scale 2, ") + p.name;
        PrintFigure(what.c_str(), f.meanMs, "ms", "< 20 ms");
    }
    return 0;
}
