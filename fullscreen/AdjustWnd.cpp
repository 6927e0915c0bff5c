#include "fullscreen/AdjustWnd.h"

#include "fullscreen/Combination.h"
#include "fullscreen/Patterns.h"
#include "link/Monitor.h"
#include "platform/Profile.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

constexpr int kPinTop = 11;
constexpr int kHConv = 16;
constexpr int kVConv = 17;
constexpr int kTilt = 22;

QSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

} // namespace

CAdjustWnd::CAdjustWnd(CMonitor& monitor, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_monitor(monitor) {
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
    FitToScreen();
    // A new display mode resizes the window, and the resize repaints it.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        connect(screen, &QScreen::geometryChanged, this, &CAdjustWnd::FitToScreen);

    m_pPalette = CGreyPalette::Create(m_nCols);
}

CAdjustWnd::~CAdjustWnd() {
    Profile::WriteInt("Settings", "congro", m_bDistortionCombo ? 1 : 0);
    Profile::WriteInt("Settings", "poscongro", m_bSizeCombo ? 1 : 0);
}

void CAdjustWnd::FitToScreen() {
    const QRect screen(QPoint(0, 0), PrimaryScreenSize());
    if (!screen.isEmpty() && geometry() != screen)
        setGeometry(screen);
}

void CAdjustWnd::ShowPattern(int pattern) {
    const bool unchanged = pattern == m_nPattern;
    m_nPattern = pattern;
    if (unchanged && isVisible())
        return;
    RefreshScreenLayout();
    if (!isVisible()) {
        FitToScreen();
        // As a test pattern behind the Color Setting dialog the window must not take the
        // focus from the dialog; in the adjustment mode it takes the keyboard.
        setAttribute(Qt::WA_ShowWithoutActivating, !m_bActive);
        show();
    }
    repaint();
}

void CAdjustWnd::Open(QObject* notifyBack) {
    m_bActive = true;
    if (m_mainWindow)
        m_mainWindow->hide();
    ShowPattern(Patterns::kCrosshatch);
    FitToScreen();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    m_monitor.MarkGeometry();
    m_monitor.MarkItem(kTilt);
    m_hNotifyBack = notifyBack;
}

void CAdjustWnd::OnOK() {
    if (!m_bActive)
        return;
    m_monitor.CommitGeometry();
    m_monitor.CommitItem(kTilt);
    m_monitor.StoreInMemory(false);
    Leave();
}

void CAdjustWnd::OnCancel() {
    if (!m_bActive)
        return;
    m_monitor.RevertGeometry();
    m_monitor.RevertItem(kTilt);
    Leave();
}

void CAdjustWnd::Leave() {
    if (m_mainWindow)
        m_mainWindow->show();
    hide();
    m_monitor.SetNotifyWindow(m_hNotifyBack);
    m_bActive = false;
}

// A window that is being mapped paints only once the display system has exposed it, but
// the adjustment mode places its markers on the cells right after showing the crosshatch:
// so ShowPattern brings the cells up to date as well as every paint does.
void CAdjustWnd::RefreshScreenLayout() {
    const QSize screen = PrimaryScreenSize();
    m_cxScreen = screen.width();
    m_cyScreen = screen.height();
    if (Patterns::IsCrosshatch(m_nPattern))
        m_cellRect = CellMap::ComputeRects(screen);
}

void CAdjustWnd::paintEvent(QPaintEvent*) {
    RefreshScreenLayout();
    const QSize screen(m_cxScreen, m_cyScreen);
    QPainter painter(this);
    Patterns::Context context;
    context.screen = screen;
    context.cols = m_nCols;
    context.rows = m_nRows;
    context.hconvAvailable = m_monitor.IsAvailable(kHConv);
    context.vconvAvailable = m_monitor.IsAvailable(kVConv);
    context.palette = m_pPalette.get();
    Patterns::Paint(painter, m_nPattern, context);
}

void CAdjustWnd::keyPressEvent(QKeyEvent* event) {
    // While a handle is held (the window has the mouse) the mode cannot be left.
    const bool dragging = QWidget::mouseGrabber() == this;
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
    default:
        break;
    }
}

void CAdjustWnd::closeEvent(QCloseEvent* event) {
    // Alt+F4 in the adjustment mode cancels it rather than leaving the main frame hidden.
    if (m_bActive) {
        event->ignore();
        if (QWidget::mouseGrabber() != this)
            QMetaObject::invokeMethod(this, &CAdjustWnd::OnCancel, Qt::QueuedConnection);
        return;
    }
    QWidget::closeEvent(event);
}
