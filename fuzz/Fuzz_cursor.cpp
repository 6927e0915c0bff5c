// Feeds arbitrary bytes to the animated (.ani) and static (.cur/.ico) cursor loaders. A
// cursor they accept must be safe to animate: at least one frame, every frame a real
// picture no larger than a cursor gets with its hot spot inside it, every step naming an
// existing frame, and no step of an animation without time.
#include "platform/AnimatedCursor.h"

#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckCursor(const std::optional<CAnimatedCursor>& cursor, const QString& error) {
    if (!cursor) {
        Check(!error.isEmpty());
        return;
    }
    Check(!cursor->IsNull() && cursor->StepCount() >= 1);
    for (int i = 0; i < cursor->FrameCount(); ++i) {
        const CursorFrame& frame = cursor->Frame(i);
        Check(frame.image.format() == QImage::Format_ARGB32);
        Check(frame.image.width() >= 1 && frame.image.width() <= 256);
        Check(frame.image.height() >= 1 && frame.image.height() <= 256);
        Check(frame.image.rect().contains(frame.hotSpot));
    }
    for (int step = 0; step < cursor->StepCount(); ++step) {
        Check(cursor->FrameOfStep(step) >= 0 && cursor->FrameOfStep(step) < cursor->FrameCount());
        Check(!cursor->IsAnimated() || cursor->StepMilliseconds(step) > 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    CheckCursor(CAnimatedCursor::FromAni(bytes, &error), error);
    error.clear();
    CheckCursor(CAnimatedCursor::FromCur(bytes, &error), error);
    return 0;
}
