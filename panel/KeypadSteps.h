#pragma once

#include <Qt>

#include <array>

// The numeric-keypad steps of the main panel: with Num Lock on, the keypad arrows move
// the picture by one, with Alt they resize it; the diagonal keys move both axes. Num 5
// does nothing.
struct KeypadStep {
    int command; // the command id
    int key;     // Qt::Key_1 .. Qt::Key_9, from the keypad
    bool alt;
    int item1, delta1;
    int item2, delta2; // the second axis of a diagonal key
    bool both;         // diagonal: both items or neither
};

const std::array<KeypadStep, 16>& KeypadSteps();
// The step of a command id, or null.
const KeypadStep* FindKeypadStep(int command);
// The step a key press stands for: a keypad digit with Num Lock on, alone or with Alt
// only. Main-keyboard digits and other combinations are no step (null).
const KeypadStep* FindKeypadKey(int key, Qt::KeyboardModifiers modifiers);
