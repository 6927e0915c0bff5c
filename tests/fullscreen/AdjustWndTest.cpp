#include "fullscreen/AdjustWnd.h"
#include "fullscreen/Combination.h"
#include "fullscreen/Patterns.h"
#include "link/Monitor.h"
#include "platform/PortMap.h"
#include "platform/Profile.h"
#include "sim/LoopbackPort.h"
#include "sim/SimMonitor.h"

#include "RecordingMessages.h"
#include "RenderPattern.h"
#include "TempProfile.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr int kHSize = 2;
constexpr int kTilt = 22;

// The window with its paints counted and its palette removable, as when the palette could
// not be made.
class CObservedAdjustWnd : public CAdjustWnd {
public:
    using CAdjustWnd::CAdjustWnd;
    void DropPalette() { m_pPalette.reset(); }
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++paints;
        CAdjustWnd::paintEvent(event);
    }
};

class AdjustWndTest : public ::testing::Test {
protected:
    // A controller that found the simulated monitor and read every group, as at start-up.
    void Connect(const QString& profile, const std::function<void(CSimMonitor&)>& tweak = {}) {
        m_sim = std::make_unique<CSimMonitor>(*SimProfile::ByName(profile));
        if (tweak)
            tweak(*m_sim);
        m_port.Attach(PortMap().Path(0), m_sim.get());
        m_monitor.SetSerialPort(&m_port);
        ASSERT_TRUE(m_monitor.Connect());
        ASSERT_TRUE(m_monitor.ReadBrightContrast() && m_monitor.ReadGeometry() &&
                    m_monitor.ReadConvergence() && m_monitor.ReadColor() && m_monitor.ReadModes());
    }

    static QImage Shot(QWidget& window) {
        return window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    static QSize Screen() { return QGuiApplication::primaryScreen()->geometry().size(); }

    CTempProfile m_profile;
    CRecordingMessages m_messages;
    std::unique_ptr<CSimMonitor> m_sim;
    CLoopbackPort m_port;
    CMonitor m_monitor;
};

} // namespace

TEST_F(AdjustWndTest, HandleLayoutFollowsPinTopAndModel) {
    struct Case {
        const char* profile;
        bool pinTop;
        int layout;
        int markers;
    };
    for (const Case& c : {Case{"revC", false, 1, 25}, Case{"tr4427", false, 0, 16},
                          Case{"layout2", true, 2, 25}, Case{"tr4427", true, 2, 25}}) {
        SCOPED_TRACE(std::string(c.profile) + (c.pinTop ? " with pin top" : ""));
        CSimMonitor sim(*SimProfile::ByName(c.profile));
        sim.SetAvailable(11, c.pinTop);
        CLoopbackPort port;
        port.Attach(PortMap().Path(0), &sim);
        CMonitor monitor; // last, so it closes its port while the port still exists
        monitor.SetSerialPort(&port);
        ASSERT_TRUE(monitor.Connect() && monitor.ReadGeometry());

        CAdjustWnd window(monitor);
        EXPECT_EQ(window.Layout(), c.layout);
        EXPECT_EQ(window.MarkerCount(), c.markers);
        EXPECT_EQ(window.MarkerCell(0), 1);
        EXPECT_EQ(window.MarkerCell(c.markers - 1), 711);
    }
}

TEST_F(AdjustWndTest, CombinationSwitchesRoundTripThroughProfile) {
    Connect("revC");
    {
        CAdjustWnd window(m_monitor);
        EXPECT_TRUE(window.DistortionCombo());
        EXPECT_TRUE(window.SizeCombo());
    }
    // Defaults are written out at the end.
    EXPECT_EQ(Profile::GetInt("Settings", "congro", -1), 1);
    EXPECT_EQ(Profile::GetInt("Settings", "poscongro", -1), 1);

    Profile::WriteInt("Settings", "congro", 0);
    {
        CAdjustWnd window(m_monitor);
        EXPECT_FALSE(window.DistortionCombo());
        EXPECT_TRUE(window.SizeCombo());
    }
    EXPECT_EQ(Profile::GetInt("Settings", "congro", -1), 0);
    EXPECT_EQ(Profile::GetInt("Settings", "poscongro", -1), 1);
}

TEST_F(AdjustWndTest, CombinationCoefficientsStartAtZero) {
    Connect("revC");
    g_comboCoef[3] = 2.5;
    g_comboCoef[15] = -1.0;
    CAdjustWnd window(m_monitor);
    for (double k : g_comboCoef)
        EXPECT_EQ(k, 0.0);
}

TEST_F(AdjustWndTest, ShowPatternRepaintsOnlyOnChangeOrWhenHidden) {
    Connect("revC");
    CObservedAdjustWnd window(m_monitor);
    EXPECT_FALSE(window.isVisible());

    window.ShowPattern(Patterns::kCrosshatch);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Pattern(), Patterns::kCrosshatch);
    EXPECT_EQ(window.geometry(), QRect(QPoint(0, 0), Screen()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.paints >= 1; }, 20000));

    window.paints = 0;
    window.ShowPattern(Patterns::kCrosshatch);
    QApplication::processEvents();
    EXPECT_EQ(window.paints, 0);

    window.ShowPattern(Patterns::kGreyScale);
    EXPECT_EQ(window.paints, 1); // at once, not at the next turn of the event loop
    EXPECT_EQ(window.Pattern(), Patterns::kGreyScale);

    // Hidden, the same number shows the window again.
    window.hide();
    window.paints = 0;
    window.ShowPattern(Patterns::kGreyScale);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.paints >= 1; }, 20000));
}

TEST_F(AdjustWndTest, PaintsPatternsOverTheWholeScreen) {
    Connect("revC");
    CAdjustWnd window(m_monitor);
    const QSize screen = Screen();

    for (int pattern : {Patterns::kCrosshatch, Patterns::kTextRows, Patterns::kCheckerboard}) {
        window.ShowPattern(pattern);
        EXPECT_EQ(Shot(window), RenderPattern(pattern, screen, true, true)) << pattern;
    }
    window.ShowPattern(99);
    EXPECT_EQ(Shot(window), RenderPattern(99, screen, true, true));
    EXPECT_EQ(window.ScreenSize(), screen);
}

TEST_F(AdjustWndTest, CrosshatchBringsTheCellRectsUpToDate) {
    Connect("revC");
    CAdjustWnd window(m_monitor);
    // Ready for the markers as soon as the crosshatch is asked for, before any paint.
    window.ShowPattern(Patterns::kCrosshatch);
    EXPECT_TRUE(window.CellRects() == CellMap::ComputeRects(Screen()));
}

TEST_F(AdjustWndTest, ConvergencePatternAsksTheMonitor) {
    // Without vertical convergence the horizontal lines stay white.
    Connect("revC", [](CSimMonitor& sim) { sim.SetAvailable(17, false); });
    CAdjustWnd window(m_monitor);
    window.ShowPattern(Patterns::kConvergence);
    EXPECT_EQ(Shot(window), RenderPattern(Patterns::kConvergence, Screen(), true, false));
}

TEST_F(AdjustWndTest, GreyScaleWithoutPaletteIsBlack) {
    Connect("revC");
    CObservedAdjustWnd window(m_monitor);
    window.DropPalette();
    window.ShowPattern(Patterns::kGreyScale);
    EXPECT_EQ(Shot(window), RenderPattern(0, Screen(), true, true));
}

// The adjustment mode, opened from the main frame's view on a revision-C monitor, with
// size and tilt moved away from their values at opening.
class AdjustModeTest : public AdjustWndTest {
protected:
    void SetUp() override {
        Connect("revC");
        m_window = std::make_unique<CAdjustWnd>(m_monitor);
        m_window->SetMainWindow(&m_frame);
        m_frame.show();
        m_hsize = m_monitor.Item(kHSize).current;
        m_tilt = m_monitor.Item(kTilt).current;

        m_window->Open(&m_view);
        ASSERT_TRUE(m_monitor.WriteItem(kHSize, m_hsize + 10));
        ASSERT_TRUE(m_monitor.WriteItem(kTilt, m_tilt - 5));
        m_monitor.SetNotifyWindow(&m_dialog); // a dialog run from the mode registered itself
    }

    void ExpectLeft() {
        EXPECT_FALSE(m_window->IsActive());
        EXPECT_FALSE(m_window->isVisible());
        EXPECT_TRUE(m_frame.isVisible());
        EXPECT_EQ(m_monitor.GetNotifyWindow(), &m_view);
    }

    QWidget m_frame;
    QObject m_view;
    QObject m_dialog;
    std::unique_ptr<CAdjustWnd> m_window;
    std::uint16_t m_hsize = 0;
    std::uint16_t m_tilt = 0;
};

TEST_F(AdjustModeTest, OpenHidesTheFrameAndShowsTheCrosshatch) {
    EXPECT_TRUE(m_window->IsActive());
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_FALSE(m_frame.isVisible());
    EXPECT_EQ(m_window->Pattern(), Patterns::kCrosshatch);
}

TEST_F(AdjustModeTest, EscapeRevertsGeometryAndTilt) {
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QApplication::processEvents();
    ExpectLeft();
    EXPECT_EQ(m_monitor.Item(kHSize).current, m_hsize);
    EXPECT_EQ(m_sim->Value(kHSize), m_hsize);
    EXPECT_EQ(m_sim->Value(kTilt), m_tilt);
    EXPECT_EQ(m_sim->StoreCount(), 0);
}

TEST_F(AdjustModeTest, EnterKeepsGeometryAndStoresIt) {
    QTest::keyClick(m_window.get(), Qt::Key_Return);
    QApplication::processEvents();
    ExpectLeft();
    EXPECT_EQ(m_sim->StoreCount(), 1);
    EXPECT_EQ(m_sim->Value(kHSize), m_hsize + 10);
    EXPECT_EQ(m_monitor.Item(kHSize).stored, m_hsize + 10);
    EXPECT_EQ(m_monitor.Item(kTilt).stored, m_tilt - 5);
}

TEST_F(AdjustModeTest, CloseCancelsTheMode) {
    m_window->close(); // Alt+F4
    QApplication::processEvents();
    ExpectLeft();
    EXPECT_EQ(m_sim->Value(kHSize), m_hsize);
}

TEST_F(AdjustWndTest, TestPatternScreenIgnoresOkAndCancel) {
    Connect("revC");
    CAdjustWnd window(m_monitor);
    QWidget frame;
    window.SetMainWindow(&frame);
    window.ShowPattern(Patterns::kGreyScale);
    const int writes = m_sim->SetValueCount(kHSize);

    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(m_sim->StoreCount(), 0);
    EXPECT_EQ(m_sim->SetValueCount(kHSize), writes);
}
