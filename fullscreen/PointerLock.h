#pragma once

#include <QPointF>

#include <functional>
#include <memory>

class QWindow;

// Follows the hand's movements during a drag where the pointer cannot be put back by the
// program (Wayland): the compositor sends each movement as it is made (relative-pointer
// protocol) and holds the pointer still over the window meanwhile (pointer-constraints
// protocol), so that a drag never stops at a screen's edge. Elsewhere, or where the
// compositor offers neither protocol, nothing is followed.
//
// The movements are taken in the order the display sent them, beside the presses of the
// left button: a drag has the movements made after its press and before the next press,
// whenever the toolkit gets round to delivering those presses. The lock itself may take
// a moment or never come; the movements count from the press either way.
class CPointerLock {
public:
    // `moved` gets each movement of the drag in the screen's device pixels.
    explicit CPointerLock(std::function<void(QPointF)> moved);
    ~CPointerLock();
    CPointerLock(const CPointerLock&) = delete;
    CPointerLock& operator=(const CPointerLock&) = delete;

    // The display offers both protocols (asked once).
    bool Available();
    // Follows the drag that began with the left-button press the toolkit stamped
    // `pressTime` (its milliseconds, as the display sent them) over `window` (shown, with
    // the keyboard), and asks for the pointer to be locked there: true when followed.
    // The movements made since that press are passed on at once.
    bool Lock(QWindow& window, unsigned long pressTime);
    void Unlock();
    // The compositor holds the pointer (from when it says so until Unlock, or until it
    // ends the lock because the window lost the pointer or the keyboard).
    bool IsLocked() const;

    struct Wayland;

private:
    std::unique_ptr<Wayland> m_wayland;
    std::function<void(QPointF)> m_moved;
};
