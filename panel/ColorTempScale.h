#pragma once

#include <QString>

// The colour-temperature scale of the main panel. A revision-B monitor has seven steps,
// 6500K .. 9300K; every other monitor 61 steps of 100 K from 4000K (step 0) to 10000K
// (step 60).
class CColorTempScale {
public:
    // The step taken when a remembered step does not fit the scale.
    static constexpr int kFallbackStep = 6;

    explicit CColorTempScale(bool revisionB);

    bool IsRevisionB() const { return m_bRevisionB; }
    int MaxStep() const { return m_bRevisionB ? 6 : 60; }
    int TickFrequency() const { return m_bRevisionB ? 1 : 5; }
    bool Contains(int step) const { return step >= 0 && step <= MaxStep(); }
    // `step` when the scale has it, else the fallback step.
    int Fit(int step) const { return Contains(step) ? step : kFallbackStep; }
    // "6500K" and the like.
    QString Text(int step) const;
    QString LowLabel() const { return Text(0); }
    QString HighLabel() const { return Text(MaxStep()); }

private:
    bool m_bRevisionB;
};
