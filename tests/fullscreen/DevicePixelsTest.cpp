// The full-screen window at whatever scale factor the test runs with (QT_SCALE_FACTOR,
// QT_SCREEN_SCALE_FACTORS, an offscreen screen's own factor: see CMakeLists.txt): every
// pattern in the screen's own pixels, the cells and the drag in them too.

#include "fullscreen/AdjustWnd.h"
#include "fullscreen/GreyPalette.h"
#include "fullscreen/HandleKinds.h"
#include "fullscreen/Markers.h"
#include "fullscreen/Patterns.h"
#include "platform/AnimateCtrl.h"

#include "RenderPattern.h"
#include "SimulatedMonitor.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kHPos = 3, kVPos = 5;

// The window's handlers fed with device pixels, turned into the logical positions the
// toolkit would hand over.
class CDeviceDrivenWnd : public CAdjustWnd {
public:
    using CAdjustWnd::CAdjustWnd;

    QPointF Logical(QPoint device) const { return QPointF(device) / devicePixelRatioF(); }
    void Press(QPoint device) {
        const QPointF p = Logical(device);
        QMouseEvent event(QEvent::MouseButtonPress, p, mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, {});
        mousePressEvent(&event);
    }
    void Move(QPoint device) {
        const QPointF p = Logical(device);
        QMouseEvent event(QEvent::MouseMove, p, mapToGlobal(p), Qt::NoButton, {}, {});
        mouseMoveEvent(&event);
    }
};

void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class DevicePixelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_rig.Start());
        // No combination file: the handles move one item each.
        qputenv("QELT32_DATA_DIR", "/nonexistent");
        m_window = std::make_unique<CDeviceDrivenWnd>(m_rig.monitor);
        m_window->SetMainWindow(&m_frame);
        m_window->Create();
        qunsetenv("QELT32_DATA_DIR");
        m_rig.messages.Clear();
        m_frame.show();
    }

    // The device size the run's screen was set up with ("WxH"), when the test was told.
    static QSize ExpectedDeviceSize() {
        const QStringList wh = qEnvironmentVariable("QELT32_TEST_DEVICE_SIZE").split('x');
        return wh.size() == 2 ? QSize(wh[0].toInt(), wh[1].toInt()) : QSize();
    }

    QImage Shot() { return m_window->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QPoint CentreOf(int kind) const {
        for (int cell = 0; cell < CellMap::kCount; ++cell) {
            if (m_window->CellKinds()[cell] != kind)
                continue;
            const CellMap::Rect& r = m_window->CellRects()[cell];
            return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        }
        ADD_FAILURE() << "no cell of kind " << kind;
        return {};
    }

    CSimulatedMonitor m_rig{QStringLiteral("revC")};
    QWidget m_frame;
    QObject m_view;
    std::unique_ptr<CDeviceDrivenWnd> m_window;
};

} // namespace

TEST_F(DevicePixelsTest, EveryPatternCoversTheScreenOnePicturePixelPerScreenPixel) {
    m_window->ShowPattern(Patterns::kCrosshatch);
    const QSize device = m_window->ScreenSize();
    if (const QSize expected = ExpectedDeviceSize(); expected.isValid()) {
        EXPECT_EQ(device, expected);
    }
    const std::unique_ptr<CGreyPalette> palette = CGreyPalette::Create(CellMap::kGridCols);
    for (int pattern : {Patterns::kCrosshatch, Patterns::kConvergence, Patterns::kCheckerboard,
                        Patterns::kTextRows, Patterns::kGreyScale}) {
        SCOPED_TRACE(pattern);
        m_window->ShowPattern(pattern);
        const QImage shot = Shot();
        ASSERT_GE(shot.width(), device.width());
        ASSERT_GE(shot.height(), device.height());
        // The very pixels the pattern paints at the device size: one-pixel lines stay one
        // pixel, nothing is stretched or smoothed, and the picture reaches every edge.
        const QImage expected = RenderPattern(pattern, device, m_rig.monitor.IsAvailable(16),
                                              m_rig.monitor.IsAvailable(17), palette.get());
        const QImage seen = shot.copy(QRect(QPoint(0, 0), device));
        if (seen != expected) {
            for (int y = 0; y < device.height(); ++y)
                for (int x = 0; x < device.width(); ++x)
                    if (seen.pixel(x, y) != expected.pixel(x, y))
                        FAIL() << "first differing pixel at " << x << "," << y;
        }
    }
    // The checkerboard alternates at every pixel of the screen.
    m_window->ShowPattern(Patterns::kCheckerboard);
    const QImage checker = Shot();
    for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x)
            ASSERT_EQ(checker.pixel(x, y) == qRgb(255, 255, 255), (x + y) % 2 == 0)
                << x << "," << y;
}

TEST_F(DevicePixelsTest, CellsMarkersAndDragWorkInDevicePixels) {
    m_window->Open(&m_view);
    const QSize device = m_window->ScreenSize();
    EXPECT_TRUE(m_window->CellRects() == CellMap::ComputeRects(device));
    const double ratio = m_window->devicePixelRatioF();

    // Each marker's control covers the 32 x 32 device pixels centred on its cell, and
    // less than one logical pixel more.
    const CMarkers& markers = *m_window->Markers();
    ASSERT_GT(markers.Count(), 0);
    for (int i = 0; i < markers.Count(); ++i) {
        SCOPED_TRACE(i);
        const CellMap::Rect& r = m_window->CellRects()[markers.Cell(i)];
        const QRect mark((r.left + r.right) / 2 - 16, (r.top + r.bottom) / 2 - 16, 32, 32);
        const QRect logical = markers.Geometry(i);
        EXPECT_LE(logical.left() * ratio, mark.left());
        EXPECT_GT((logical.left() + 1) * ratio, mark.left());
        EXPECT_LE(logical.top() * ratio, mark.top());
        EXPECT_GE((logical.left() + logical.width()) * ratio, mark.left() + 32);
        EXPECT_LT((logical.left() + logical.width() - 1) * ratio, mark.left() + 32);
    }

    // The marker's frame is drawn one frame pixel per screen pixel: what it paints spans
    // at most 32 device pixels, and more than one logical pixel's worth.
    QImage frame = markers.Control(0)->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QRect painted;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (qAlpha(frame.pixel(x, y)) != 0 && (frame.pixel(x, y) & 0xFFFFFF) != 0)
                painted |= QRect(x, y, 1, 1);
    EXPECT_GT(painted.width(), 16);
    EXPECT_LE(painted.width(), 32);
    EXPECT_LE(painted.height(), 32);

    // Hovering finds the cell under the device pixel, at the very edge of a cell too.
    const int cell = CellMap::Index(11, 21);
    const CellMap::Rect& r = m_window->CellRects()[cell];
    m_window->Move(QPoint(r.left, r.top));
    EXPECT_EQ(m_window->CurrentCell(), cell);
    m_window->Move(QPoint(r.right - 1, r.bottom - 1));
    EXPECT_EQ(m_window->CurrentCell(), cell);

    // The position handle steps 4 for 30 device pixels and 1 for 10, as at a factor of 1.
    const int hpos = m_rig.sim.Value(kHPos), vpos = m_rig.sim.Value(kVPos);
    const QPoint at = CentreOf(19);
    m_window->Press(at);
    ASSERT_TRUE(m_window->IsDragging());
    EXPECT_EQ(m_window->Anchor(), at);
    m_window->Move(at + QPoint(30, 0));
    Settle();
    EXPECT_EQ(m_rig.sim.Value(kHPos), hpos + 4);
    m_window->Move(at + QPoint(0, -10));
    Settle();
    EXPECT_EQ(m_rig.sim.Value(kVPos), vpos + 1);
    m_window->Move(at + QPoint(-20, 0));
    Settle();
    EXPECT_EQ(m_rig.sim.Value(kHPos), hpos + 3);
    // The drag animation sits on the anchor in device pixels.
    const QRect clip = m_window->DragAnimation()->geometry();
    EXPECT_LE(clip.left() * ratio, at.x() - 16);
    EXPECT_GT((clip.left() + 1) * ratio, at.x() - 16);
    m_window->Press(at);
    EXPECT_FALSE(m_window->IsDragging());
    m_window->OnCancel();
    EXPECT_EQ(m_rig.sim.Value(kHPos), hpos);
}
