#include "fullscreen/Markers.h"

#include "fullscreen/HandleLayout.h"
#include "platform/AnimateCtrl.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class MarkersTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.resize(1024, 768);
        m_window.show();
        m_rects = CellMap::ComputeRects(QSize(1024, 768));
        m_kinds.fill(19);
        for (int i = 0; i < m_markers.Count(); ++i)
            m_kinds[static_cast<std::size_t>(m_markers.Cell(i))] =
                static_cast<std::uint8_t>(i % 16);
    }

    bool AllOpen() const {
        for (int i = 0; i < m_markers.Count(); ++i)
            if (!m_markers.Control(i)->IsOpen() || !m_markers.Control(i)->IsPlaying())
                return false;
        return true;
    }
    int OpenCount() const {
        int n = 0;
        for (int i = 0; i < m_markers.Count(); ++i)
            n += m_markers.Control(i)->IsOpen();
        return n;
    }

    QWidget m_window;
    CMarkers m_markers{&m_window, HandleLayout::MarkerCells(1)};
    CellMap::Rects m_rects{};
    CMarkers::Kinds m_kinds{};
};

} // namespace

TEST_F(MarkersTest, StartPlaysEachKindsClipCentredOnItsCell) {
    ASSERT_EQ(m_markers.Count(), 25);
    EXPECT_EQ(m_markers.OnCell(1), 0);
    EXPECT_EQ(m_markers.OnCell(711), 24);
    EXPECT_EQ(m_markers.OnCell(2), -1);
    for (int i = 0; i < m_markers.Count(); ++i)
        EXPECT_FALSE(m_markers.Control(i)->isVisible());

    m_markers.Start(m_rects, m_kinds);
    EXPECT_TRUE(AllOpen());
    for (int i = 0; i < m_markers.Count(); ++i) {
        SCOPED_TRACE(i);
        const CellMap::Rect& cell = m_rects[static_cast<std::size_t>(m_markers.Cell(i))];
        const QRect place = m_markers.Geometry(i);
        EXPECT_EQ(m_markers.Control(i)->ClipNumber(), 10 + i % 16);
        EXPECT_EQ(place.size(), QSize(32, 32));
        EXPECT_EQ(place.left(), cell.left + (cell.right - cell.left) / 2 - 16);
        EXPECT_EQ(place.top(), cell.top + (cell.bottom - cell.top) / 2 - 16);
        EXPECT_TRUE(m_markers.Control(i)->isVisible());
    }
}

TEST_F(MarkersTest, RestartChangesOnlyTheAffectedClips) {
    m_markers.Start(m_rects, m_kinds);
    const QRect place = m_markers.Geometry(3);
    m_markers.SetVisible(false);
    // Marker 3's cell becomes kind 26; marker 4's (kind 4) is not asked for.
    m_kinds[static_cast<std::size_t>(m_markers.Cell(3))] = 26;
    m_markers.Restart(m_kinds, [](int kind) { return kind == 26 || kind == 2; });
    EXPECT_EQ(m_markers.Control(3)->ClipNumber(), 36);
    EXPECT_EQ(m_markers.Control(2)->ClipNumber(), 12);
    EXPECT_EQ(m_markers.Control(4)->ClipNumber(), 14);
    EXPECT_TRUE(m_markers.Control(3)->IsPlaying());
    EXPECT_EQ(m_markers.Geometry(3), place);
    EXPECT_FALSE(m_markers.Control(3)->isVisible());
}

TEST_F(MarkersTest, LeavingStopsOnePerTick) {
    m_markers.Start(m_rects, m_kinds);
    EXPECT_FALSE(m_markers.StopPending());
    m_markers.StopOneByOne();
    EXPECT_TRUE(m_markers.StopPending());
    EXPECT_EQ(m_markers.StopIndex(), 0);
    EXPECT_EQ(OpenCount(), 25); // nothing stopped before the first tick

    ASSERT_TRUE(QTest::qWaitFor([&] { return m_markers.StopIndex() >= 1; }, 20000));
    EXPECT_EQ(OpenCount(), 25 - m_markers.StopIndex());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_markers.StopPending(); }, 20000));
    EXPECT_EQ(OpenCount(), 0);
    EXPECT_EQ(m_markers.StopIndex(), 25);
}

TEST_F(MarkersTest, StartingAgainBeforeTheTicksCallsThemOff) {
    m_markers.Start(m_rects, m_kinds);
    m_markers.StopOneByOne();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_markers.StopIndex() >= 3; }, 20000));
    ASSERT_TRUE(m_markers.StopPending());

    m_markers.CancelPendingStops();
    m_markers.Start(m_rects, m_kinds);
    EXPECT_FALSE(m_markers.StopPending());
    EXPECT_TRUE(AllOpen());
    // The timer that was running does not come back to stop the new ones.
    QTest::qWait(30);
    EXPECT_TRUE(AllOpen());
}

TEST_F(MarkersTest, ClosingStopsThePendingOnesAtOnce) {
    m_markers.Start(m_rects, m_kinds);
    m_markers.StopPendingNow(); // nothing pending: the markers go on
    EXPECT_TRUE(AllOpen());

    m_markers.StopOneByOne();
    m_markers.StopPendingNow();
    EXPECT_EQ(OpenCount(), 0);
    EXPECT_FALSE(m_markers.StopPending());
}
