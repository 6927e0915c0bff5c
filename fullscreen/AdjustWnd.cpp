#include "fullscreen/AdjustWnd.h"

#include "dialogs/AutoSizeNoticeDlg.h"
#include "dialogs/ConvergenceDlg.h"
#include "dialogs/MoireDlg.h"
#include "dialogs/VLinearityDlg.h"
#include "fullscreen/AdjustMenu.h"
#include "fullscreen/ApplyStep.h"
#include "fullscreen/Combination.h"
#include "fullscreen/HandleKinds.h"
#include "fullscreen/Markers.h"
#include "fullscreen/Patterns.h"
#include "fullscreen/ScreenPixels.h"
#include "link/Monitor.h"
#include "platform/AnimateCtrl.h"
#include "platform/CursorTable.h"
#include "platform/HelpWindow.h"
#include "platform/Profile.h"
#include "platform/ProgramFolder.h"
#include "platform/StringTable.h"
#include "platform/UserMessages.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace {

// The popup menu's screen entries: command ids kScreenCommand + the screen's index.
constexpr int kScreenCommand = 33000;
constexpr int kMaxScreens = 64;
// When the main window's old place is asked for after the mode (ms after showing it).
constexpr int kPlaceDelays[] = {0, 150, 600};
// How long a pointer lock may take to hold before the drag tells of the arrow keys (ms).
constexpr int kLockWait = 1000;

constexpr int kPinBottom = 10;
constexpr int kPinTop = 11;
constexpr int kVLinearity = 15;
constexpr int kHConv = 16;
constexpr int kVConv = 17;
constexpr int kVConvTop = 20;
constexpr int kTilt = 22;
constexpr int kRevisionB = 0;

// Wayland gives clients no way to move the pointer; there a drag measures each movement
// from the previous position instead of putting the pointer back at the anchor.
bool CanWarpPointer() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The convergence handles show their animation beside the cell, not over a marker.
bool BesideCell(int kind) {
    return kind == 16 || kind == 17 || kind == 31 || kind == 32;
}

} // namespace

CAdjustWnd::CAdjustWnd(CMonitor& monitor, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_monitor(monitor),
      m_pointerLock([this](QPointF device) { OnRelativeMove(device); }) {
    m_bDistortionCombo = Profile::GetInt("Settings", "congro", 1) != 0;
    m_bSizeCombo = Profile::GetInt("Settings", "poscongro", 1) != 0;

    m_nLayout = HandleLayout::Choose(monitor.IsAvailable(kPinTop), monitor.GetModelIndex());
    const auto markers = HandleLayout::MarkerCells(m_nLayout);
    m_nMarkers = static_cast<int>(markers.size());
    std::copy(markers.begin(), markers.end(), m_markerCell.begin());
    g_comboCoef.fill(0.0);

    // Black wherever no pattern paints, and for the moment between showing and painting.
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::black);
    setPalette(background);
    setAutoFillBackground(true);
    setMouseTracking(true);
    // Borderless, but named for task lists and window managers.
    setWindowTitle(LoadAppString(Str::AppTitle));
    connect(&m_screen, &CModeScreen::Changed, this, &CAdjustWnd::OnScreenChanged);

    m_pPalette = CGreyPalette::Create(m_nCols);
    m_markers = new CMarkers(this, std::span(m_markerCell.data(), std::size_t(m_nMarkers)));
    m_dragAnim = new CAnimateCtrl(this);
    m_dragAnim->setObjectName(QStringLiteral("dragAnimation"));
    m_dragAnim->SetAutoPlay(true);
    m_dragAnim->SetDevicePixels(true);
    m_dragAnim->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_dragAnim->setGeometry(0, 0, 34, 34);
    m_dragAnim->hide();
    m_menu = AdjustMenu::Build(this);
    m_menu->installEventFilter(this);
    UpdateActivation();
}

CAdjustWnd::~CAdjustWnd() {
    // The program ending in the middle of the mode leaves the monitor as Cancel would.
    if (m_bActive) {
        if (IsDragging())
            Release();
        OnCancel();
    }
    SaveSwitches();
}

void CAdjustWnd::SaveSwitches() const {
    Profile::WriteInt("Settings", "congro", m_bDistortionCombo ? 1 : 0);
    Profile::WriteInt("Settings", "poscongro", m_bSizeCombo ? 1 : 0);
}

void CAdjustWnd::EndWithoutDisplay() {
    if (m_bActive) {
        m_monitor.RevertGeometry();
        m_monitor.RevertItem(kTilt);
        m_bActive = false;
    }
    SaveSwitches();
}

void CAdjustWnd::Create() {
    winId();
    if (!LoadCombination()) {
        m_bSizeCombo = false;
        m_bDistortionCombo = false;
        UserMessages().Show(Str::CombinationFileMissing);
    }
}

bool CAdjustWnd::LoadCombination() {
    m_bComboAvailable = LoadCombinationFile(
        ProgramFolder(), m_monitor.GetModelName(),
        [this](int item) { return m_monitor.IsAvailable(item); }, g_comboCoef);
    return m_bComboAvailable;
}

void CAdjustWnd::SetMainWindow(QWidget* mainWindow) {
    if (m_mainWindow)
        m_mainWindow->removeEventFilter(this);
    m_mainWindow = mainWindow;
    if (m_mainWindow)
        m_mainWindow->installEventFilter(this);
}

bool CAdjustWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_menu && event->type() == QEvent::MouseButtonPress &&
        !m_menu->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
        m_bMenuClosedByClick = true;
    if (watched == m_mainWindow && event->type() == QEvent::Show && m_bPlaceMainWindow) {
        m_bPlaceMainWindow = false;
        // Asked for at once and again shortly after: whenever the window manager has
        // mapped the window, it has its place back (the toolkit may not yet know where the
        // window manager put it, so the place is asked for even when it seems to be there).
        QPointer<QWidget> window = m_mainWindow;
        const QPoint place = m_mainPlace;
        for (int delay : kPlaceDelays)
            QTimer::singleShot(delay, window, [window, place] {
                if (window && window->windowHandle())
                    window->windowHandle()->setFramePosition(place);
            });
    }
    // The frame closing while the mode is on (from outside: it is hidden meanwhile) asks
    // its closing question about the values the mode began with.
    if (watched == m_mainWindow && event->type() == QEvent::Close && m_bActive) {
        if (IsDragging())
            Release();
        OnCancel();
    }
    return QWidget::eventFilter(watched, event);
}

// Full-screen on the mode's screen, as the platform does it (on X11 that also keeps the
// window above panels); the geometry too, for a display without a window manager.
void CAdjustWnd::ShowOnScreen(QScreen* screen) {
    m_screen.Watch(screen);
    if (!screen)
        return;
    winId();
    // Listening for the hand from now on: a drag's first movements can come before its
    // press reaches us.
    m_pointerLock.Available();
    windowHandle()->setScreen(screen);
    if (geometry() != screen->geometry())
        setGeometry(screen->geometry());
    showFullScreen();
}

// The test pattern screen follows its screen's new size; the adjustment mode, whose
// handles were laid out for the old one, is left as Cancel leaves it.
void CAdjustWnd::OnScreenChanged() {
    if (!m_bActive) {
        if (isVisible())
            ShowOnScreen(CModeScreen::Choose(m_monitor.GetSerialText(), m_mainWindow));
        return;
    }
    if (IsDragging())
        Release();
    if (m_modeDialog)
        m_modeDialog->reject();
    OnCancel();
    UserMessages().Show(Str::ScreenLost);
}

// Dialogs of the mode open in the middle of its screen.
void CAdjustWnd::CentreOnScreen(QWidget& dialog) {
    QScreen* screen = m_screen.Screen();
    if (!screen)
        return;
    dialog.winId();
    dialog.windowHandle()->setScreen(screen);
    dialog.adjustSize();
    QRect place = dialog.frameGeometry();
    place.moveCenter(screen->geometry().center());
    dialog.move(place.topLeft());
}

void CAdjustWnd::UpdateActivation() {
    const bool refuse = !m_bActive || m_bConvDialog;
    setAttribute(Qt::WA_ShowWithoutActivating, refuse);
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowDoesNotAcceptFocus, refuse);
    if (flags == windowFlags())
        return;
    // Told to the window system directly: setting the widget's flags would recreate a
    // window that is on the screen.
    overrideWindowFlags(flags);
    if (QWindow* window = windowHandle())
        window->setFlags(flags);
}

void CAdjustWnd::ShowPattern(int pattern) {
    const bool unchanged = pattern == m_nPattern;
    m_nPattern = pattern;
    if (unchanged && isVisible())
        return;
    const bool shown = isVisible();
    if (!shown)
        m_screen.Watch(m_bActive ? m_screen.Screen()
                                 : CModeScreen::Choose(m_monitor.GetSerialText(), m_mainWindow));
    RefreshScreenLayout();
    if (!shown)
        ShowOnScreen(m_screen.Screen());
    repaint();
}

void CAdjustWnd::Open(QObject* notifyBack) {
    // Where the main window is tells which screen is the CRT's; with no screen to draw
    // on the mode does not begin.
    QScreen* screen = CModeScreen::Choose(m_monitor.GetSerialText(), m_mainWindow);
    if (!screen) {
        UserMessages().Show(Str::ScreenLost);
        return;
    }
    if (isVisible() && screen != m_screen.Screen())
        hide();
    m_screen.Watch(screen);
    m_bActive = true;
    m_bMenuShown = false;
    UpdateActivation();
    if (m_mainWindow) {
        m_mainPlace = m_mainWindow->pos();
        m_mainWindow->hide();
    }
    ShowPattern(Patterns::kCrosshatch);
    TakeFocus();
    BuildCellMap(CellMap::kGeometry);
    m_monitor.MarkGeometry();
    m_monitor.MarkItem(kTilt);
    m_hNotifyBack = notifyBack;
    m_markers->CancelPendingStops();
    StartMarkers();
    // The first use on this machine (the frame has never saved its place) shows how the
    // mode works, over the crosshatch, where it can be read.
    if (Profile::GetString("Settings", "Resolution").isEmpty())
        OnHelp();
}

void CAdjustWnd::TakeFocus() {
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void CAdjustWnd::StartMarkers() {
    m_markers->Start(m_cellRect, m_cellKind, m_pixels);
}

void CAdjustWnd::ShowMarkers() {
    // The mode was cancelled under a dialog: nothing comes back.
    if (!m_bActive)
        return;
    ShowPattern(Patterns::kCrosshatch);
    m_markers->SetVisible(true);
}

void CAdjustWnd::HideMarkers() {
    m_markers->SetVisible(false);
}

void CAdjustWnd::OnOK() {
    if (!m_bActive)
        return;
    m_monitor.CommitGeometry();
    m_monitor.CommitItem(kTilt);
    // The controller tells failed reads and writes itself, but not a command it could not
    // send: a store that did not reach the monitor must not pass in silence. Said once,
    // whoever notices it.
    CShowOnce once(Str::CommFailure);
    if (!m_monitor.StoreInMemory(false))
        UserMessages().Show(Str::CommFailure);
    Leave();
}

void CAdjustWnd::OnCancel() {
    if (!m_bActive)
        return;
    m_monitor.RevertGeometry();
    m_monitor.RevertItem(kTilt);
    Leave();
}

// A failed write has been told to the user by the controller; the mode is left anyway.
void CAdjustWnd::Leave() {
    m_markers->StopOneByOne();
    HideMarkers();
    m_cursor.Clear();
    if (m_mainWindow) {
        // Back exactly where it was, unless its screen has gone meanwhile: a window
        // manager places a window shown again anew, so the place is asked for again once
        // it has (see eventFilter).
        const QRect place(m_mainPlace, m_mainWindow->frameGeometry().size());
        m_bPlaceMainWindow = false;
        for (const QScreen* screen : QGuiApplication::screens())
            if (screen->geometry().intersects(place))
                m_bPlaceMainWindow = true;
        m_mainWindow->show();
    }
    hide();
    m_monitor.SetNotifyWindow(m_hNotifyBack);
    m_bActive = false;
    UpdateActivation();
}

// A window that is being mapped paints only once the display system has exposed it, but
// the adjustment mode places its markers on the cells right after showing the crosshatch:
// so ShowPattern brings the cells up to date as well as every paint does.
void CAdjustWnd::RefreshScreenLayout() {
    m_pixels = m_screen.Screen() ? CScreenPixels::Of(m_screen.Screen())
                                 : CScreenPixels::Of(QGuiApplication::primaryScreen());
    const QSize screen = m_pixels.IsUsable() ? m_pixels.DeviceSize() : QSize();
    m_cxScreen = screen.width();
    m_cyScreen = screen.height();
    if (Patterns::IsCrosshatch(m_nPattern))
        m_cellRect = CellMap::ComputeRects(screen);
}

void CAdjustWnd::paintEvent(QPaintEvent*) {
    RefreshScreenLayout();
    if (!m_pixels.IsUsable())
        return;
    Patterns::Context context;
    context.screen = m_pixels.DeviceSize();
    context.cols = m_nCols;
    context.rows = m_nRows;
    context.hconvAvailable = m_monitor.IsAvailable(kHConv);
    context.vconvAvailable = m_monitor.IsAvailable(kVConv);
    context.palette = m_pPalette.get();
    const QImage& picture = m_picture.Render(m_nPattern, context, devicePixelRatioF());
    // One pixel of the picture on each pixel of the screen, whatever the scale factor.
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), picture);
}

void CAdjustWnd::BuildCellMap(int request) {
    CellMap::BuildKinds(m_cellKind, request, m_nLayout, m_bSizeCombo, m_bDistortionCombo);
}

int CAdjustWnd::CurrentKind() const {
    if (m_nCurCell < 0 || m_nCurCell >= CellMap::kCount)
        return HandleKinds::kNoHandle;
    return m_cellKind[static_cast<std::size_t>(m_nCurCell)];
}

bool CAdjustWnd::ApplyStep(int dx, int dy) {
    StepContext context;
    // During a drag the pointer stands at the anchor (or, without warping, the handle
    // still belongs to the side where it was grabbed).
    context.cursor = IsDragging() || !windowHandle()
                         ? m_ptAnchor
                         : ScreenPixels::PointerIn(*windowHandle(), m_pixels);
    context.screen = QSize(m_cxScreen, m_cyScreen);
    context.revisionB = m_monitor.GetProtocolRevision() == kRevisionB;
    context.coef = &g_comboCoef;
    const StepPlan plan = PlanStep(CurrentKind(), dx, dy, context);
    for (const AdjustCall& call : plan.calls)
        m_monitor.AdjustItems(call.item1, call.delta1, call.item2, call.delta2, call.both);
    return plan.result;
}

bool CAdjustWnd::IsDragging() const {
    return QWidget::mouseGrabber() == this;
}

bool CAdjustWnd::event(QEvent* event) {
    // A message box during a drag (the monitor stopped answering, say) must have the
    // pointer: the grab and with it the drag end before the box shows.
    if (event->type() == QEvent::WindowBlocked && IsDragging())
        Release();
    return QWidget::event(event);
}

void CAdjustWnd::mouseMoveEvent(QMouseEvent* event) {
    // The moves the toolkit makes up itself (a control shown or hidden under the pointer,
    // the pointer put back) carry its position rounded to logical pixels: during a drag
    // they would be steps nobody made.
    if (IsDragging() && event->source() == Qt::MouseEventSynthesizedByQt)
        return;
    OnMouseMove(m_pixels.ToDevice(event->position()));
}

void CAdjustWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        OnLButtonDown(m_pixels.ToDevice(event->position()), event->timestamp());
}

void CAdjustWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_bHintDue && IsDragging())
        ShowArrowKeysHint();
}

// A quick second click ends a drag as any second click does.
void CAdjustWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void CAdjustWnd::OnMouseMove(QPoint pos) {
    if (!m_bActive)
        return;
    if (IsDragging()) {
        // A followed drag has the hand's movements from the display (OnRelativeMove).
        if (!m_bFollowed)
            QueueDragMove(pos);
        return;
    }
    const int cell = CellMap::HitTest(m_cellRect, pos);
    if (cell < 0)
        return;
    m_nCurCell = cell;
    const int kind = CurrentKind();
    if (kind == HandleKinds::kNoHandle) {
        m_cursor.Clear();
        setCursor(Qt::ArrowCursor);
    } else {
        m_cursor.Show(this, g_cursorTable[static_cast<std::size_t>(kind)].cursor);
    }
}

// A movement of the hand in a followed drag (device pixels): the position it stands for is
// the anchor plus the movement since the last step, as if the pointer had been put back.
void CAdjustWnd::OnRelativeMove(QPointF device) {
    if (!IsDragging())
        return;
    const QPointF total = m_movedRest + device;
    const QPoint whole(static_cast<int>(std::trunc(total.x())),
                       static_cast<int>(std::trunc(total.y())));
    m_movedRest = total - QPointF(whole);
    if (!whole.isNull())
        QueueDragMove(m_pendingMove.value_or(m_ptAnchor) + whole);
}

void CAdjustWnd::QueueDragMove(QPoint pos) {
    const bool queued = m_pendingMove.has_value();
    m_pendingMove = pos;
    if (!queued)
        QMetaObject::invokeMethod(this, &CAdjustWnd::StepDrag, Qt::QueuedConnection);
}

// Runs once the moves that had arrived meanwhile have been taken in, so that a pointer
// faster than the line makes one step from its latest position, not a queue of steps.
void CAdjustWnd::StepDrag() {
    const std::optional<QPoint> pos = std::exchange(m_pendingMove, std::nullopt);
    if (!pos || !IsDragging())
        return;
    // Whatever the dialogs or the monitor's traffic left unpainted is painted first.
    QCoreApplication::sendPostedEvents(this, QEvent::UpdateRequest);
    if (CanWarpPointer() && *pos != m_ptAnchor && windowHandle())
        ScreenPixels::WarpPointer(*windowHandle(), m_pixels, m_ptAnchor);
    const QPoint step = m_tracker.Move(*pos);
    ApplyStep(step.x(), step.y());
}

void CAdjustWnd::OnLButtonDown(QPoint pos, unsigned long time) {
    if (m_bActive) {
        if (IsDragging())
            Release();
        else if (!m_bMenuShown)
            Grab(pos, time);
    }
    // A click that closed the popup menu grabs nothing, and only that one.
    m_bMenuShown = false;
}

void CAdjustWnd::Grab(QPoint click, unsigned long time) {
    m_ptAnchor = Drag::Anchor(click, QSize(m_cxScreen, m_cyScreen));
    const int cell = CellMap::HitTest(m_cellRect, m_ptAnchor);
    if (cell < 0)
        return;
    m_nCurCell = cell;
    const int kind = CurrentKind();
    if (kind == HandleKinds::kNoHandle) {
        UserMessages().Beep();
        return;
    }
    m_cursor.Clear();
    setCursor(Qt::BlankCursor);
    grabMouse();
    // Where the pointer cannot be put back, the drag follows the hand's movements since the
    // press, and the pointer is locked. Without that each move counts from the last and the
    // drag ends at the screen's edge, so the drag animation tells of the arrow keys.
    const bool warp = CanWarpPointer();
    m_movedRest = {};
    m_pendingMove.reset();
    m_bFollowed = !warp && windowHandle() && m_pointerLock.Lock(*windowHandle(), time);
    m_tracker.Begin(m_ptAnchor, warp || m_bFollowed);
    m_dragAnim->setToolTip(QString());
    const CellMap::Rect& rect = m_cellRect[static_cast<std::size_t>(cell)];
    m_dragAnim->Open(HandleKinds::DragClip(kind));
    m_dragAnim->setGeometry(m_pixels.LogicalRect(QRect(Drag::ClipPosition(kind, m_ptAnchor, rect),
                                                       QSize(CMarkers::kSize, CMarkers::kSize))));
    m_dragAnim->show();
    m_dragAnim->raise();
    // A compositor may refuse the lock (sway does unless its seat allows it): the hint then
    // shows once the lock has had time to take hold.
    m_bHintDue = false;
    if (!warp && !m_bFollowed)
        ShowArrowKeysHintWhenUp();
    else if (m_bFollowed)
        QTimer::singleShot(kLockWait, this, [this] {
            if (IsDragging() && !m_pointerLock.IsLocked())
                ShowArrowKeysHintWhenUp();
        });
    const int marker = !BesideCell(kind) ? m_markers->OnCell(cell) : -1;
    if (marker >= 0) {
        const QRect place = m_markers->Geometry(marker);
        m_markers->SetVisible(marker, false);
        repaint(place.adjusted(0, -1, 0, 0));
    }
}

// A tool tip goes away with any release of a button, and the grab's own release comes
// after the press that grabbed: the hint waits for the left button to be up.
void CAdjustWnd::ShowArrowKeysHintWhenUp() {
    m_bHintDue = true;
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
        ShowArrowKeysHint();
}

void CAdjustWnd::ShowArrowKeysHint() {
    m_bHintDue = false;
    const QString hint = LoadAppString(Str::DragArrowKeys);
    m_dragAnim->setToolTip(hint);
    QToolTip::showText(m_dragAnim->mapToGlobal(QPoint(0, m_dragAnim->height())), hint, m_dragAnim);
}

void CAdjustWnd::Release() {
    m_pointerLock.Unlock();
    releaseMouse();
    QToolTip::hideText();
    m_pendingMove.reset();
    const int kind = CurrentKind();
    if (kind == HandleKinds::kNoHandle) {
        setCursor(Qt::ArrowCursor);
        return;
    }
    unsetCursor();
    m_cursor.Show(this, g_cursorTable[static_cast<std::size_t>(kind)].cursor);
    m_dragAnim->hide();
    m_dragAnim->Stop();
    m_dragAnim->Close();
    const CellMap::Rect& rect = m_cellRect[static_cast<std::size_t>(m_nCurCell)];
    repaint(m_pixels.LogicalRect(Drag::ReleaseRepaint(kind, m_ptAnchor, rect)));
    const int marker = !BesideCell(kind) ? m_markers->OnCell(m_nCurCell) : -1;
    if (marker >= 0)
        m_markers->SetVisible(marker, true);
}

// The convergence dialog ended while a handle was still held.
void CAdjustWnd::EndDragForDialog() {
    m_dragAnim->hide();
    m_dragAnim->Stop();
    m_dragAnim->Close();
    m_pointerLock.Unlock();
    releaseMouse();
    QToolTip::hideText();
    m_pendingMove.reset();
    setCursor(Qt::ArrowCursor);
}

void CAdjustWnd::keyPressEvent(QKeyEvent* event) {
    // While the Convergence dialog is open the keys are its own, whichever window the
    // display gave them to (a click on this window takes the keyboard on Wayland).
    if (m_bConvDialog && m_modeDialog) {
        m_modeDialog->activateWindow();
        QWidget* focus = m_modeDialog->focusWidget();
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                       event->isAutoRepeat(), quint16(event->count()));
        QCoreApplication::sendEvent(focus ? focus : m_modeDialog.data(), &copy);
        return;
    }
    // While a handle is held (the window has the mouse) the mode cannot be left.
    const bool dragging = IsDragging();
    if (event->modifiers() & Qt::AltModifier) {
        // Alt+F4 leaves the mode as Cancel does; other system keys do nothing here.
        if (event->key() == Qt::Key_F4 && !dragging)
            QMetaObject::invokeMethod(this, &CAdjustWnd::OnCancel, Qt::QueuedConnection);
        return;
    }
    // Shift+F10 opens the popup menu as the Menu key does, where the keyboard works.
    if (event->key() == Qt::Key_F10 &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier) {
        const QPoint at = inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
        QCoreApplication::sendEvent(this, &menu);
        return;
    }
    auto arrow = [this](int dx, int dy) {
        if (m_bActive && !ApplyStep(dx, dy))
            UserMessages().Beep();
    };
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!dragging)
            QMetaObject::invokeMethod(this, &CAdjustWnd::OnOK, Qt::QueuedConnection);
        break;
    case Qt::Key_Escape:
        if (!dragging)
            QMetaObject::invokeMethod(this, &CAdjustWnd::OnCancel, Qt::QueuedConnection);
        break;
    case Qt::Key_Left:
        arrow(-1, 0);
        break;
    case Qt::Key_Up:
        arrow(0, 1);
        break;
    case Qt::Key_Right:
        arrow(1, 0);
        break;
    case Qt::Key_Down:
        arrow(0, -1);
        break;
    default:
        break;
    }
}

void CAdjustWnd::closeEvent(QCloseEvent* event) {
    // Alt+F4 through the window manager cancels the mode rather than leaving the main
    // frame hidden.
    if (m_bActive) {
        event->ignore();
        if (!IsDragging())
            QMetaObject::invokeMethod(this, &CAdjustWnd::OnCancel, Qt::QueuedConnection);
        return;
    }
    m_markers->StopPendingNow();
    QWidget::closeEvent(event);
}

QMenu* CAdjustWnd::PopupMenu() {
    AdjustMenu::Situation situation;
    situation.vlinearityAvailable = m_monitor.IsAvailable(kVLinearity);
    situation.hconvAvailable = m_monitor.IsAvailable(kHConv);
    situation.vconvAvailable = m_monitor.IsAvailable(kVConv);
    situation.autoSizeAvailable = m_monitor.IsAvailable(Items::AutoSizeItem);
    situation.layout = m_nLayout;
    situation.comboAvailable = m_bComboAvailable;
    situation.sizeCombo = m_bSizeCombo;
    situation.distortionCombo = m_bDistortionCombo;
    m_bDistortionCombo = AdjustMenu::DistortionComboOnOpening(situation);
    situation.distortionCombo = m_bDistortionCombo;
    AdjustMenu::Apply(*m_menu, situation);
    FillScreenMenu();
    return m_menu;
}

// One entry per screen, the mode's own checked: choosing another moves the mode there and
// keeps the choice for this monitor.
void CAdjustWnd::FillScreenMenu() {
    QMenu* menu = AdjustMenu::ScreenMenu(*m_menu);
    menu->clear();
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (int i = 0; i < screens.size(); ++i) {
        const QSize size = CScreenPixels::Of(screens[i]).DeviceSize();
        QAction* action = menu->addAction(QStringLiteral("%1 (%2 x %3)")
                                              .arg(screens[i]->name())
                                              .arg(size.width())
                                              .arg(size.height()));
        action->setCheckable(true);
        action->setChecked(screens[i] == m_screen.Screen());
        // A screen without pixels (one switched off, say) cannot be drawn on.
        action->setEnabled(CScreenPixels::Of(screens[i]).IsUsable());
        action->setData(kScreenCommand + i);
    }
}

void CAdjustWnd::MoveToScreen(int index) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (index < 0 || index >= screens.size() || !CScreenPixels::Of(screens[index]).IsUsable())
        return;
    CModeScreen::SetChosenName(m_monitor.GetSerialText(), screens[index]->name());
    if (screens[index] == m_screen.Screen())
        return;
    HideMarkers();
    hide();
    ShowOnScreen(screens[index]);
    RefreshScreenLayout();
    repaint();
    TakeFocus();
    StartMarkers();
}

void CAdjustWnd::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_bActive || m_bConvDialog || IsDragging())
        return;
    // The click that closes the menu grabs nothing. A click outside the menu is handed on
    // to the window under it, during the menu's loop or just after it: that one is
    // swallowed, and the flag goes once it has had its turn, so the user's next click
    // grabs. A menu closed otherwise (Esc) leaves the next click to be swallowed.
    m_bMenuShown = true;
    m_bMenuClosedByClick = false;
    QAction* chosen = PopupMenu()->exec(event->globalPos());
    if (!m_bMenuClosedByClick)
        m_bMenuShown = true;
    else if (m_bMenuShown)
        QMetaObject::invokeMethod(
            this, [this] { m_bMenuShown = false; }, Qt::QueuedConnection);
    if (chosen)
        OnCommand(chosen->data().toInt());
}

void CAdjustWnd::OnCommand(int id) {
    if (!m_bActive)
        return;
    if (id >= kScreenCommand && id < kScreenCommand + kMaxScreens) {
        MoveToScreen(id - kScreenCommand);
        return;
    }
    switch (id) {
    case AdjustMenu::kVLinearity: {
        CVLinearityDlg dialog(m_monitor, m_hNotifyBack, this);
        RunBehindDialog(Patterns::kTextRows, dialog);
        break;
    }
    case AdjustMenu::kMoire: {
        CMoireDlg dialog(m_monitor, m_hNotifyBack, this);
        RunBehindDialog(Patterns::kCheckerboard, dialog);
        break;
    }
    case AdjustMenu::kConvergence:
        RunConvergence();
        break;
    case AdjustMenu::kAutoSizing:
        HideMarkers();
        m_bMenuShown = false;
        RunAutoSizeNotice();
        BackFromDialog();
        break;
    case AdjustMenu::kSizeCombo:
        ToggleCombination(m_bSizeCombo, &AdjustMenu::SizeComboKind);
        break;
    case AdjustMenu::kDistortionCombo:
        ToggleCombination(m_bDistortionCombo, &AdjustMenu::DistortionComboKind);
        break;
    case AdjustMenu::kHelp:
        OnHelp();
        break;
    case AdjustMenu::kOK:
        OnOK();
        break;
    case AdjustMenu::kCancel:
        OnCancel();
        break;
    default:
        break;
    }
}

void CAdjustWnd::RunBehindDialog(int pattern, QDialog& dialog) {
    HideMarkers();
    m_bMenuShown = false;
    ShowPattern(pattern);
    m_modeDialog = &dialog;
    CentreOnScreen(dialog);
    dialog.exec();
    BackFromDialog();
}

// A dialog of the mode has ended: the crosshatch and its markers come back and the keys
// are this window's again. Unless the program is ending meanwhile (the mode was cancelled
// under the dialog), when nothing comes back.
void CAdjustWnd::BackFromDialog() {
    if (!m_bActive)
        return;
    ShowMarkers();
    TakeFocus();
}

// The notice has no parent, but the window manager keeps it above this window and gives
// this window the keys back when it ends.
void CAdjustWnd::RunAutoSizeNotice() {
    CAutoSizeNoticeDlg notice(m_monitor);
    notice.winId();
    notice.windowHandle()->setTransientParent(windowHandle());
    notice.exec();
}

void CAdjustWnd::RunConvergence() {
    HideMarkers();
    m_bMenuShown = false;
    m_bConvDialog = true;
    UpdateActivation();
    ShowPattern(Patterns::kConvergence);
    if (!m_monitor.IsAvailable(kVConv))
        BuildCellMap(CellMap::kConvergenceH);
    else if (!m_monitor.IsAvailable(kVConvTop))
        BuildCellMap(CellMap::kConvergenceHV);
    else
        BuildCellMap(CellMap::kConvergenceAll);
    {
        // Modal for the user, but this window goes on taking drags meanwhile: shown
        // without blocking it, with its own loop, and kept above it.
        CConvergenceDlg dialog(m_monitor, m_hNotifyBack);
        m_modeDialog = &dialog;
        CentreOnScreen(dialog);
        if (QWindow* handle = dialog.windowHandle())
            handle->setTransientParent(windowHandle());
        QEventLoop loop;
        connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
        dialog.show();
        if (!dialog.HasEnded())
            loop.exec(QEventLoop::DialogExec);
    }
    if (IsDragging())
        EndDragForDialog();
    m_bConvDialog = false;
    UpdateActivation();
    BuildCellMap(CellMap::kGeometry);
    BackFromDialog();
}

void CAdjustWnd::ToggleCombination(bool& flag, bool (*affected)(int kind)) {
    m_bMenuShown = false;
    flag = !flag;
    BuildCellMap(CellMap::kGeometry);
    m_markers->Restart(m_cellKind, affected);
}

void CAdjustWnd::OnHelp() {
    m_bMenuShown = false;
    // The mode's page opens in the help file's secondary window "proc4", above this one.
    ShowHelpTopic(m_strHelpPath + QStringLiteral(">proc4"), HelpContext::ScreenAdjustment,
                  m_bActive ? this : nullptr);
}
