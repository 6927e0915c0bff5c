// The full-screen adjustment as a Wayland client of a headless sway, driven through the
// compositor's own input path (the virtual pointer, wtype): the mode's window is full-screen
// on the output, a drag goes on past the output's edge, Escape with the Convergence dialog
// open ends only the dialog.

#include "ChildProcess.h"
#include "FullScreenInput.h"
#include "SwayDisplay.h"
#include "platform/StringTable.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr QSize kOutput(1280, 1024);
constexpr int kPosition = 19;

// Runs in a session with the accessibility bus (screen-reader-session.sh, where ctest runs
// these tests when the tools are there): what a screen reader reads can be checked.
bool ScreenReaderSession() {
    return qEnvironmentVariableIsSet("QELT32_IN_SCREEN_READER_SESSION");
}

void CollectToolTips(const QJsonObject& node, QStringList& found) {
    if (node.value("role").toString() == QLatin1String("tool tip"))
        found << node.value("name").toString();
    for (const QJsonValue& child : node.value("children").toArray())
        CollectToolTips(child.toObject(), found);
}

class FullScreenWaylandTest : public ::testing::Test {
protected:
    void SetUp() override {
        QELT32_SKIP_WITHOUT_SWAY();
        m_sway.SetPointerLocks(PointerLocks());
        m_sway.SetScale(Scale());
        m_sway.SetAccessibility(ScreenReaderSession());
        m_sway.HideGlobals(HiddenGlobals());
        // Only a compositor that cannot start at all on this machine skips the test.
        if (!m_sway.StartCompositor())
            GTEST_SKIP() << "sway cannot start here: " << m_sway.Error().toStdString();
        ASSERT_TRUE(m_sway.Start()) << m_sway.Error().toStdString();
        // The frame has saved its place before: no first-use help window.
        QDir().mkpath(QFileInfo(m_sway.ProfileFile()).path());
        QFile profile(m_sway.ProfileFile());
        ASSERT_TRUE(profile.open(QIODevice::WriteOnly));
        profile.write(QStringLiteral("[Settings]\nResolution=\"%1,%2,10,10\"\n")
                          .arg(Layout().width())
                          .arg(Layout().height())
                          .toUtf8());
        profile.close();
        ASSERT_TRUE(m_sway.StartProgram()) << m_sway.Error().toStdString();
    }

    virtual bool PointerLocks() const { return true; }
    virtual QStringList HiddenGlobals() const { return {}; }
    // The output's scale: its 1280 x 1024 pixels make a layout of this many times fewer.
    virtual int Scale() const { return 1; }
    QSize Layout() const { return kOutput / Scale(); }
    // Alt+S in the frame; asked again when a first key came before the frame was ready for
    // it (Alt+S does nothing in the mode).
    bool Open() {
        for (int attempt = 0; attempt < 3; ++attempt)
            if (m_sway.Key(QStringLiteral("s"), {QStringLiteral("alt")}) &&
                CRealDisplay::WaitUntil([&] { return FullScreen().has_value(); }, 10s))
                return true;
        return false;
    }
    // The mode's window, when sway shows it full-screen over the whole output (sway gives
    // its place in the layout's coordinates).
    std::optional<QJsonObject> FullScreen() {
        for (const QJsonObject& window : m_sway.Windows(QStringLiteral("^Vistrel Pro$"))) {
            const QJsonObject rect = window.value("rect").toObject();
            if (window.value("fullscreen_mode").toInt() == 1 && rect.value("x").toInt() == 0 &&
                rect.value("y").toInt() == 0 && rect.value("width").toInt() == Layout().width() &&
                rect.value("height").toInt() == Layout().height())
                return window;
        }
        return std::nullopt;
    }

    // `p` in the output's own pixels (as a fraction of the output, whatever its scale).
    bool PointTo(QPoint p) {
        return m_sway.Pointer(QStringLiteral("abs %1 %2 %3 %4")
                                  .arg(p.x())
                                  .arg(p.y())
                                  .arg(kOutput.width())
                                  .arg(kOutput.height()));
    }
    QPoint Cell(int kind, int request = CellMap::kGeometry) {
        return FullScreenReal::CellOf(kind, request, false, kOutput);
    }
    // Points at the handle at `p` and grabs it with a click.
    bool Grab(QPoint p) { return PointTo(p) && m_sway.Pointer(QStringLiteral("click")); }
    // Escape leaves the mode as Cancel does: the monitor's hpos back to `hpos`, the mode's
    // window gone.
    void ExpectEscapeCancels(int hpos) {
        ASSERT_TRUE(m_sway.Key(QStringLiteral("Escape")));
        EXPECT_TRUE(WaitForSim("hpos", hpos));
        EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return !FullScreen(); }));
    }
    // Grabs the handle at `p`, moves the hand right by one step of `item` at once, before
    // the pointer lock can have taken hold, and lets go once the monitor has it.
    bool StepByDrag(QPoint p, const char* item) {
        const int before = Sim(item);
        if (!Grab(p))
            return false;
        return m_sway.Pointer(QStringLiteral("rel 20 0")) && WaitForSim(item, before + 1) &&
               m_sway.Pointer(QStringLiteral("click"));
    }
    // Opens the popup menu at `at` with the right button and chooses the command `id`
    // (AdjustMenu.h) with the keys.
    bool Menu(QPoint at, int id) {
        const int n = AdjustMenu::Position(id);
        if (n == 0 || !PointTo(at) || !m_sway.Pointer(QStringLiteral("rclick")))
            return false;
        QThread::msleep(300);
        QStringList keys;
        for (int i = 0; i < n; ++i)
            keys << QStringLiteral("Down");
        return m_sway.Key(keys.join(' ') + QStringLiteral(" Return"));
    }
    // The program's visible windows that are not full-screen: its dialogs while the mode
    // is on (the main window is hidden meanwhile).
    QList<QJsonObject> Dialogs() {
        QList<QJsonObject> found;
        for (const QJsonObject& window : m_sway.Windows(QStringLiteral(".")))
            if (window.value("fullscreen_mode").toInt() != 1)
                found << window;
        return found;
    }
    // The texts of the program's showing tool tips, as a screen reader reads them.
    QStringList ToolTips() {
        QProcess reader;
        if (!ChildProcess::RunBounded(
                reader, QStringLiteral("/usr/bin/python3"),
                {QStringLiteral(QELT32_ATSPI_TREE), QString::number(m_sway.ProgramPid())},
                QProcessEnvironment::systemEnvironment(), 30s))
            return {};
        QStringList found;
        for (const QJsonValue& window :
             QJsonDocument::fromJson(reader.readAllStandardOutput()).array())
            CollectToolTips(window.toObject(), found);
        return found;
    }
    // The drag clip's hint of the arrow keys shows, as a screen reader reads it: a tool tip.
    void ExpectArrowKeysHint() {
        if (!ScreenReaderSession())
            return;
        const QString hint = LoadAppStringEnglish(Str::DragArrowKeys);
        EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return ToolTips().contains(hint); }, 20s))
            << ToolTips().join('\n').toStdString();
    }
    int Sim(const char* item) { return m_sway.Sim().SimValue(QLatin1String(item)); }
    bool WaitForSim(const char* item, int value) {
        return m_sway.Sim().WaitForSimValue(QLatin1String(item), value);
    }
    CSwayDisplay m_sway;
};

// An output at scale 2, as a high-resolution screen is set up.
class ScaledOutputWaylandTest : public FullScreenWaylandTest {
protected:
    int Scale() const override { return 2; }
};

// A sway whose seat refuses pointer locks.
class WithoutPointerLocksWaylandTest : public FullScreenWaylandTest {
protected:
    bool PointerLocks() const override { return false; }
};

// A compositor, as the program sees it, without the pointer-lock and relative-motion
// protocols.
class WithoutTheProtocolsWaylandTest : public FullScreenWaylandTest {
protected:
    QStringList HiddenGlobals() const override {
        return {QStringLiteral("zwp_pointer_constraints_v1"),
                QStringLiteral("zwp_relative_pointer_manager_v1")};
    }
};

} // namespace

TEST_F(FullScreenWaylandTest, TheModeIsFullScreenOnTheOutput) {
    // Full-screen over the whole output, as sway's tree tells (not a tiled window), with
    // the keyboard, and the main frame hidden meanwhile.
    ASSERT_TRUE(Open());
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return FullScreen()->value("focused").toBool(); }));
    EXPECT_TRUE(CRealDisplay::WaitUntil(
        [&] { return m_sway.Windows(QStringLiteral("^Vistrel Pro -")).isEmpty(); }));
}

TEST_F(FullScreenWaylandTest, ALongDragGoesOnPastTheEdgeOfTheOutput) {
    // The drag follows the hand from the press, and the pointer is locked while the handle
    // is held: movements of 20 pixels to the right, the first made at once, each a step of
    // 1 as on X11, carry the hand 200 pixels past the output's right edge.
    ASSERT_TRUE(Open());
    const int hpos = Sim("hpos");
    const QPoint handle = Cell(kPosition);
    ASSERT_TRUE(Grab(handle));
    const int moves = (kOutput.width() - handle.x() + 200) / 20;
    for (int i = 1; i <= moves; ++i) {
        ASSERT_TRUE(m_sway.Pointer(QStringLiteral("rel 20 0")));
        ASSERT_TRUE(WaitForSim("hpos", hpos + i)) << "movement " << i << ": " << Sim("hpos");
    }
    // The lock held well past the mode's wait for it: no word of the arrow keys.
    if (ScreenReaderSession()) {
        EXPECT_FALSE(ToolTips().contains(LoadAppStringEnglish(Str::DragArrowKeys)));
    }
    // Let go and move back at once: the handle is no longer held, nothing more steps.
    ASSERT_TRUE(m_sway.Pointer(QStringLiteral("click")));
    ASSERT_TRUE(m_sway.Pointer(QStringLiteral("rel -40 0")));
    QThread::msleep(500);
    EXPECT_EQ(Sim("hpos"), hpos + moves);
    ExpectEscapeCancels(hpos);
}

TEST_F(FullScreenWaylandTest, EscapeAfterADragWithTheConvergenceDialogOpenClosesOnlyTheDialog) {
    // A step of the position handle by a drag, then the Convergence dialog from the popup
    // menu and a drag of a convergence handle on the mode's window while it is open.
    ASSERT_TRUE(Open());
    const int hpos = Sim("hpos");
    ASSERT_TRUE(StepByDrag(Cell(kPosition), "hpos"));
    const int contrast = Sim("contrast");
    ASSERT_TRUE(Menu(Cell(kPosition, CellMap::kGeometry), AdjustMenu::kConvergence));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return !Dialogs().isEmpty(); }));
    const int hconv = Sim("hconv");
    ASSERT_TRUE(
        StepByDrag(FullScreenReal::CellOf(16, CellMap::kConvergenceAll, true, kOutput), "hconv"));

    // Escape ends the dialog only, as its Cancel: convergence and contrast back as they
    // were, the mode goes on with the step made before it.
    ASSERT_TRUE(m_sway.Key(QStringLiteral("Escape")));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return Dialogs().isEmpty(); }));
    EXPECT_TRUE(WaitForSim("hconv", hconv));
    EXPECT_TRUE(WaitForSim("contrast", contrast));
    QThread::msleep(500);
    EXPECT_TRUE(FullScreen().has_value());
    EXPECT_EQ(Sim("hpos"), hpos + 1);
    // Escape again cancels the mode.
    ExpectEscapeCancels(hpos);
}

TEST_F(WithoutPointerLocksWaylandTest, AHeldHandleStepsWithTheArrowKeysWhenTheLockIsRefused) {
    // The lock is asked for and never given: once the mode has given up waiting for it, the
    // drag clip's hint tells of the arrow keys, and they step the held handle.
    ASSERT_TRUE(Open());
    const int hpos = Sim("hpos");
    ASSERT_TRUE(Grab(Cell(kPosition)));
    ExpectArrowKeysHint();
    ASSERT_TRUE(m_sway.Key(QStringLiteral("Right")));
    EXPECT_TRUE(WaitForSim("hpos", hpos + 1));
    ASSERT_TRUE(m_sway.Key(QStringLiteral("Right")));
    EXPECT_TRUE(WaitForSim("hpos", hpos + 2));
    // Let go; Escape puts the monitor back as it was.
    ASSERT_TRUE(m_sway.Pointer(QStringLiteral("click")));
    ExpectEscapeCancels(hpos);
}

TEST_F(ScaledOutputWaylandTest, TheDragCountsTheOutputsOwnPixels) {
    // The mode fills the output; the hand's movements are counted in the output's pixels,
    // two to each of the layout's: 10 to the right is a step of 1, 11 more a step of 4.
    ASSERT_TRUE(Open());
    const int hpos = Sim("hpos");
    ASSERT_TRUE(Grab(Cell(kPosition)));
    ASSERT_TRUE(m_sway.Pointer(QStringLiteral("rel 10 0")));
    ASSERT_TRUE(WaitForSim("hpos", hpos + 1)) << Sim("hpos");
    ASSERT_TRUE(m_sway.Pointer(QStringLiteral("rel 11 0")));
    ASSERT_TRUE(WaitForSim("hpos", hpos + 5)) << Sim("hpos");
    ASSERT_TRUE(m_sway.Pointer(QStringLiteral("click")));
    ExpectEscapeCancels(hpos);
}

TEST_F(WithoutTheProtocolsWaylandTest, TheDragCountsEachMoveFromTheLastAndTellsOfTheArrowKeys) {
    // Nothing to lock the pointer with: the drag clip tells of the arrow keys from the
    // grab, each movement of the pointer counts from the one before, as on X11 a step of 1
    // for 20 pixels, and the arrow keys step the held handle.
    ASSERT_TRUE(Open());
    const int hpos = Sim("hpos");
    ASSERT_TRUE(Grab(Cell(kPosition)));
    ExpectArrowKeysHint();
    for (int i = 1; i <= 3; ++i) {
        ASSERT_TRUE(m_sway.Pointer(QStringLiteral("rel 20 0")));
        ASSERT_TRUE(WaitForSim("hpos", hpos + i)) << "movement " << i << ": " << Sim("hpos");
    }
    ASSERT_TRUE(m_sway.Key(QStringLiteral("Right")));
    EXPECT_TRUE(WaitForSim("hpos", hpos + 4));
    ASSERT_TRUE(m_sway.Pointer(QStringLiteral("click")));
    ExpectEscapeCancels(hpos);
}
