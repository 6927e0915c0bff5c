// The full-screen mode on the screen the user put the main window on, in that screen's own
// pixels: the built qelt32 on Xvfb under openbox, with two RandR monitors side by side or
// with the toolkit's scale factor, driven with xdotool, looked at in screenshots.

#include "fullscreen/AdjustMenu.h"
#include "fullscreen/CellMap.h"
#include "fullscreen/HandleLayout.h"
#include "fullscreen/Patterns.h"

#include "FullScreenInput.h"
#include "RealDisplay.h"
#include "RenderPattern.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr QSize kCrt(1280, 1024);

// Where the 32 x 32 markers of a revision-C monitor (handle layout 1) sit on a screen of
// the CRT's size: the crosshatch is compared everywhere else.
QList<QRect> MarkerPlaces() {
    const CellMap::Rects rects = CellMap::ComputeRects(kCrt);
    QList<QRect> places;
    for (int cell : HandleLayout::MarkerCells(1)) {
        const CellMap::Rect& r = rects[static_cast<std::size_t>(cell)];
        // At a fractional factor a control sits on whole logical pixels: a marker may be
        // one screen pixel off its cell's centre.
        places << QRect((r.left + r.right) / 2 - 17, (r.top + r.bottom) / 2 - 17, 34, 34);
    }
    return places;
}

// The first pixel of `area` in the screenshot that is not the crosshatch's (markers left
// out), or none.
std::optional<QPoint> CrosshatchDiffers(const QImage& shot, QPoint origin) {
    const QImage expected = RenderPattern(Patterns::kCrosshatch, kCrt);
    const QList<QRect> markers = MarkerPlaces();
    for (int y = 0; y < kCrt.height(); ++y)
        for (int x = 0; x < kCrt.width(); ++x) {
            const QPoint p(x, y);
            if (std::any_of(markers.begin(), markers.end(),
                            [&](const QRect& m) { return m.contains(p); }))
                continue;
            if ((shot.pixel(origin + p) & 0xFFFFFF) != (expected.pixel(p) & 0xFFFFFF))
                return p;
        }
    return std::nullopt;
}

// The mode's windows and keys (FullScreenInput.h), screenshots and the frame's place.
class FullScreenScreens : public FullScreenReal::FullScreenInput {
public:
    explicit FullScreenScreens(CRealDisplay& display)
        : FullScreenInput(display), m_display(display) {}

    QImage Shot() {
        const QString path = m_dir.filePath("shot.png");
        QImage image;
        // The window manager maps the window a moment after it is shown.
        CRealDisplay::WaitUntil([&] { return m_display.Screenshot(path) && image.load(path); });
        return image.convertToFormat(QImage::Format_RGB32);
    }
    QPoint FramePlace() {
        const QRect rect = WindowRect(m_display.Window());
        return rect.isValid() ? rect.topLeft() : QPoint(-1, -1);
    }
    // A window of the program other than the frame and the mode's.
    QString Dialog() {
        for (const QString& id : Windows(QStringLiteral(".")))
            if (id != m_display.Window() && id != FullScreenWindow())
                return id;
        return {};
    }

private:
    CRealDisplay& m_display;
    QTemporaryDir m_dir;
};

// The program under openbox on two monitors of the CRT's size side by side, its main window
// moved to the second one, where the CRT is.
class FullScreenScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        QELT32_SKIP_WITHOUT_REAL_DISPLAY(true);
        CRealDisplay::Options options;
        options.screen = QSize(2 * kCrt.width(), kCrt.height());
        options.windowManager = true;
        options.monitors = {QRect(QPoint(0, 0), kCrt), QRect(QPoint(kCrt.width(), 0), kCrt)};
        display.emplace(options);
        ASSERT_TRUE(display->Start()) << display->Error().toStdString();
        ASSERT_TRUE(display->StartProgram()) << display->Error().toStdString();
        screens.emplace(*display);
        ASSERT_TRUE(display->Xdotool({"windowmove", "--sync", display->Window(), "1500", "200"}));
        ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return screens->FramePlace().x() >= 1500; }));
    }

    std::optional<CRealDisplay> display;
    std::optional<FullScreenScreens> screens;
};

} // namespace

TEST_F(FullScreenScreensTest, TheModeCoversTheScreenOfTheMainWindowAndPutsTheWindowBack) {
    const QPoint place = screens->FramePlace();

    ASSERT_TRUE(screens->Open());
    QImage shot;
    std::optional<QPoint> differs;
    // Compared until the window manager has put it in place (bounded).
    CRealDisplay::WaitUntil([&] {
        shot = screens->Shot();
        differs = CrosshatchDiffers(shot, QPoint(kCrt.width(), 0));
        return !differs;
    });
    EXPECT_FALSE(differs) << "first pixel not the crosshatch's: " << differs->x() << ","
                          << differs->y();
    // The first screen shows nothing of it: its top grid line is not drawn there.
    int white = 0;
    for (int x = 0; x < kCrt.width(); ++x)
        white += (shot.pixel(x, 84) & 0xFFFFFF) == 0xFFFFFF;
    EXPECT_LT(white, kCrt.width() / 2);

    // A dialog of the mode opens on the mode's screen, 30 pixels in from its corner (the
    // window manager's frame adds its title bar).
    const QPoint handle =
        FullScreenReal::CellOf(19, CellMap::kGeometry, true, kCrt) + QPoint(kCrt.width(), 0);
    ASSERT_TRUE(screens->Menu(handle, AdjustMenu::kVLinearity));
    QString dialog;
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return !(dialog = screens->Dialog()).isEmpty(); }));
    const QPoint corner(kCrt.width() + 30, 30);
    QRect rect;
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] {
        rect = screens->WindowRect(dialog);
        return (rect.topLeft() - corner).manhattanLength() < 40;
    })) << rect.x()
        << "," << rect.y() << " " << rect.width() << "x" << rect.height();
    ASSERT_TRUE(display->Focus(dialog) && display->Key("Escape"));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return screens->Dialog().isEmpty(); }));

    // Escape: the main window comes back exactly where it was.
    ASSERT_TRUE(display->Key("Escape"));
    ASSERT_TRUE(screens->Left());
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return screens->FramePlace() == place; }))
        << screens->FramePlace().x() << "," << screens->FramePlace().y();
}

TEST_F(FullScreenScreensTest, TheScreenGoingMidDragLeavesTheModeAsCancelDoesWithOneMessage) {
    const int hpos = display->SimValue("hpos");
    ASSERT_TRUE(screens->Open());

    // A handle held on the second screen, stepped once; then that screen goes.
    const QPoint at =
        FullScreenReal::CellOf(19, CellMap::kGeometry, false, kCrt) + QPoint(kCrt.width(), 0);
    ASSERT_TRUE(display->Click(at.x(), at.y()));
    ASSERT_TRUE(screens->MoveBy(30, 0));
    ASSERT_TRUE(display->WaitForSimValue("hpos", hpos + 4));
    ASSERT_TRUE(display->Run("xrandr", {"--delmonitor", "S2"})) << display->Error().toStdString();

    // The monitor as it was, the frame back, one message (titled as the mode's window was,
    // which is gone); the program goes on.
    EXPECT_TRUE(display->WaitForSimValue("hpos", hpos));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return screens->FrameShown(); }));
    QStringList boxes;
    ASSERT_TRUE(CRealDisplay::WaitUntil(
        [&] { return !(boxes = screens->Windows(QStringLiteral("^Vistrel Pro$"))).isEmpty(); }));
    EXPECT_EQ(boxes.size(), 1);
    ASSERT_TRUE(display->Focus(boxes.first()) && display->Key("Return"));
    ASSERT_TRUE(CRealDisplay::WaitUntil(
        [&] { return screens->Windows(QStringLiteral("^Vistrel Pro$")).isEmpty(); }));
    QThread::msleep(500);
    EXPECT_TRUE(screens->Windows(QStringLiteral("^Vistrel Pro$")).isEmpty());
    EXPECT_TRUE(screens->FrameShown());
}

class FullScreenScaleTest : public ::testing::TestWithParam<const char*> {};

TEST_P(FullScreenScaleTest, TheCrosshatchIsInScreenPixelsAndADragStepsAsAtScaleOne) {
    QELT32_SKIP_WITHOUT_REAL_DISPLAY(true);
    CRealDisplay::Options options;
    options.screen = kCrt;
    options.windowManager = true;
    options.environment = {QStringLiteral("QT_SCALE_FACTOR=") + GetParam()};
    CRealDisplay display(options);
    ASSERT_TRUE(display.Start()) << display.Error().toStdString();
    ASSERT_TRUE(display.StartProgram()) << display.Error().toStdString();
    FullScreenScreens screens(display);
    const int hpos = display.SimValue("hpos"), vpos = display.SimValue("vpos");

    ASSERT_TRUE(screens.Open());
    std::optional<QPoint> differs;
    CRealDisplay::WaitUntil([&] {
        differs = CrosshatchDiffers(screens.Shot(), QPoint(0, 0));
        return !differs;
    });
    EXPECT_FALSE(differs) << "first pixel not the crosshatch's: " << differs->x() << ","
                          << differs->y();

    // The position handle: 30 screen pixels are a step of 4, 10 a step of 1.
    const QPoint at = FullScreenReal::CellOf(19, CellMap::kGeometry, false, kCrt);
    ASSERT_TRUE(display.Xdotool(
        {"mousemove", "--sync", QString::number(at.x()), QString::number(at.y()), "click", "1"}));
    ASSERT_TRUE(display.Xdotool({"mousemove_relative", "--", "30", "0"}));
    EXPECT_TRUE(display.WaitForSimValue("hpos", hpos + 4));
    ASSERT_TRUE(display.Xdotool({"mousemove_relative", "--", "0", "-10"}));
    EXPECT_TRUE(display.WaitForSimValue("vpos", vpos + 1));
    ASSERT_TRUE(display.Xdotool({"click", "1"}));
    ASSERT_TRUE(display.Key("Escape"));
    EXPECT_TRUE(display.WaitForSimValue("hpos", hpos));
}

INSTANTIATE_TEST_SUITE_P(Factors, FullScreenScaleTest, ::testing::Values("1.5", "2"));
