#pragma once

#include <QByteArray>
#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <optional>
#include <vector>

// One picture of a cursor with the point that the mouse position refers to.
struct CursorFrame {
    QImage image; // ARGB32
    QPoint hotSpot;
};

// A cursor loaded from a file: an animated cursor (RIFF "ACON" .ani: frames, an optional
// step sequence and per-step rates) or a static one (.cur or .ico, one frame). Parsing is
// strict: a file that is cut short, whose chunks or images point past its end, or whose
// headers contradict each other is refused as a whole.
class CAnimatedCursor {
public:
    // Parses .ani content.
    static std::optional<CAnimatedCursor> FromAni(const QByteArray& data, QString* error);
    // Parses .cur/.ico content (the entry closest to 32 x 32 is taken).
    static std::optional<CAnimatedCursor> FromCur(const QByteArray& data, QString* error);
    // Reads a file and parses it by its content: RIFF data as .ani, anything else as .cur.
    static std::optional<CAnimatedCursor> FromFile(const QString& path, QString* error);

    bool IsNull() const { return m_frames.empty(); }
    int FrameCount() const { return int(m_frames.size()); }
    const CursorFrame& Frame(int index) const { return m_frames[size_t(index)]; }
    // The animation runs through the steps in order and starts again; each step shows one
    // frame for its own time.
    int StepCount() const { return int(m_sequence.size()); }
    int FrameOfStep(int step) const { return m_sequence[size_t(step)]; }
    int StepMilliseconds(int step) const { return m_stepMs[size_t(step)]; }
    bool IsAnimated() const { return StepCount() > 1; }

    // The cursor of a step (needs a GUI application).
    QCursor Cursor(int step) const;

private:
    std::vector<CursorFrame> m_frames;
    std::vector<int> m_sequence;
    std::vector<int> m_stepMs;
};
