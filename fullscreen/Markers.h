#pragma once

#include "fullscreen/CellMap.h"
#include "fullscreen/ScreenPixels.h"

#include <QObject>
#include <QRect>
#include <QTimer>

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class CAnimateCtrl;
class QWidget;

// The looping animations that mark the handles of the adjustment mode: one on each marker
// cell of the handle layout, playing the marker clip of the cell's handle kind. When the
// mode is left they are hidden at once but stopped and closed one per timer tick, so that
// leaving never waits for all of them; opening the mode again before the last tick calls
// the rest off and starts every marker afresh.
class CMarkers : public QObject {
    Q_OBJECT
public:
    using Kinds = std::array<std::uint8_t, CellMap::kCount>;
    static constexpr int kSize = 32;

    // One hidden control per cell of `cells`, children of `window`, with ids 0, 1, ...
    CMarkers(QWidget* window, std::span<const int> cells);

    int Count() const { return static_cast<int>(m_controls.size()); }
    int Cell(int marker) const { return m_cells[static_cast<std::size_t>(marker)]; }
    // The marker on `cell`, or -1.
    int OnCell(int cell) const;
    CAnimateCtrl* Control(int marker) const { return m_controls[static_cast<std::size_t>(marker)]; }
    QRect Geometry(int marker) const;

    // Stops and closes every marker, opens the clip of its cell's kind and shows it, 32 x 32
    // device pixels, centred on its cell (without taking the focus or changing the
    // stacking). The cells are in the device pixels of `pixels`.
    void Start(const CellMap::Rects& rects, const Kinds& kinds,
               const CScreenPixels& pixels = CScreenPixels(QSize(1, 1), 1.0));
    // Stops, closes and reopens, with the clip of its cell's new kind, every marker whose
    // kind `affected` accepts. Places and visibility stay.
    void Restart(const Kinds& kinds, const std::function<bool(int kind)>& affected);
    void SetVisible(bool visible);
    void SetVisible(int marker, bool visible);

    // After leaving the mode: one marker stopped and closed per 1 ms tick.
    void StopOneByOne();
    bool StopPending() const { return m_nStopIndex < Count(); }
    int StopIndex() const { return m_nStopIndex; }
    // Calls the pending stops off (the markers are about to be started again).
    void CancelPendingStops();
    // Stops and closes at once every marker still waiting for its tick.
    void StopPendingNow();

private:
    void StopOne();
    void OpenClip(int marker, int kind);

    std::vector<int> m_cells;
    std::vector<CAnimateCtrl*> m_controls; // owned by the window
    int m_nStopIndex = 0;
    QTimer m_stopTimer;
};
