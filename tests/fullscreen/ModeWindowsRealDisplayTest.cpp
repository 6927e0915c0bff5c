// The full-screen adjustment among the program's other windows, through the display's own
// input path with a window manager: markers under the pointer, notices, help windows,
// dialogs, the popup menu and message boxes, each followed by what the monitor then holds.

#include "FullScreenInput.h"

#include "fullscreen/HandleLayout.h"

#include <QSettings>

using namespace FullScreenReal;
using namespace std::chrono_literals;

namespace {

constexpr int kParallelogram = 14;
constexpr int kPosition = 19;

// A display with openbox, the simulator and the program started.
class ModeWindowsRealDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        QELT32_SKIP_WITHOUT_REAL_DISPLAY(true);
        CRealDisplay::Options options;
        options.windowManager = true;
        m_display = std::make_unique<CRealDisplay>(options);
        ASSERT_TRUE(m_display->Start()) << m_display->Error().toStdString();
        // A run before this one has saved the frame's place, unless this is the first use.
        if (!FirstUse())
            QSettings(m_display->ProfileFile(), QSettings::IniFormat)
                .setValue("Settings/Resolution", "1024 0768 0010 0010");
        ASSERT_TRUE(m_display->StartProgram()) << m_display->Error().toStdString();
        m_input = std::make_unique<FullScreenInput>(*m_display);
        m_hpos = m_display->SimValue("hpos");
        ASSERT_GE(m_hpos, 10);
    }

    virtual bool FirstUse() const { return false; }
    // The mode is on: its window shows and the frame does not.
    bool ModeOn() { return !m_input->FullScreenWindow().isEmpty() && !m_input->FrameShown(); }
    // Hovers the top-left position handle and steps it right with the arrow key.
    bool StepPositionRight(int expectedHpos) {
        return m_input->MoveTo(CellOf(kPosition) + QPoint(3, 0)) &&
               m_input->MoveTo(CellOf(kPosition)) && m_display->Key("Right") &&
               m_display->WaitForSimValue("hpos", expectedHpos);
    }
    // The dialog or box whose title matches, other than the full-screen window.
    QString OtherWindow(const QString& title) {
        const QString fullScreen = m_input->FullScreenWindow();
        for (const QString& id : m_input->Windows(title))
            if (id != fullScreen)
                return id;
        return {};
    }
    bool Above(const QString& upper, const QString& lower) {
        const QStringList stacking = m_input->Stacking();
        return stacking.indexOf(upper) > stacking.indexOf(lower) && stacking.contains(lower);
    }

    std::unique_ptr<CRealDisplay> m_display;
    std::unique_ptr<FullScreenInput> m_input;
    int m_hpos = 0;
};

class FirstUseRealDisplayTest : public ModeWindowsRealDisplayTest {
protected:
    bool FirstUse() const override { return true; }
};

} // namespace

TEST_F(ModeWindowsRealDisplayTest, AMarkerUnderThePointerMakesItsCellCurrent) {
    // The first marker of a parallelogram handle (at the top centre), pointed at its
    // middle, after hovering the position handle.
    const CellMap::Rects rects = CellMap::ComputeRects(kScreen);
    CellMap::Kinds kinds{};
    CellMap::BuildKinds(kinds, CellMap::kGeometry, 1, true, true);
    QPoint marker;
    for (int cell : HandleLayout::MarkerCells(1))
        if (kinds[std::size_t(cell)] == kParallelogram && marker.isNull()) {
            const CellMap::Rect& r = rects[std::size_t(cell)];
            marker = {r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
        }
    ASSERT_FALSE(marker.isNull());
    const int paralle = m_display->SimValue("paralle"), vpos = m_display->SimValue("vpos");

    ASSERT_TRUE(m_input->Open());
    ASSERT_TRUE(StepPositionRight(m_hpos + 1));
    ASSERT_TRUE(m_input->MoveTo(marker + QPoint(0, 8)));
    ASSERT_TRUE(m_input->MoveTo(marker));
    ASSERT_TRUE(m_display->Key("Right"));
    EXPECT_TRUE(CRealDisplay::WaitUntil(
        [&] { return std::abs(m_display->SimValue("paralle") - paralle) == 1; }));
    EXPECT_EQ(m_display->SimValue("hpos"), m_hpos + 1);
    EXPECT_EQ(m_display->SimValue("vpos"), vpos);

    // A click on the marker grabs its handle.
    ASSERT_TRUE(m_input->Click());
    ASSERT_TRUE(m_input->MoveBy(30, 0));
    EXPECT_TRUE(CRealDisplay::WaitUntil(
        [&] { return std::abs(m_display->SimValue("paralle") - paralle) == 5; }));
    ASSERT_TRUE(m_input->Click());
}

TEST_F(ModeWindowsRealDisplayTest, AutoSizingFromTheMenuLeavesTheModeOpenAndWritesNothingBack) {
    ASSERT_TRUE(m_input->Open());
    ASSERT_TRUE(StepPositionRight(m_hpos + 1));
    // Off-centre behind the program's back, so that the sizing shows in the monitor.
    m_display->SimCommand("set hpos 3");
    ASSERT_TRUE(
        m_input->Menu(CellOf(kPosition, CellMap::kGeometry, true), AdjustMenu::kAutoSizing));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return m_display->SimValue("hpos") != 3; }, 20s));
    const int sized = m_display->SimValue("hpos");
    // The notice ends by itself once the monitor has had its 3 s to size the picture; the
    // mode goes on, with the sized picture.
    QThread::msleep(5000);
    EXPECT_TRUE(ModeOn());
    EXPECT_EQ(m_display->SimValue("hpos"), sized);

    ASSERT_TRUE(StepPositionRight(sized + 1));
    ASSERT_TRUE(m_display->Key("Escape"));
    ASSERT_TRUE(m_input->Left());
    EXPECT_TRUE(m_display->WaitForSimValue("hpos", m_hpos));
}

TEST_F(FirstUseRealDisplayTest, HelpOpensAboveTheModeAndClosingItKeepsTheMode) {
    // The first use: the help page over the crosshatch, with the keys.
    ASSERT_TRUE(m_input->Open(true));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return !m_input->HelpWindow().isEmpty(); }));
    const QString fullScreen = m_input->FullScreenWindow();
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return Above(m_input->HelpWindow(), fullScreen); }))
        << m_input->Stacking().join(' ').toStdString();
    ASSERT_TRUE(m_display->Key("Escape"));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return m_input->HelpWindow().isEmpty(); }));
    QThread::msleep(500);
    EXPECT_TRUE(ModeOn());
    ASSERT_TRUE(StepPositionRight(m_hpos + 1));

    // From the menu, closed by the window manager this time.
    ASSERT_TRUE(m_input->Menu(CellOf(kPosition, CellMap::kGeometry, true), AdjustMenu::kHelp));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return !m_input->HelpWindow().isEmpty(); }));
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return Above(m_input->HelpWindow(), fullScreen); }));
    ASSERT_TRUE(m_display->Xdotool({"windowclose", m_input->HelpWindow()}) ||
                m_display->Key("alt+F4"));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return m_input->HelpWindow().isEmpty(); }));
    QThread::msleep(500);
    EXPECT_TRUE(ModeOn());
    EXPECT_EQ(m_display->SimValue("hpos"), m_hpos + 1);
    ASSERT_TRUE(StepPositionRight(m_hpos + 2));
    ASSERT_TRUE(m_display->Key("Return"));
    ASSERT_TRUE(m_input->Left());
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return m_input->Stored("hpos") == m_hpos + 2; }));
}

TEST_F(ModeWindowsRealDisplayTest, KeysGoToTheModeAfterEachDialog) {
    ASSERT_TRUE(m_input->Open());
    int hpos = m_hpos;
    // Vertical linearity, moiré and convergence, each ended with Escape in the dialog.
    for (int command : {AdjustMenu::kVLinearity, AdjustMenu::kMoire, AdjustMenu::kConvergence}) {
        SCOPED_TRACE(command);
        ASSERT_TRUE(m_input->Menu(CellOf(kPosition, CellMap::kGeometry, true), command));
        QString dialog;
        ASSERT_TRUE(
            CRealDisplay::WaitUntil([&] { return !(dialog = OtherWindow(".")).isEmpty(); }));
        ASSERT_TRUE(m_display->Focus(dialog));
        ASSERT_TRUE(m_display->Key("Escape"));
        ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return OtherWindow(".").isEmpty(); }));
        ASSERT_TRUE(StepPositionRight(++hpos));
    }
    ASSERT_TRUE(m_display->Key("Escape"));
    ASSERT_TRUE(m_input->Left());
    EXPECT_TRUE(m_display->WaitForSimValue("hpos", m_hpos));
}

TEST_F(ModeWindowsRealDisplayTest, EscapeAfterADragOnTheModeClosesOnlyTheConvergenceDialog) {
    ASSERT_TRUE(m_input->Open());
    ASSERT_TRUE(StepPositionRight(m_hpos + 1));
    ASSERT_TRUE(
        m_input->Menu(CellOf(kPosition, CellMap::kGeometry, true), AdjustMenu::kConvergence));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return !OtherWindow(".").isEmpty(); }));
    // A drag on the mode's window while the dialog is open.
    const int hconv = m_display->SimValue("hconv");
    const QPoint handle = CellOf(16, CellMap::kConvergenceAll, true);
    ASSERT_TRUE(m_display->Click(handle.x(), handle.y()));
    ASSERT_TRUE(m_input->MoveBy(10, 0));
    EXPECT_TRUE(m_display->WaitForSimValue("hconv", hconv + 1));
    ASSERT_TRUE(m_input->Click());

    // Escape ends the dialog only; the mode goes on with the step made before it.
    ASSERT_TRUE(m_display->Key("Escape"));
    ASSERT_TRUE(CRealDisplay::WaitUntil([&] { return OtherWindow(".").isEmpty(); }));
    QThread::msleep(500);
    EXPECT_TRUE(ModeOn());
    EXPECT_EQ(m_display->SimValue("hpos"), m_hpos + 1);
    ASSERT_TRUE(m_display->Key("Escape"));
    ASSERT_TRUE(m_input->Left());
    EXPECT_TRUE(m_display->WaitForSimValue("hpos", m_hpos));
}

TEST_F(ModeWindowsRealDisplayTest, OnlyTheClickThatClosesTheMenuIsSwallowed) {
    ASSERT_TRUE(m_input->Open());
    const QPoint position = CellOf(kPosition);
    const QPoint farPosition = CellOf(kPosition, CellMap::kGeometry, true);

    // Closed by a click outside it, on another handle: that click grabs nothing, the next
    // one grabs.
    ASSERT_TRUE(m_input->MoveTo({kScreen.width() / 2, kScreen.height() / 2}));
    ASSERT_TRUE(m_display->Xdotool({"click", "3"}));
    QThread::msleep(300);
    ASSERT_TRUE(m_display->Click(farPosition.x(), farPosition.y()));
    QThread::msleep(300);
    ASSERT_TRUE(m_input->MoveBy(-30, 0));
    QThread::msleep(300);
    EXPECT_EQ(m_display->SimValue("hpos"), m_hpos);
    ASSERT_TRUE(m_display->Click(position.x(), position.y()));
    ASSERT_TRUE(m_input->MoveBy(30, 0));
    EXPECT_TRUE(m_display->WaitForSimValue("hpos", m_hpos + 4));
    ASSERT_TRUE(m_input->Click());

    // Closed with Escape: the next click is the one swallowed.
    ASSERT_TRUE(m_input->MoveTo({kScreen.width() / 2, kScreen.height() / 2}));
    ASSERT_TRUE(m_display->Xdotool({"click", "3"}));
    QThread::msleep(300);
    ASSERT_TRUE(m_display->Key("Escape"));
    QThread::msleep(300);
    ASSERT_TRUE(m_display->Click(position.x(), position.y()));
    ASSERT_TRUE(m_input->MoveBy(30, 0));
    QThread::msleep(300);
    EXPECT_EQ(m_display->SimValue("hpos"), m_hpos + 4);
    ASSERT_TRUE(m_display->Click(position.x(), position.y()));
    ASSERT_TRUE(m_input->MoveBy(-30, 0));
    EXPECT_TRUE(m_display->WaitForSimValue("hpos", m_hpos));
    ASSERT_TRUE(m_input->Click());
    ASSERT_TRUE(m_display->Key("Escape"));
    ASSERT_TRUE(m_input->Left());
}

TEST_F(ModeWindowsRealDisplayTest, AMessageDuringADragFreesThePointerAndEndsTheDrag) {
    ASSERT_TRUE(m_input->Open());
    const QPoint position = CellOf(kPosition);
    ASSERT_TRUE(m_display->Click(position.x(), position.y()));
    // The monitor falls silent: the step's read-back fails and 61207 is shown.
    m_display->SimCommand("drop 1000");
    ASSERT_TRUE(m_input->MoveBy(30, 0));
    QString box;
    ASSERT_TRUE(CRealDisplay::WaitUntil(
        [&] { return !(box = OtherWindow("^Vistrel Pro$")).isEmpty(); }, 30s));
    m_display->SimCommand("drop 0");
    QString geometry;
    ASSERT_TRUE(m_display->Xdotool({"getwindowgeometry", "--shell", box}, &geometry));
    const auto field = [&](const char* name) {
        const QRegularExpression re(QStringLiteral("%1=(\\d+)").arg(name));
        return re.match(geometry).captured(1).toInt();
    };
    // Its one button, OK, at the bottom right: a click there closes the box.
    ASSERT_TRUE(m_display->Xdotool({"mousemove", "--window", box, "--sync",
                                    QString::number(field("WIDTH") - 50),
                                    QString::number(field("HEIGHT") - 22)}));
    QThread::msleep(300);
    ASSERT_TRUE(m_display->Screenshot(qEnvironmentVariable("QELT32_SHOT_DIR", "/tmp") +
                                      "/fullscreen-61207-during-drag.png"));
    ASSERT_TRUE(m_input->Click());
    EXPECT_TRUE(CRealDisplay::WaitUntil([&] { return OtherWindow("^Vistrel Pro$").isEmpty(); }));

    // The drag is over: moving does nothing; a new click grabs again.
    const int hpos = m_display->SimValue("hpos");
    ASSERT_TRUE(m_input->MoveBy(30, 0));
    QThread::msleep(300);
    EXPECT_EQ(m_display->SimValue("hpos"), hpos);
    ASSERT_TRUE(m_display->Click(position.x(), position.y()));
    ASSERT_TRUE(m_input->MoveBy(30, 0));
    EXPECT_TRUE(m_display->WaitForSimValue("hpos", hpos + 4));
    ASSERT_TRUE(m_input->Click());
    ASSERT_TRUE(m_display->Key("Escape"));
    ASSERT_TRUE(m_input->Left());
}
