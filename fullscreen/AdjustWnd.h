#pragma once

#include "fullscreen/CellMap.h"
#include "fullscreen/GreyPalette.h"
#include "fullscreen/HandleLayout.h"

#include <QPointer>
#include <QSize>
#include <QWidget>

#include <array>
#include <memory>

class CMonitor;

// The one full-screen window: the test-pattern screen of the Color Setting dialog and,
// opened from the main panel, the full-screen geometry adjustment. Created hidden at
// start-up, deleted at exit.
class CAdjustWnd : public QWidget {
    Q_OBJECT
public:
    explicit CAdjustWnd(CMonitor& monitor, QWidget* parent = nullptr);
    ~CAdjustWnd() override; // writes "Settings"/"congro" and "poscongro"

    // The main frame, hidden while the adjustment mode runs and shown again after it.
    void SetMainWindow(QWidget* mainWindow) { m_mainWindow = mainWindow; }
    // Enters the adjustment mode; `notifyBack` (the main view) is made the controller's
    // notify object again on leaving it.
    void Open(QObject* notifyBack);
    // Shows the window with pattern 4, 8, 11, 12 or 17 (any other number paints black).
    // Selecting the pattern already on show does nothing.
    void ShowPattern(int pattern);
    int Pattern() const { return m_nPattern; }

    bool IsActive() const { return m_bActive; } // the adjustment mode is on
    int Layout() const { return m_nLayout; }    // handle layout 0, 1 or 2
    int MarkerCount() const { return m_nMarkers; }
    int MarkerCell(int marker) const { return m_markerCell[static_cast<std::size_t>(marker)]; }
    bool DistortionCombo() const { return m_bDistortionCombo; }
    bool SizeCombo() const { return m_bSizeCombo; }
    // Screen size and hit cells as of the last crosshatch paint.
    QSize ScreenSize() const { return {m_cxScreen, m_cyScreen}; }
    const CellMap::Rects& CellRects() const { return m_cellRect; }

public slots:
    // Leave the adjustment mode keeping the new geometry and storing it in the monitor,
    // or putting back the geometry of the moment the mode began. Nothing while it is off.
    void OnOK();
    void OnCancel();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    CMonitor& m_monitor;
    QPointer<QWidget> m_mainWindow;

    bool m_bDistortionCombo = true;
    bool m_bSizeCombo = true;
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
    bool m_bActive = false;
    int m_nLayout = 0;

private:
    void FitToScreen();
    void RefreshScreenLayout();
    void Leave();
};
