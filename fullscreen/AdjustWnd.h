#pragma once

#include "fullscreen/CellMap.h"
#include "fullscreen/Drag.h"
#include "fullscreen/GreyPalette.h"
#include "fullscreen/HandleLayout.h"
#include "fullscreen/ModeScreen.h"
#include "fullscreen/PatternPicture.h"
#include "fullscreen/PointerLock.h"
#include "fullscreen/ScreenPixels.h"
#include "platform/CursorAnimator.h"

#include <QDialog>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class CAnimateCtrl;
class CMarkers;
class CMonitor;
class QDialog;
class QMenu;
class QScreen;

// The one full-screen window: the test-pattern screen of the Color Setting dialog and,
// opened from the main panel, the full-screen geometry adjustment. Created hidden at
// start-up, deleted at exit. The rules live beside it (cell map, steps, drag, markers,
// menu); the window takes the events and hands them on.
class CAdjustWnd : public QWidget {
    Q_OBJECT
public:
    explicit CAdjustWnd(CMonitor& monitor, QWidget* parent = nullptr);
    // Writes "Settings"/"congro" and "poscongro"; a mode still on is cancelled first.
    ~CAdjustWnd() override;

    // Creates the window on the display and reads the combination coefficients; when they
    // cannot be used the user is told once (message 61221) and both switches stay off for
    // the run. Called once, after construction.
    void Create();

    // The main frame, hidden while the adjustment mode runs and shown again after it.
    // Closing it while the mode is on cancels the mode first.
    void SetMainWindow(QWidget* mainWindow);
    // The help file; the mode's help page opens from it in its own window.
    void SetHelpPath(const QString& helpPath) { m_strHelpPath = helpPath; }
    // Enters the adjustment mode; `notifyBack` (the main view) is made the controller's
    // notify object again on leaving it.
    void Open(QObject* notifyBack);
    // Shows the window with pattern 4, 8, 11, 12 or 17 (any other number paints black).
    // Selecting the pattern already on show does nothing.
    void ShowPattern(int pattern);
    // The display has gone (see CQelt32App::EndWithoutDisplay): the monitor is left as
    // Cancel leaves it and the switches are written, without touching the window.
    void EndWithoutDisplay();
    int Pattern() const { return m_nPattern; }

    bool IsActive() const { return m_bActive; } // the adjustment mode is on
    int Layout() const { return m_nLayout; }    // handle layout 0, 1 or 2
    int MarkerCount() const { return m_nMarkers; }
    int MarkerCell(int marker) const { return m_markerCell[static_cast<std::size_t>(marker)]; }
    bool DistortionCombo() const { return m_bDistortionCombo; }
    bool SizeCombo() const { return m_bSizeCombo; }
    bool ComboAvailable() const { return m_bComboAvailable; }
    bool ConvDialogOpen() const { return m_bConvDialog; }
    // A handle is held: the window has the mouse.
    bool IsDragging() const;
    // The compositor holds the pointer still for the drag (Wayland).
    bool PointerLocked() const { return m_pointerLock.IsLocked(); }
    int CurrentCell() const { return m_nCurCell; }
    QPoint Anchor() const { return m_ptAnchor; }
    // Screen size (device pixels) and hit cells as of the last crosshatch paint.
    QSize ScreenSize() const { return {m_cxScreen, m_cyScreen}; }
    const CellMap::Rects& CellRects() const { return m_cellRect; }
    const CellMap::Kinds& CellKinds() const { return m_cellKind; }
    CMarkers* Markers() const { return m_markers; }
    CAnimateCtrl* DragAnimation() const { return m_dragAnim; }
    // The popup menu, its items enabled and checked as when it opens.
    QMenu* PopupMenu();

    // Fills the cell kinds for a request: 3 geometry (with the current switches), 4, 17
    // or 18 convergence.
    void BuildCellMap(int request);
    // One step on the current cell's handle (dx > 0 rightwards, dy > 0 upwards); false
    // when the handle does not move along a non-zero component or there is no handle.
    bool ApplyStep(int dx, int dy);

public slots:
    // Leave the adjustment mode keeping the new geometry and storing it in the monitor,
    // or putting back the geometry of the moment the mode began. Nothing while it is off.
    void OnOK();
    void OnCancel();
    // A command of the popup menu (its id).
    void OnCommand(int id);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    CMonitor& m_monitor;
    QPointer<QWidget> m_mainWindow;

    bool m_bConvDialog = false;
    bool m_bDistortionCombo = true;
    bool m_bSizeCombo = true;
    bool m_bComboAvailable = true;
    QPointer<QObject> m_hNotifyBack;
    int m_nPattern = 0;
    int m_cxScreen = 0;
    int m_cyScreen = 0;
    int m_nCols = CellMap::kGridCols;
    int m_nRows = CellMap::kGridRows;
    int m_nMarkers = 0;
    std::array<int, HandleLayout::kMaxMarkers> m_markerCell{};
    std::unique_ptr<CGreyPalette> m_pPalette; // null when it could not be made
    CellMap::Rects m_cellRect{};
    CellMap::Kinds m_cellKind{};
    bool m_bActive = false;
    QPoint m_ptAnchor;
    int m_nCurCell = -1; // none yet
    CMarkers* m_markers = nullptr;
    CAnimateCtrl* m_dragAnim = nullptr;
    bool m_bMenuShown = false;
    int m_nLayout = 0;

private:
    bool LoadCombination();
    void SaveSwitches() const;
    void ShowOnScreen(QScreen* screen);
    void FillScreenMenu();
    void MoveToScreen(int index);
    void OnScreenChanged();
    void CentreOnScreen(QWidget& dialog);
    void RefreshScreenLayout();
    void Leave();
    // Clicks neither activate the window nor raise it while the mode is off (test pattern
    // screen) or the convergence dialog is open.
    void UpdateActivation();
    void StartMarkers();
    void ShowMarkers();
    void HideMarkers();
    void OnMouseMove(QPoint pos);
    // `time`: the press's timestamp, as the display stamped it.
    void OnLButtonDown(QPoint pos, unsigned long time);
    void Grab(QPoint click, unsigned long time);
    void Release();
    void EndDragForDialog();
    void OnRelativeMove(QPointF device);
    void ShowArrowKeysHintWhenUp();
    void ShowArrowKeysHint();
    void QueueDragMove(QPoint pos);
    void StepDrag();
    int CurrentKind() const;
    void ToggleCombination(bool& flag, bool (*affected)(int kind));
    void RunConvergence();
    void RunAutoSizeNotice();
    void RunBehindDialog(int pattern, QDialog& dialog);
    void BackFromDialog();
    void TakeFocus();
    void OnHelp();

    CCursorAnimator m_cursor;
    CModeScreen m_screen;
    CScreenPixels m_pixels;
    QPoint m_mainPlace;              // the main window's place before the mode hid it
    bool m_bPlaceMainWindow = false; // to be asked for when it shows again
    // The dialog the mode runs (linearity, moire, convergence), while it runs.
    QPointer<QDialog> m_modeDialog;
    CPatternPicture m_picture;
    Drag::Tracker m_tracker;
    // Follows the hand and holds the pointer during a drag where the pointer cannot be put
    // back (Wayland); m_bFollowed while it does.
    CPointerLock m_pointerLock;
    bool m_bFollowed = false;
    // The arrow-keys hint waits for the left button's release.
    bool m_bHintDue = false;
    QPointF m_movedRest; // the fraction of a device pixel moved and not yet counted
    // The last position reported during a drag and not yet turned into a step: positions
    // arriving faster than the line can take steps replace each other.
    std::optional<QPoint> m_pendingMove;
    QMenu* m_menu = nullptr;
    // The popup menu was closed by a click outside it.
    bool m_bMenuClosedByClick = false;
    QString m_strHelpPath;
};
