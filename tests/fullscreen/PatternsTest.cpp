#include "fullscreen/Patterns.h"

#include "RenderPattern.h"
#include "fullscreen/GreyPalette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kMagenta = qRgb(255, 0, 255);
const QRgb kBlack = qRgb(0, 0, 0);

bool AllPixels(const QImage& image, QRgb color) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != color)
                return false;
    return true;
}

// Grid line positions worked out by hand from round(W * (i * L / 16 - 1) / L).
struct GridCase {
    QSize size;
    std::vector<int> columns;
    std::vector<int> rows;
};

const GridCase kGrid800x600{
    {800, 600},
    {49, 99, 149, 199, 249, 299, 349, 399, 449, 499, 549, 599, 649, 699, 749},
    {49, 99, 149, 199, 249, 299, 349, 399, 449, 499, 549}};
// 1600 x 1200 units: each line falls 0.8 (x) or about 0.85 (y) pixels before its division.
const GridCase kGrid1280x1024{
    {1280, 1024},
    {79, 159, 239, 319, 399, 479, 559, 639, 719, 799, 879, 959, 1039, 1119, 1199},
    {84, 170, 255, 340, 426, 511, 596, 682, 767, 852, 938}};
// Still 800 x 600 units below 1024 pixels: 1.25 pixels per unit, rounded.
const GridCase kGrid1000x600{
    {1000, 600},
    {61, 124, 186, 249, 311, 374, 436, 499, 561, 624, 686, 749, 811, 874, 936},
    {49, 99, 149, 199, 249, 299, 349, 399, 449, 499, 549}};
const GridCase kGrid640x480{
    {640, 480},
    {39, 79, 119, 159, 199, 239, 279, 319, 359, 399, 439, 479, 519, 559, 599},
    {39, 79, 119, 159, 199, 239, 279, 319, 359, 399, 439}};

// Every pixel in the order of drawing: the frame (top and bottom edges, then left and
// right), the horizontal grid lines across it, the vertical grid lines last.
void ExpectCrosshatch(const QImage& image, const GridCase& grid, QRgb horizontal, QRgb vertical) {
    const int w = grid.size.width();
    const int h = grid.size.height();
    ASSERT_EQ(image.size(), grid.size);
    const std::set<int> columns(grid.columns.begin(), grid.columns.end());
    const std::set<int> rows(grid.rows.begin(), grid.rows.end());
    const auto expectedAt = [&](int x, int y) {
        if (columns.count(x))
            return vertical;
        if (rows.count(y))
            return horizontal;
        if (x == 0 || x == w - 1)
            return vertical;
        if (y == 0 || y == h - 1)
            return horizontal;
        return kBlack;
    };
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb expected = expectedAt(x, y);
            if (image.pixel(x, y) != expected && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex
                              << image.pixel(x, y) << ", expected " << expected;
        }
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace

TEST(CrosshatchPattern, WhiteLinesOneUnitBeforeEachDivision) {
    for (const GridCase* grid : {&kGrid800x600, &kGrid1280x1024, &kGrid1000x600, &kGrid640x480}) {
        SCOPED_TRACE(grid->size.width());
        ExpectCrosshatch(RenderPattern(Patterns::kCrosshatch, grid->size), *grid, kWhite, kWhite);
    }
}

TEST(CrosshatchPattern, ConvergenceMagentaFollowsAvailableAxes) {
    // Horizontal lines show vertical convergence, vertical lines horizontal convergence.
    ExpectCrosshatch(RenderPattern(Patterns::kConvergence, {800, 600}, true, true), kGrid800x600,
                     kMagenta, kMagenta);
    ExpectCrosshatch(RenderPattern(Patterns::kConvergence, {800, 600}, true, false), kGrid800x600,
                     kWhite, kMagenta);
    ExpectCrosshatch(RenderPattern(Patterns::kConvergence, {1280, 1024}, false, true),
                     kGrid1280x1024, kMagenta, kWhite);
    ExpectCrosshatch(RenderPattern(Patterns::kConvergence, {1000, 600}, false, false),
                     kGrid1000x600, kWhite, kWhite);
}

TEST(CheckerboardPattern, AlternatesEveryPixelStartingWhite) {
    for (QSize size : {QSize(800, 600), QSize(1280, 1024), QSize(1000, 600), QSize(641, 479)}) {
        const QImage image = RenderPattern(Patterns::kCheckerboard, size);
        int wrong = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                wrong += image.pixel(x, y) != ((x + y) % 2 == 0 ? kWhite : kBlack);
        EXPECT_EQ(wrong, 0) << size.width() << " x " << size.height();
    }
}

namespace {

// Six text bands and six frame lines, worked out by hand for one screen size.
struct TextCase {
    QSize size;
    int fontPixels;
    std::vector<std::pair<int, int>> bands; // [top, bottom)
    std::vector<int> lines;
};

void ExpectTextRows(const TextCase& c) {
    const QImage image = RenderPattern(Patterns::kTextRows, c.size);
    const int w = c.size.width();
    const std::set<int> lines(c.lines.begin(), c.lines.end());

    for (int y : c.lines) {
        int lit = 0;
        for (int x = 0; x < w; ++x)
            lit += image.pixel(x, y) == kWhite;
        EXPECT_EQ(lit, w) << "frame line " << y;
    }

    // Off the frame lines, only text may light pixels, only inside a band, and without
    // any shade of grey.
    std::vector<int> inkTop(c.bands.size(), INT_MAX), inkBottom(c.bands.size(), -1);
    std::vector<int> inkLeft(c.bands.size(), INT_MAX), inkRight(c.bands.size(), -1);
    int stray = 0, grey = 0;
    for (int y = 0; y < c.size.height(); ++y) {
        if (lines.count(y))
            continue;
        for (int x = 0; x < w; ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == kBlack)
                continue;
            grey += p != kWhite;
            const auto band = std::find_if(c.bands.begin(), c.bands.end(),
                                           [y](auto b) { return b.first <= y && y < b.second; });
            if (band == c.bands.end()) {
                ++stray;
                continue;
            }
            const auto i = static_cast<std::size_t>(band - c.bands.begin());
            inkTop[i] = std::min(inkTop[i], y);
            inkBottom[i] = std::max(inkBottom[i], y);
            inkLeft[i] = std::min(inkLeft[i], x);
            inkRight[i] = std::max(inkRight[i], x);
        }
    }
    EXPECT_EQ(stray, 0);
    EXPECT_EQ(grey, 0);

    for (std::size_t i = 0; i < c.bands.size(); ++i) {
        SCOPED_TRACE(i);
        const auto [top, bottom] = c.bands[i];
        ASSERT_GE(inkBottom[i], 0) << "no text in band " << top;
        // One line of a font so many pixels high, centred both ways.
        const int inkHeight = inkBottom[i] - inkTop[i] + 1;
        EXPECT_LE(inkHeight, c.fontPixels);
        EXPECT_GE(inkHeight, c.fontPixels * 2 / 3);
        EXPECT_NEAR(inkLeft[i], w - 1 - inkRight[i], 3);
        EXPECT_NEAR(inkTop[i] - top, bottom - 1 - inkBottom[i], 4);
    }
}

} // namespace

TEST(TextRowsPattern, SixCentredRowsFramedInPairs) {
    // H = 480: grid row 40, text rows 20 high, a 13-pixel font.
    ExpectTextRows({{640, 480},
                    13,
                    {{0, 20}, {20, 40}, {220, 240}, {240, 260}, {459, 479}, {439, 459}},
                    {0, 40, 220, 260, 479, 439}});
    ExpectTextRows({{800, 600},
                    16,
                    {{0, 25}, {25, 50}, {275, 300}, {300, 325}, {574, 599}, {549, 574}},
                    {0, 50, 275, 325, 599, 549}});
    // H = 1024: r = 85 is odd, so a band pair (2 x 42) stops one pixel short of the line.
    ExpectTextRows({{1280, 1024},
                    28,
                    {{0, 42}, {42, 84}, {470, 512}, {512, 554}, {981, 1023}, {939, 981}},
                    {0, 85, 470, 555, 1023, 938}});
}

TEST(GreyScalePattern, WhiteUpperHalfAndSixteenBars) {
    const auto palette = CGreyPalette::Create(16);
    ASSERT_TRUE(palette);
    const std::vector<int> levels = {0,   32,  48,  64,  80,  96,  112, 128,
                                     144, 160, 176, 192, 208, 224, 240, 255};
    // 1000 wide: 62-pixel bars and the last 8 columns of the lower half black. An odd
    // height leaves the extra row to the lower half.
    for (QSize size : {QSize(1000, 601), QSize(800, 600), QSize(1280, 1024)}) {
        SCOPED_TRACE(size.width());
        const QImage image = RenderPattern(Patterns::kGreyScale, size, true, true, palette.get());
        const int w = size.width(), h = size.height(), bw = w / 16;
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                QRgb expected = kWhite;
                if (y >= h / 2) {
                    const int level = x / bw < 16 ? levels[static_cast<std::size_t>(x / bw)] : 0;
                    expected = qRgb(level, level, level);
                }
                wrong += image.pixel(x, y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(GreyScalePattern, NothingWithoutPalette) {
    EXPECT_TRUE(AllPixels(RenderPattern(Patterns::kGreyScale, {800, 600}), kBlack));
}

TEST(PatternNumbers, UnknownNumberLeavesScreenBlack) {
    for (int pattern : {0, 5, 13, 99, -1})
        EXPECT_TRUE(AllPixels(RenderPattern(pattern, {640, 480}), kBlack)) << pattern;
}

TEST(GreyPalette, SixteenLevelsFromWhiteToBlack) {
    const auto palette = CGreyPalette::Create(16);
    ASSERT_TRUE(palette);
    ASSERT_EQ(palette->Size(), 16);
    const std::vector<int> levels = {255, 240, 224, 208, 192, 176, 160, 144,
                                     128, 112, 96,  80,  64,  48,  32,  0};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(palette->Entry(i), qRgb(levels[i], levels[i], levels[i])) << i;
}

TEST(GreyPalette, RefusesSizesOutsideItsRamp) {
    EXPECT_FALSE(CGreyPalette::Create(0));
    EXPECT_FALSE(CGreyPalette::Create(1));
    EXPECT_FALSE(CGreyPalette::Create(18));
    const auto longest = CGreyPalette::Create(17);
    ASSERT_TRUE(longest);
    EXPECT_EQ(longest->Entry(15), qRgb(16, 16, 16));
    EXPECT_EQ(longest->Entry(16), kBlack);
}
