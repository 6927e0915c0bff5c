#include "panel/KeypadSteps.h"

#include "link/Monitor.h"

#include <Qt>

namespace {
using namespace Items;
constexpr int None = 0;
} // namespace

const std::array<KeypadStep, 16>& KeypadSteps() {
    static const std::array<KeypadStep, 16> steps = {{
        {32816, Qt::Key_6, false, HPos, +1, None, 0, false},
        {32817, Qt::Key_4, false, HPos, -1, None, 0, false},
        {32818, Qt::Key_8, false, VPos, +1, None, 0, false},
        {32819, Qt::Key_2, false, VPos, -1, None, 0, false},
        {32771, Qt::Key_9, false, HPos, +1, VPos, +1, true},
        {32772, Qt::Key_3, false, HPos, +1, VPos, -1, true},
        {32773, Qt::Key_7, false, HPos, -1, VPos, +1, true},
        {32774, Qt::Key_1, false, HPos, -1, VPos, -1, true},
        {32820, Qt::Key_6, true, HSize, +1, None, 0, false},
        {32821, Qt::Key_4, true, HSize, -1, None, 0, false},
        {32822, Qt::Key_8, true, VSize, +1, None, 0, false},
        {32823, Qt::Key_2, true, VSize, -1, None, 0, false},
        {32775, Qt::Key_9, true, HSize, +1, VSize, +1, true},
        {32776, Qt::Key_3, true, HSize, +1, VSize, -1, true},
        {32777, Qt::Key_7, true, HSize, -1, VSize, +1, true},
        {32778, Qt::Key_1, true, HSize, -1, VSize, -1, true},
    }};
    return steps;
}

const KeypadStep* FindKeypadStep(int command) {
    for (const KeypadStep& step : KeypadSteps())
        if (step.command == command)
            return &step;
    return nullptr;
}

const KeypadStep* FindKeypadKey(int key, Qt::KeyboardModifiers modifiers) {
    if (!(modifiers & Qt::KeypadModifier))
        return nullptr;
    const Qt::KeyboardModifiers others = modifiers & ~Qt::KeypadModifier;
    if (others != Qt::NoModifier && others != Qt::AltModifier)
        return nullptr;
    for (const KeypadStep& step : KeypadSteps())
        if (step.key == key && step.alt == (others == Qt::AltModifier))
            return &step;
    return nullptr;
}
