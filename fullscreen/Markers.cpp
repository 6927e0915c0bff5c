#include "fullscreen/Markers.h"

#include "fullscreen/HandleKinds.h"
#include "platform/AnimateCtrl.h"

#include <QWidget>

#include <algorithm>

namespace {

// The controls' size until their first placement.
constexpr int kInitialSize = 34;

} // namespace

CMarkers::CMarkers(QWidget* window, std::span<const int> cells)
    : QObject(window), m_cells(cells.begin(), cells.end()) {
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        auto* control = new CAnimateCtrl(window);
        control->setObjectName(QStringLiteral("marker%1").arg(i));
        control->SetAutoPlay(true);
        control->SetDevicePixels(true);
        // The pointer belongs to the window's cells wherever a marker plays over them.
        control->setAttribute(Qt::WA_TransparentForMouseEvents);
        control->setGeometry(0, 0, kInitialSize, kInitialSize);
        control->hide();
        m_controls.push_back(control);
    }
    m_nStopIndex = Count();
    m_stopTimer.setInterval(1);
    m_stopTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_stopTimer, &QTimer::timeout, this, &CMarkers::StopOne);
}

int CMarkers::OnCell(int cell) const {
    const auto found = std::find(m_cells.begin(), m_cells.end(), cell);
    return found == m_cells.end() ? -1 : static_cast<int>(found - m_cells.begin());
}

QRect CMarkers::Geometry(int marker) const {
    return Control(marker)->geometry();
}

void CMarkers::OpenClip(int marker, int kind) {
    CAnimateCtrl* control = Control(marker);
    control->Stop();
    control->Close();
    control->Open(HandleKinds::MarkerClip(kind));
}

void CMarkers::Start(const CellMap::Rects& rects, const Kinds& kinds, const CScreenPixels& pixels) {
    for (int i = 0; i < Count(); ++i) {
        const auto cell = static_cast<std::size_t>(Cell(i));
        OpenClip(i, kinds[cell]);
        const CellMap::Rect& r = rects[cell];
        const int left = r.left + (r.right - r.left) / 2 - kSize / 2;
        const int top = r.top + (r.bottom - r.top) / 2 - kSize / 2;
        CAnimateCtrl* control = Control(i);
        control->setGeometry(pixels.LogicalRect(QRect(left, top, kSize, kSize)));
        control->show();
    }
}

void CMarkers::Restart(const Kinds& kinds, const std::function<bool(int kind)>& affected) {
    for (int i = 0; i < Count(); ++i) {
        const int kind = kinds[static_cast<std::size_t>(Cell(i))];
        if (affected(kind))
            OpenClip(i, kind);
    }
}

void CMarkers::SetVisible(bool visible) {
    for (int i = 0; i < Count(); ++i)
        SetVisible(i, visible);
}

void CMarkers::SetVisible(int marker, bool visible) {
    Control(marker)->setVisible(visible);
}

void CMarkers::StopOneByOne() {
    m_nStopIndex = 0;
    m_stopTimer.start();
}

void CMarkers::StopOne() {
    if (m_nStopIndex < Count()) {
        Control(m_nStopIndex)->Stop();
        Control(m_nStopIndex)->Close();
    }
    if (++m_nStopIndex >= Count()) {
        m_nStopIndex = Count();
        m_stopTimer.stop();
    }
}

void CMarkers::CancelPendingStops() {
    m_stopTimer.stop();
    m_nStopIndex = Count();
}

void CMarkers::StopPendingNow() {
    if (!StopPending())
        return;
    for (CAnimateCtrl* control : m_controls) {
        control->Stop();
        control->Close();
    }
    CancelPendingStops();
}
