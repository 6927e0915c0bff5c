#include "fullscreen/ScreenPixels.h"
#include "fullscreen/PatternPicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double kRatios[] = {1.0, 1.25, 1.5, 2.0, 0.5, 3.7};

} // namespace

TEST(ScreenPixelsTest, EveryDevicePixelComesBackFromItsLogicalPosition) {
    // The toolkit hands positions as device position / factor (and a grab at a negative
    // place, left of the screen, the same way): each maps back to its own pixel.
    for (double ratio : kRatios) {
        const CScreenPixels pixels(QSize(2560, 1600), ratio);
        for (int x = -40; x < 2600; ++x) {
            const QPoint device(x, 1599 - (x % 1600 + 1600) % 1600);
            ASSERT_EQ(pixels.ToDevice(QPointF(device) / ratio), device) << "ratio " << ratio;
        }
    }
}

TEST(ScreenPixelsTest, LogicalRectCoversTheDevicePixelsWithLessThanOneLogicalPixelToSpare) {
    for (double ratio : kRatios) {
        const CScreenPixels pixels(QSize(1920, 1080), ratio);
        for (int left = -3; left < 40; ++left) {
            const QRect device(left, 2 * left + 1, 32, 32);
            const QRect logical = pixels.LogicalRect(device);
            // Its device extent, as the window system lays it.
            const double x0 = logical.left() * ratio, y0 = logical.top() * ratio;
            const double x1 = (logical.left() + logical.width()) * ratio;
            const double y1 = (logical.top() + logical.height()) * ratio;
            EXPECT_LE(x0, device.left());
            EXPECT_LE(y0, device.top());
            EXPECT_GE(x1, device.left() + 32);
            EXPECT_GE(y1, device.top() + 32);
            EXPECT_LT(device.left() - x0, ratio);
            EXPECT_LT(x1 - (device.left() + 32), ratio);
        }
    }
    // At a factor of 1 the rectangle is the rectangle.
    EXPECT_EQ(CScreenPixels(QSize(800, 600), 1.0).LogicalRect(QRect(3, 4, 32, 32)),
              QRect(3, 4, 32, 32));
}

TEST(ScreenPixelsTest, ScreensWithoutPixelsOrWithoutAFactorAreUnusable) {
    EXPECT_TRUE(CScreenPixels(QSize(1, 1), 1.0).IsUsable());
    EXPECT_TRUE(CScreenPixels(QSize(1280, 1024), 3.7).IsUsable());
    EXPECT_FALSE(CScreenPixels(QSize(0, 0), 1.0).IsUsable());
    EXPECT_FALSE(CScreenPixels(QSize(1280, 0), 1.0).IsUsable());
    EXPECT_FALSE(CScreenPixels(QSize(-5, 600), 1.0).IsUsable());
    EXPECT_FALSE(CScreenPixels(QSize(800, 600), 0.0).IsUsable());
    EXPECT_FALSE(CScreenPixels(QSize(800, 600), -1.5).IsUsable());
    EXPECT_FALSE(CScreenPixels(QSize(800, 600), std::nan("")).IsUsable());
    EXPECT_FALSE(
        CScreenPixels(QSize(800, 600), std::numeric_limits<double>::infinity()).IsUsable());
    EXPECT_FALSE(CScreenPixels::Of(nullptr).IsUsable());
    // Unusable values map without overflowing.
    const CScreenPixels huge(QSize(800, 600), 1e300);
    const QPoint far = huge.ToDevice(QPointF(1e10, -1e10));
    EXPECT_GT(far.x(), 0);
    EXPECT_LT(far.y(), 0);
}

TEST(PatternPictureTest, PaintsAgainOnlyWhenWhatItShowsChanges) {
    CPatternPicture picture;
    Patterns::Context context;
    context.screen = QSize(640, 480);
    const QImage first = picture.Render(Patterns::kCrosshatch, context, 2.0);
    EXPECT_EQ(first.size(), QSize(640, 480));
    EXPECT_EQ(first.devicePixelRatio(), 2.0);
    EXPECT_EQ(first.pixel(39, 100), qRgb(255, 255, 255));
    EXPECT_EQ(first.pixel(40, 100), qRgb(0, 0, 0));

    // Same pattern, same screen: the same pixels, not painted again.
    EXPECT_EQ(picture.Render(Patterns::kCrosshatch, context, 2.0).cacheKey(), first.cacheKey());
    // The factor of the window changes nothing but the factor the picture carries.
    EXPECT_EQ(picture.Render(Patterns::kCrosshatch, context, 1.5).devicePixelRatio(), 1.5);

    context.vconvAvailable = true;
    const QImage convergence = picture.Render(Patterns::kConvergence, context, 1.0);
    EXPECT_EQ(convergence.pixel(100, 39), qRgb(255, 0, 255));
    EXPECT_EQ(convergence.pixel(39, 100), qRgb(255, 255, 255));
    context.hconvAvailable = true;
    EXPECT_EQ(picture.Render(Patterns::kConvergence, context, 1.0).pixel(39, 100),
              qRgb(255, 0, 255));

    context.screen = QSize(1280, 1024);
    EXPECT_EQ(picture.Render(Patterns::kConvergence, context, 1.0).size(), QSize(1280, 1024));
    // Not a pattern: black.
    const QImage none = picture.Render(99, context, 1.0);
    EXPECT_EQ(none.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(none.pixel(79, 500), qRgb(0, 0, 0));
}
