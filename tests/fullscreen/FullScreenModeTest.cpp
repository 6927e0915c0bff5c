// The adjustment mode of the full-screen window, driven through its event handlers against
// a simulated monitor (offscreen: the pointer and the grab are the toolkit's own, not the
// display's; the real input path is the end-to-end test's).

#include "fullscreen/AdjustMenu.h"
#include "fullscreen/AdjustWnd.h"
#include "fullscreen/HandleKinds.h"
#include "fullscreen/Markers.h"
#include "fullscreen/ModeScreen.h"
#include "fullscreen/Patterns.h"
#include "platform/AnimateCtrl.h"
#include "platform/HelpWindow.h"
#include "platform/StringTable.h"

#include "SimulatedMonitor.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kHSize = 2, kHPos = 3, kVSize = 4, kVPos = 5, kTilt = 22;

// The window with its input handlers callable as the event loop calls them.
class CDrivenAdjustWnd : public CAdjustWnd {
public:
    using CAdjustWnd::CAdjustWnd;

    void Press(QPoint p, QEvent::Type type = QEvent::MouseButtonPress) {
        QMouseEvent event(type, p, mapToGlobal(p), Qt::LeftButton, Qt::LeftButton, {});
        type == QEvent::MouseButtonPress ? mousePressEvent(&event) : mouseDoubleClickEvent(&event);
    }
    void Move(QPoint p) {
        QMouseEvent event(QEvent::MouseMove, p, mapToGlobal(p), Qt::NoButton, {}, {});
        mouseMoveEvent(&event);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        keyPressEvent(&event);
    }
    void ContextMenu(QPoint p) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, p, mapToGlobal(p));
        contextMenuEvent(&event);
    }
};

// Runs what the handlers left queued (steps of a drag, posted OK and Cancel).
void Settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

CHelpWindow* FindHelpWindow(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "helpWindow:" + name && widget->isVisible())
            return qobject_cast<CHelpWindow*>(widget);
    return nullptr;
}

void CloseHelpWindows() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName().startsWith("helpWindow:"))
            widget->close();
    Settle();
}

// A program folder whose Display.ini holds `text` (nothing when empty), made the program
// folder for the object's lifetime.
class CProgramFolder {
public:
    explicit CProgramFolder(const QByteArray& text) {
        if (!text.isEmpty()) {
            QFile file(m_dir.filePath("Display.ini"));
            file.open(QIODevice::WriteOnly);
            file.write(text);
        }
        qputenv("QELT32_DATA_DIR", m_dir.path().toUtf8());
    }
    ~CProgramFolder() { qunsetenv("QELT32_DATA_DIR"); }

private:
    QTemporaryDir m_dir;
};

// Every simulated model's section, the revision-C monitor with factors of 2 and 1.
const QByteArray kCombinationFile = [] {
    QByteArray file;
    for (const char* model : {"VR-21C", "VR-17B", "VR-22C", "TR-4427"}) {
        const bool revC = QByteArray(model) == "VR-21C";
        file += QByteArray("[") + model + "]\n";
        file += revC ? "HSIZE,HPOS=2,1\nVSIZE,VPOS=2,1\n" : "HSIZE,HPOS=1,1\nVSIZE,VPOS=1,1\n";
        file += "TRAPE,PARALLE=1,1\nSIDE,PINBALA=1,1\nPINTOP,PINTOPBALA=1,1\n"
                "PINBOTTOM,PINBOTTOMBALA=1,1\nVLINEARBALA,VPOS=1,1\nVLINEAR,VSIZE=1,1\n";
    }
    return file;
}();

class FullScreenModeTest : public ::testing::Test {
protected:
    // The window created as at start-up on a monitor of `profile`, and the mode opened from
    // the main view.
    void Start(const char* profile, const QByteArray& combinationFile = kCombinationFile) {
        // One profile folder and one program folder at a time.
        m_window.reset();
        m_rig.reset();
        m_folder.reset();
        m_folder = std::make_unique<CProgramFolder>(combinationFile);
        m_rig = std::make_unique<CSimulatedMonitor>(QString::fromLatin1(profile));
        if (m_tweak)
            m_tweak(m_rig->sim);
        ASSERT_TRUE(m_rig->Start());
        Profile::WriteString("Settings", "Resolution", "1024,768,10,10");
        m_window = std::make_unique<CDrivenAdjustWnd>(m_rig->monitor);
        m_window->SetMainWindow(&m_frame);
        m_window->SetHelpPath(QStringLiteral(QELT32_TEST_BIN_DIR "/qelt32e.hlp"));
        m_window->Create();
        m_frame.show();
        for (int item = 2; item <= 15; ++item)
            m_opening[item] = m_rig->sim.Value(item);
        m_opening[kTilt] = m_rig->sim.Value(kTilt);
    }
    void Open() {
        m_window->Open(&m_view);
        m_rig->messages.Clear();
    }

    // The centre of the first cell with this kind (on the left or right half, when asked).
    QPoint CellOf(int kind, int side = 0) const {
        const QSize screen = m_window->ScreenSize();
        for (int cell = 0; cell < CellMap::kCount; ++cell) {
            const CellMap::Rect& r = m_window->CellRects()[cell];
            const QPoint centre((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            if (m_window->CellKinds()[cell] == kind &&
                (side == 0 || (side < 0) == (centre.x() < screen.width() / 2)))
                return centre;
        }
        ADD_FAILURE() << "no cell of kind " << kind;
        return {};
    }

    // Grabs at `at`, moves the pointer by each offset from the anchor, lets go.
    void Drag(QPoint at, std::initializer_list<QPoint> moves) {
        m_window->Press(at);
        ASSERT_TRUE(m_window->IsDragging());
        for (QPoint offset : moves) {
            m_window->Move(m_window->Anchor() + offset);
            Settle();
        }
        m_window->Press(at);
        ASSERT_FALSE(m_window->IsDragging());
    }

    std::uint16_t Sim(int item) const { return m_rig->sim.Value(item); }
    std::uint16_t Current(int item) const { return m_rig->monitor.Item(item).current; }

    void ExpectLeft() {
        EXPECT_FALSE(m_window->IsActive());
        EXPECT_FALSE(m_window->isVisible());
        EXPECT_TRUE(m_frame.isVisible());
        EXPECT_EQ(m_rig->monitor.GetNotifyWindow(), &m_view);
    }
    void ExpectOpeningGeometry() {
        for (int item = 2; item <= 15; ++item)
            EXPECT_EQ(Sim(item), m_opening[item]) << "item " << item;
        EXPECT_EQ(Sim(kTilt), m_opening[kTilt]);
    }

    std::function<void(CSimMonitor&)> m_tweak;
    std::unique_ptr<CProgramFolder> m_folder;
    std::unique_ptr<CSimulatedMonitor> m_rig;
    QWidget m_frame;
    QObject m_view;
    std::unique_ptr<CDrivenAdjustWnd> m_window;
    std::array<std::uint16_t, 23> m_opening{};
};

} // namespace

// The Screen submenu (on a display of two screens): another screen chosen moves the mode
// there and is remembered for this monitor, so the next opening covers it again.
TEST_F(FullScreenModeTest, TheScreenChosenInThePopupMenuIsRememberedForTheMonitor) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        GTEST_SKIP() << "one screen";
    Start("revC");
    Open();
    // The frame's screen first; the menu lists the screens in the display's order.
    const qsizetype first = screens.indexOf(m_frame.screen());
    const qsizetype other = first == 0 ? 1 : 0;
    EXPECT_EQ(m_window->geometry(), screens[first]->geometry());
    QMenu* menu = AdjustMenu::ScreenMenu(*m_window->PopupMenu());
    ASSERT_EQ(menu->actions().size(), screens.size());
    EXPECT_TRUE(menu->actions()[first]->isChecked());
    m_window->OnCommand(menu->actions()[other]->data().toInt());
    Settle();
    EXPECT_TRUE(m_window->IsActive());
    EXPECT_EQ(m_window->geometry(), screens[other]->geometry());
    EXPECT_TRUE(AdjustMenu::ScreenMenu(*m_window->PopupMenu())->actions()[other]->isChecked());
    m_window->OnCancel();
    Settle();
    Open();
    EXPECT_EQ(m_window->geometry(), screens[other]->geometry());
    m_window->OnCancel();
}

// A display whose screens are not all usable (one reported without pixels, as a screen
// switched off may be) and not all right of or below the origin: the mode never opens on a
// screen it cannot draw on, and on a screen at a negative position it covers that screen
// and drags as anywhere else.
TEST_F(FullScreenModeTest, ScreensWithoutPixelsAreNotOfferedAndNegativePositionsWork) {
    QScreen* left = nullptr;
    QScreen* empty = nullptr;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->geometry().isEmpty())
            empty = screen;
        else if (screen->geometry().left() < 0)
            left = screen;
    }
    if (!left || !empty)
        GTEST_SKIP() << "no screen without pixels or left of the origin";
    Start("revC");
    // A choice remembered for a screen without pixels is passed over.
    CModeScreen::SetChosenName(m_rig->monitor.GetSerialText(), empty->name());
    m_frame.windowHandle()->setScreen(left);
    m_frame.move(left->geometry().topLeft() + QPoint(40, 40));
    Settle();
    ASSERT_EQ(m_frame.screen(), left);
    Open();
    EXPECT_EQ(m_window->geometry(), left->geometry());
    EXPECT_EQ(m_window->ScreenSize(), left->geometry().size());
    QMenu* menu = AdjustMenu::ScreenMenu(*m_window->PopupMenu());
    const qsizetype emptyIndex = QGuiApplication::screens().indexOf(empty);
    ASSERT_EQ(menu->actions().size(), QGuiApplication::screens().size());
    EXPECT_FALSE(menu->actions()[emptyIndex]->isEnabled());
    EXPECT_TRUE(menu->actions()[QGuiApplication::screens().indexOf(left)]->isChecked());
    // Even when chosen anyway, it is not taken.
    m_window->OnCommand(menu->actions()[emptyIndex]->data().toInt());
    Settle();
    EXPECT_EQ(m_window->geometry(), left->geometry());

    const std::uint16_t hpos = Sim(kHPos);
    Drag(CellOf(19), {QPoint(4, 0), QPoint(8, 0)});
    EXPECT_EQ(Sim(kHPos), hpos + 2);
    m_window->OnCancel();
    Settle();
    ExpectLeft();
    EXPECT_EQ(Sim(kHPos), hpos);
    EXPECT_EQ(m_frame.screen(), left);
}

TEST_F(FullScreenModeTest, OpenShowsTheCrosshatchWithItsMarkersOverThePrimaryScreen) {
    Start("revC");
    Open();
    EXPECT_TRUE(m_window->IsActive());
    EXPECT_FALSE(m_frame.isVisible());
    EXPECT_EQ(m_window->Pattern(), Patterns::kCrosshatch);
    EXPECT_EQ(m_window->geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_FALSE(m_window->windowFlags() & Qt::WindowDoesNotAcceptFocus);

    CellMap::Kinds geometry{};
    CellMap::BuildKinds(geometry, CellMap::kGeometry, 1, true, true);
    EXPECT_TRUE(m_window->CellKinds() == geometry);

    const CMarkers& markers = *m_window->Markers();
    ASSERT_EQ(markers.Count(), 25);
    for (int i = 0; i < markers.Count(); ++i) {
        SCOPED_TRACE(i);
        const int cell = markers.Cell(i);
        const CellMap::Rect& r = m_window->CellRects()[cell];
        EXPECT_EQ(markers.Control(i)->ClipNumber(), HandleKinds::MarkerClip(geometry[cell]));
        EXPECT_TRUE(markers.Control(i)->IsPlaying());
        EXPECT_TRUE(markers.Control(i)->isVisible());
        EXPECT_EQ(markers.Geometry(i).center(),
                  QPoint((r.left + r.right) / 2 - 1, (r.top + r.bottom) / 2 - 1));
    }
    // The geometry and tilt of this moment are what Cancel goes back to.
    for (int item : {kHSize, kTilt})
        EXPECT_EQ(m_rig->monitor.Item(item).undo, m_opening[item]);
}

TEST_F(FullScreenModeTest, FirstUseShowsTheHelpPageInItsOwnWindow) {
    CloseHelpWindows();
    Start("revC");
    Open();
    EXPECT_EQ(FindHelpWindow("proc4"), nullptr); // the frame has saved its place before

    m_window->OnCancel();
    Profile::WriteString("Settings", "Resolution", "");
    Open();
    CHelpWindow* help = FindHelpWindow("proc4");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->ShownContext(), HelpContext::ScreenAdjustment);
    EXPECT_TRUE(m_window->IsActive());
    CloseHelpWindows();

    // The Help command opens the same page; Esc closes it and the mode stays.
    m_window->OnCommand(AdjustMenu::kHelp);
    help = FindHelpWindow("proc4");
    ASSERT_NE(help, nullptr);
    QTest::keyClick(help, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(FindHelpWindow("proc4"), nullptr);
    EXPECT_TRUE(m_window->IsActive());
}

TEST_F(FullScreenModeTest, MarkersAndTheDragClipLeaveThePointerToTheCells) {
    Start("revC");
    Open();
    for (int marker = 0; marker < m_window->MarkerCount(); ++marker) {
        const QRect place = m_window->Markers()->Geometry(marker);
        ASSERT_TRUE(m_window->Markers()->Control(marker)->isVisible());
        EXPECT_EQ(m_window->childAt(place.center()), nullptr) << marker;
    }
    m_window->Press(CellOf(19));
    ASSERT_TRUE(m_window->DragAnimation()->isVisible());
    EXPECT_EQ(m_window->childAt(m_window->DragAnimation()->geometry().center()), nullptr);
    m_window->Press(CellOf(19));
}

TEST_F(FullScreenModeTest, AModalBoxDuringADragEndsTheDragFirst) {
    Start("revC");
    Open();
    m_window->Press(CellOf(19));
    ASSERT_TRUE(m_window->IsDragging());
    QDialog box;
    box.setModal(true);
    box.show();
    EXPECT_FALSE(m_window->IsDragging());
    EXPECT_FALSE(m_window->DragAnimation()->isVisible());
    box.close();
    // The next click grabs afresh.
    m_window->Press(CellOf(19));
    EXPECT_TRUE(m_window->IsDragging());
    m_window->Press(CellOf(19));
}

TEST_F(FullScreenModeTest, CancelAfterSeveralDragsAndKeysWritesBackTheOpeningValues) {
    Start("revC");
    Open();
    Drag(CellOf(19), {{30, 0}, {0, -30}, {5, 5}}); // position: hpos +5, vpos +3
    Drag(CellOf(1), {{25, 0}, {25, 0}});           // right edge: hpos and hsize
    Drag(CellOf(18, -1), {{0, -3}});               // tilt
    m_window->Key(Qt::Key_Right);                  // the tilt handle ignores it: beep
    EXPECT_NE(Sim(kHPos), m_opening[kHPos]);
    EXPECT_NE(Sim(kVPos), m_opening[kVPos]);
    EXPECT_NE(Sim(kHSize), m_opening[kHSize]);
    EXPECT_NE(Sim(kTilt), m_opening[kTilt]);

    m_window->Key(Qt::Key_Escape);
    EXPECT_TRUE(m_window->IsActive()); // posted, as a key's command is
    Settle();
    ExpectLeft();
    ExpectOpeningGeometry();
    EXPECT_EQ(m_rig->sim.StoreCount(), 0);
    EXPECT_TRUE(m_rig->messages.shown.empty());
}

TEST_F(FullScreenModeTest, OkKeepsTheDraggedValuesAndStoresThem) {
    Start("revC");
    Open();
    Drag(CellOf(19), {{30, 30}, {-5, 0}});
    const std::uint16_t hpos = Sim(kHPos), vpos = Sim(kVPos);
    EXPECT_EQ(hpos, m_opening[kHPos] + 4 - 1);
    EXPECT_EQ(vpos, m_opening[kVPos] - 4);

    m_window->Key(Qt::Key_Return);
    Settle();
    ExpectLeft();
    EXPECT_EQ(m_rig->sim.StoreCount(), 1);
    EXPECT_EQ(Sim(kHPos), hpos);
    EXPECT_EQ(m_rig->monitor.Item(kHPos).stored, hpos);
    EXPECT_EQ(m_rig->monitor.Item(kVPos).stored, vpos);
}

TEST_F(FullScreenModeTest, StepsAreOneOrFourPerAxisAndCombinationsUseTheirCoefficients) {
    Start("revC");
    Open();
    // Position: 1..20 pixels make 1, 21 and more make 4, each axis on its own.
    Drag(CellOf(19), {{20, -21}}); // 20 right, 21 up
    EXPECT_EQ(Sim(kHPos), m_opening[kHPos] + 1);
    EXPECT_EQ(Sim(kVPos), m_opening[kVPos] + 4);

    // The right edge moves hsize by 2 and hpos by 1 per step (HSIZE,HPOS=2,1).
    Drag(CellOf(1), {{21, 0}});
    EXPECT_EQ(Sim(kHSize), m_opening[kHSize] + 8);
    EXPECT_EQ(Sim(kHPos), m_opening[kHPos] + 1 + 4);

    // With the size combination off the same cells move the size alone.
    m_window->OnCommand(AdjustMenu::kSizeCombo);
    EXPECT_FALSE(m_window->SizeCombo());
    Drag(CellOf(24, 1), {{-3, 0}});
    EXPECT_EQ(Sim(kHSize), m_opening[kHSize] + 8 - 1);
    EXPECT_EQ(Sim(kHPos), m_opening[kHPos] + 5);
}

TEST_F(FullScreenModeTest, APairLeavingItsRangeMovesNeitherAndTheDragGoesOn) {
    m_tweak = [](CSimMonitor& sim) { sim.SetValue(5, sim.Maximum(5)); };
    Start("revC");
    Open();
    m_window->Press(CellOf(19));
    m_window->Move(m_window->Anchor() + QPoint(5, -5)); // right and up: vpos would pass its maximum
    Settle();
    EXPECT_GE(m_rig->messages.beeps, 1);
    EXPECT_EQ(Sim(kHPos), m_opening[kHPos]);
    EXPECT_EQ(Sim(kVPos), m_opening[kVPos]);
    EXPECT_TRUE(m_window->IsDragging());

    m_window->Move(m_window->Anchor() + QPoint(5, 0));
    Settle();
    EXPECT_EQ(Sim(kHPos), m_opening[kHPos] + 1);
    m_window->Press(CellOf(19));
}

TEST_F(FullScreenModeTest, EnterAndEscapeWaitForTheHandleToBeLetGo) {
    Start("revC");
    Open();
    const QPoint at = CellOf(19);
    m_window->Press(at);
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
        m_window->Key(key);
    m_window->Key(Qt::Key_F4, Qt::AltModifier);
    m_window->close();
    Settle();
    EXPECT_TRUE(m_window->IsActive());
    EXPECT_TRUE(m_window->IsDragging());

    // A quick second click is a double click to the toolkit; it lets go all the same.
    m_window->Press(at, QEvent::MouseButtonDblClick);
    EXPECT_FALSE(m_window->IsDragging());
    m_window->Key(Qt::Key_Escape);
    Settle();
    ExpectLeft();
}

TEST_F(FullScreenModeTest, AltF4CancelsAndOtherSystemKeysDoNothing) {
    Start("revC");
    Open();
    Drag(CellOf(19), {{5, 0}});
    m_window->Key(Qt::Key_X, Qt::AltModifier);
    m_window->Key(Qt::Key_Space, Qt::AltModifier);
    m_window->Key(Qt::Key_Left, Qt::AltModifier); // not an arrow step
    Settle();
    EXPECT_TRUE(m_window->IsActive());
    EXPECT_EQ(Sim(kHPos), m_opening[kHPos] + 1);

    m_window->Key(Qt::Key_F4, Qt::AltModifier);
    Settle();
    ExpectLeft();
    ExpectOpeningGeometry();

    // The window manager's close (its Alt+F4) cancels as well.
    Open();
    Drag(CellOf(19), {{5, 0}});
    m_window->close();
    Settle();
    ExpectLeft();
    ExpectOpeningGeometry();
}

TEST_F(FullScreenModeTest, ArrowKeysStepTheHoveredHandleAndBeepAcrossIt) {
    Start("revC");
    Open();
    m_window->Move(CellOf(1)); // right edge: horizontal only
    const int writes = m_rig->sim.SetValueCount(kHPos);
    m_window->Key(Qt::Key_Up);
    EXPECT_EQ(m_rig->messages.beeps, 1);
    // The zero step has been passed on all the same.
    EXPECT_GT(m_rig->sim.SetValueCount(kHPos), writes);
    EXPECT_EQ(Sim(kHPos), m_opening[kHPos]);

    m_window->Key(Qt::Key_Right);
    EXPECT_EQ(m_rig->messages.beeps, 1);
    EXPECT_EQ(Sim(kHSize), m_opening[kHSize] + 2);
    EXPECT_EQ(Sim(kHPos), m_opening[kHPos] + 1);
    m_window->Key(Qt::Key_Left);
    EXPECT_EQ(Sim(kHSize), m_opening[kHSize]);

    // Position takes all four.
    m_window->Move(CellOf(19));
    for (int key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down, Qt::Key_Right})
        m_window->Key(key);
    EXPECT_EQ(m_rig->messages.beeps, 1);
    EXPECT_EQ(Sim(kVPos), m_opening[kVPos] + 1);
    EXPECT_EQ(Sim(kHPos), m_opening[kHPos] + 1);

    // Without a handle under the pointer: a beep and nothing sent.
    m_window->BuildCellMap(CellMap::kConvergenceH);
    m_window->Move(CellOf(HandleKinds::kNoHandle));
    m_window->Key(Qt::Key_Left);
    EXPECT_EQ(m_rig->messages.beeps, 2);
}

TEST_F(FullScreenModeTest, GrabShowsTheDragClipInsteadOfTheMarkerAndReleaseBringsItBack) {
    Start("revC");
    Open();
    CMarkers& markers = *m_window->Markers();
    const int marker = markers.OnCell(90); // top-right corner, kind 4
    ASSERT_GE(marker, 0);
    const CellMap::Rect& r = m_window->CellRects()[90];
    const QPoint at((r.left + r.right) / 2, (r.top + r.bottom) / 2);

    m_window->Press(at);
    ASSERT_TRUE(m_window->IsDragging());
    EXPECT_EQ(m_window->CurrentCell(), 90);
    EXPECT_EQ(m_window->cursor().shape(), Qt::BlankCursor);
    EXPECT_FALSE(markers.Control(marker)->isVisible());
    CAnimateCtrl* clip = m_window->DragAnimation();
    EXPECT_TRUE(clip->isVisible());
    EXPECT_EQ(clip->ClipNumber(), HandleKinds::DragClip(4));
    EXPECT_EQ(clip->geometry(), QRect(at - QPoint(16, 16), QSize(32, 32)));

    m_window->Press(at);
    EXPECT_FALSE(m_window->IsDragging());
    EXPECT_TRUE(markers.Control(marker)->isVisible());
    EXPECT_FALSE(clip->isVisible());
    EXPECT_FALSE(clip->IsOpen());
    EXPECT_NE(m_window->cursor().shape(), Qt::BlankCursor);
}

TEST_F(FullScreenModeTest, GrabAtTheScreenEdgeAnchorsInsideAndNoHandleBeeps) {
    Start("revC");
    Open();
    const QSize screen = m_window->ScreenSize();
    m_window->Press(QPoint(0, screen.height() - 1));
    EXPECT_EQ(m_window->Anchor(), QPoint(11, screen.height() - 12));
    EXPECT_TRUE(m_window->IsDragging());
    m_window->Press(QPoint(0, 0));

    m_window->BuildCellMap(CellMap::kConvergenceH);
    m_window->Press(CellOf(HandleKinds::kNoHandle));
    EXPECT_FALSE(m_window->IsDragging());
    EXPECT_EQ(m_rig->messages.beeps, 1);
}

TEST_F(FullScreenModeTest, MovesFasterThanTheLineMakeOneStepFromTheLatest) {
    Start("revC");
    Open();
    m_window->Press(CellOf(19));
    const int writes = m_rig->sim.SetValueCount(kHPos);
    for (int i = 1; i <= 10; ++i)
        m_window->Move(m_window->Anchor() + QPoint(i * 3, 0)); // all before the first step
    Settle();
    EXPECT_EQ(Sim(kHPos), m_opening[kHPos] + 4);            // the last one: 30 pixels
    EXPECT_LE(m_rig->sim.SetValueCount(kHPos) - writes, 3); // its step, and the pointer's return
    m_window->Press(CellOf(19));
}

TEST_F(FullScreenModeTest, LeavingAndComingBackWithinMillisecondsRestartsEveryMarker) {
    Start("revC");
    Open();
    CMarkers& markers = *m_window->Markers();
    m_window->OnOK();
    EXPECT_TRUE(markers.StopPending());
    for (int i = 0; i < markers.Count(); ++i)
        EXPECT_FALSE(markers.Control(i)->isVisible());

    Open();
    EXPECT_FALSE(markers.StopPending());
    QTest::qWait(40);
    for (int i = 0; i < markers.Count(); ++i) {
        EXPECT_TRUE(markers.Control(i)->IsPlaying()) << i;
        EXPECT_TRUE(markers.Control(i)->isVisible()) << i;
    }

    // Left for good: all stopped and closed, one per tick.
    m_window->OnCancel();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !markers.StopPending(); }, 20000));
    for (int i = 0; i < markers.Count(); ++i)
        EXPECT_FALSE(markers.Control(i)->IsOpen()) << i;
}

TEST_F(FullScreenModeTest, MenuFollowsTheMonitorAndForcesDistortionOffInLayoutZero) {
    struct Case {
        const char* profile;
        bool autoSize;
        bool distortionEnabled;
    };
    for (const Case& c : {Case{"revC", true, true}, Case{"revB", false, true},
                          Case{"tr4427", true, false}, Case{"layout2", true, true}}) {
        SCOPED_TRACE(c.profile);
        Start(c.profile);
        Open();
        EXPECT_TRUE(m_window->DistortionCombo());
        QMenu* menu = m_window->PopupMenu();
        auto action = [&](int id) { return menu->findChild<QAction*>(QString::number(id)); };
        EXPECT_EQ(action(AdjustMenu::kAutoSizing)->isEnabled(), c.autoSize);
        EXPECT_EQ(action(AdjustMenu::kDistortionCombo)->isEnabled(), c.distortionEnabled);
        EXPECT_EQ(action(AdjustMenu::kDistortionCombo)->isChecked(), c.distortionEnabled);
        EXPECT_EQ(m_window->DistortionCombo(), c.distortionEnabled);
        EXPECT_TRUE(action(AdjustMenu::kSizeCombo)->isChecked());
        m_window->OnCancel();
        m_window.reset(); // writes the switches
        EXPECT_EQ(Profile::GetInt("Settings", "congro", -1), c.distortionEnabled ? 1 : 0);
    }
}

TEST_F(FullScreenModeTest, SwitchesRebuildTheHandlesAndRestartTheirMarkers) {
    Start("revC");
    Open();
    CMarkers& markers = *m_window->Markers();
    const int corner = markers.OnCell(90); // top-right corner, kind 4 with the size combination on
    const int side = markers.OnCell(339);  // right side, kind 8 with the distortion one on
    ASSERT_EQ(m_window->CellKinds()[339], 8);

    m_window->OnCommand(AdjustMenu::kSizeCombo);
    EXPECT_EQ(m_window->CellKinds()[90], 26);
    EXPECT_EQ(markers.Control(corner)->ClipNumber(), HandleKinds::MarkerClip(26));
    EXPECT_EQ(markers.Control(side)->ClipNumber(), HandleKinds::MarkerClip(8));
    EXPECT_TRUE(markers.Control(corner)->isVisible());

    m_window->OnCommand(AdjustMenu::kDistortionCombo);
    EXPECT_FALSE(m_window->DistortionCombo());
    EXPECT_EQ(markers.Control(side)->ClipNumber(), HandleKinds::MarkerClip(15));

    m_window->OnCommand(AdjustMenu::kSizeCombo);
    EXPECT_EQ(markers.Control(corner)->ClipNumber(), HandleKinds::MarkerClip(4));
    m_window->OnCancel();
    m_window.reset();
    EXPECT_EQ(Profile::GetInt("Settings", "poscongro", -1), 1);
    EXPECT_EQ(Profile::GetInt("Settings", "congro", -1), 0);
}

TEST_F(FullScreenModeTest, WithoutCoefficientsTheSwitchesAreOffAndGrayedForTheRun) {
    Start("revC", "[OTHER]\nHSIZE,HPOS=1,1\n");
    EXPECT_EQ(m_rig->messages.Count(Str::CombinationFileMissing), 1);
    EXPECT_FALSE(m_window->ComboAvailable());
    EXPECT_FALSE(m_window->SizeCombo());
    EXPECT_FALSE(m_window->DistortionCombo());
    Open();
    QMenu* menu = m_window->PopupMenu();
    EXPECT_FALSE(menu->findChild<QAction*>("32779")->isEnabled());
    EXPECT_FALSE(menu->findChild<QAction*>("32814")->isEnabled());
    EXPECT_EQ(m_window->CellKinds()[90], 26); // corners move the sizes alone
    EXPECT_EQ(m_rig->messages.Count(Str::CombinationFileMissing), 0); // told once, at creation
    m_window->OnCancel();
    m_window.reset();
    EXPECT_EQ(Profile::GetInt("Settings", "congro", -1), 0);
    EXPECT_EQ(Profile::GetInt("Settings", "poscongro", -1), 0);
}

TEST_F(FullScreenModeTest, TheClickThatClosesTheMenuGrabsNothing) {
    Start("revC");
    Open();
    QTimer::singleShot(50, m_window.get(), [this] { m_window->PopupMenu()->close(); });
    m_window->ContextMenu(CellOf(19));
    m_window->Press(CellOf(19));
    EXPECT_FALSE(m_window->IsDragging());
    m_window->Press(CellOf(19));
    EXPECT_TRUE(m_window->IsDragging());

    // Refused during a drag.
    bool shown = false;
    QTimer::singleShot(50, m_window.get(), [&] {
        shown = m_window->PopupMenu()->isVisible();
        m_window->PopupMenu()->close();
    });
    m_window->ContextMenu(CellOf(19));
    QTest::qWait(80);
    EXPECT_FALSE(shown);
    m_window->Press(CellOf(19));
}

TEST_F(FullScreenModeTest, AutoSizingFromTheMenuRunsTheNotice) {
    Start("revC");
    Open();
    m_window->OnCommand(AdjustMenu::kAutoSizing);
    EXPECT_EQ(m_rig->sim.AutoSizeCount(), 1);
    EXPECT_TRUE(m_window->IsActive());
    EXPECT_EQ(m_window->Pattern(), Patterns::kCrosshatch);
    EXPECT_TRUE(m_window->Markers()->Control(0)->isVisible());
}

TEST_F(FullScreenModeTest, ACommunicationFailureIsToldAndTheModeIsLeftAnyway) {
    for (int command : {AdjustMenu::kOK, AdjustMenu::kCancel}) {
        SCOPED_TRACE(command);
        Start("revC");
        Open();
        Drag(CellOf(19), {{5, 0}});
        m_rig->sim.PullCable();
        m_window->OnCommand(command);
        if (command == AdjustMenu::kOK)
            EXPECT_EQ(m_rig->messages.Count(Str::CommFailure), 1); // one, whoever tells it
        else
            EXPECT_GE(m_rig->messages.Count(Str::CommFailure), 1);
        ExpectLeft();
    }
}

TEST_F(FullScreenModeTest, EndingTheProgramInTheModeLeavesTheMonitorAsCancelWould) {
    Start("revC");
    Open();
    Drag(CellOf(19), {{5, 5}});
    m_window->Press(CellOf(19)); // even with a handle held
    m_window.reset();
    ExpectOpeningGeometry();
    EXPECT_EQ(m_rig->sim.StoreCount(), 0);

    // Closing the (hidden) frame from outside cancels before the frame's own closing
    // compares the values with the stored ones.
    Start("revC");
    Open();
    Drag(CellOf(19), {{5, 5}});
    m_frame.close();
    EXPECT_FALSE(m_window->IsActive());
    ExpectOpeningGeometry();
}

namespace {

// The first visible dialog of this class, or null.
template <typename Dialog> Dialog* FindDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<Dialog*>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

} // namespace

TEST_F(FullScreenModeTest, LinearityAndMoireRunOverTheirPatternsWithoutMarkers) {
    Start("revC");
    Open();
    for (auto [command, pattern] : {std::pair{AdjustMenu::kVLinearity, Patterns::kTextRows},
                                    std::pair{AdjustMenu::kMoire, Patterns::kCheckerboard}}) {
        SCOPED_TRACE(command);
        int shownPattern = -1;
        bool markerShown = true, dialogFound = false, parented = false;
        QTimer::singleShot(100, m_window.get(), [&] {
            shownPattern = m_window->Pattern();
            markerShown = m_window->Markers()->Control(0)->isVisible();
            if (QDialog* dialog = QApplication::activeModalWidget()
                                      ? qobject_cast<QDialog*>(QApplication::activeModalWidget())
                                      : nullptr) {
                dialogFound = true;
                parented = dialog->parentWidget() == m_window.get();
                dialog->reject();
            }
        });
        m_window->OnCommand(command);
        EXPECT_TRUE(dialogFound);
        EXPECT_TRUE(parented);
        EXPECT_EQ(shownPattern, pattern);
        EXPECT_FALSE(markerShown);
        EXPECT_EQ(m_window->Pattern(), Patterns::kCrosshatch);
        EXPECT_TRUE(m_window->Markers()->Control(0)->isVisible());
        EXPECT_EQ(m_rig->monitor.GetNotifyWindow(), &m_view); // handed back by the dialog
        EXPECT_TRUE(m_window->IsActive());
    }
}

TEST_F(FullScreenModeTest, ConvergenceIsDraggedOnTheScreenBehindItsDialog) {
    Start("revC");
    Open();
    const std::uint16_t hconv = Sim(16);
    std::uint16_t dragged = 0;
    bool refusedFocus = false, menuRefused = false;
    int pattern = -1;
    CellMap::Kinds kinds{};
    QTimer::singleShot(100, m_window.get(), [&] {
        ASSERT_TRUE(m_window->ConvDialogOpen());
        refusedFocus = m_window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus);
        pattern = m_window->Pattern();
        kinds = m_window->CellKinds();
        // The screen still takes the drag, now of convergence.
        const QPoint handle = CellOf(16);
        m_window->Press(handle);
        m_window->Move(m_window->Anchor() + QPoint(25, 0));
        Settle();
        dragged = Sim(16);
        // No popup menu meanwhile.
        m_window->Press(handle);
        QTimer::singleShot(50, m_window.get(), [&] {
            menuRefused = !m_window->PopupMenu()->isVisible();
            m_window->PopupMenu()->close();
        });
        m_window->ContextMenu(handle);
        QTest::qWait(80);
        // The dialog ends while a handle is held again.
        m_window->Press(handle);
        ASSERT_TRUE(m_window->IsDragging());
        FindDialog<QDialog>()->reject();
    });
    m_window->OnCommand(AdjustMenu::kConvergence);

    EXPECT_TRUE(refusedFocus);
    EXPECT_TRUE(menuRefused);
    EXPECT_EQ(pattern, Patterns::kConvergence);
    CellMap::Kinds all{};
    CellMap::BuildKinds(all, CellMap::kConvergenceAll, 1, true, true);
    EXPECT_TRUE(kinds == all);
    EXPECT_EQ(dragged, hconv + 4);
    EXPECT_EQ(Sim(16), hconv); // the dialog's Cancel puts convergence back

    // Back to the geometry handles, the hold let go.
    EXPECT_FALSE(m_window->ConvDialogOpen());
    EXPECT_FALSE(m_window->IsDragging());
    EXPECT_FALSE(m_window->DragAnimation()->isVisible());
    EXPECT_FALSE(m_window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    CellMap::Kinds geometry{};
    CellMap::BuildKinds(geometry, CellMap::kGeometry, 1, true, true);
    EXPECT_TRUE(m_window->CellKinds() == geometry);
    EXPECT_TRUE(m_window->Markers()->Control(0)->isVisible());
    EXPECT_EQ(m_window->Pattern(), Patterns::kCrosshatch);
}

TEST_F(FullScreenModeTest, ConvergenceHandlesFollowWhatTheMonitorCanConverge) {
    struct Case {
        const char* profile;
        int unavailable; // -1: none
        int request;
    };
    // The TR-5513's top and bottom convergence are ignored by the program.
    for (const Case& c :
         {Case{"revC", -1, CellMap::kConvergenceAll}, Case{"tr5513", -1, CellMap::kConvergenceHV},
          Case{"revC", 17, CellMap::kConvergenceH}}) {
        SCOPED_TRACE(std::string(c.profile) + " without " + std::to_string(c.unavailable));
        m_tweak = [&](CSimMonitor& sim) {
            if (c.unavailable >= 0)
                sim.SetAvailable(c.unavailable, false);
        };
        Start(c.profile);
        Open();
        CellMap::Kinds kinds{};
        QTimer::singleShot(50, m_window.get(), [&] {
            kinds = m_window->CellKinds();
            FindDialog<QDialog>()->reject();
        });
        m_window->OnCommand(AdjustMenu::kConvergence);
        CellMap::Kinds expected{};
        CellMap::BuildKinds(expected, c.request, m_window->Layout(), true, true);
        EXPECT_TRUE(kinds == expected);
    }
}
