#pragma once

#include <QSlider>

// A horizontal track bar as the program's forms use it. Scrolled() carries every scroll
// notification the user causes: each position while the thumb is dragged, each key or
// page step, and once more with the final position when the thumb is released. Positions
// set by the program (SetPos, SetRangeMax) send nothing.
class CTrackBar : public QSlider {
    Q_OBJECT
public:
    // `ticks`: tick marks below the channel every `tickFrequency` positions.
    explicit CTrackBar(QWidget* parent = nullptr, bool ticks = false);

    void SetRangeMax(int maximum); // range 0..maximum
    void SetPos(int pos);
    void SetLineSize(int size) { setSingleStep(size); }
    void SetPageSize(int size) { setPageStep(size); }
    void SetTickFrequency(int frequency) { setTickInterval(frequency); }

signals:
    void Scrolled(int pos);

private:
    bool m_bSetting = false;
};
