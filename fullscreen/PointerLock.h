#pragma once

#include <QPointF>

#include <functional>
#include <memory>

class QWindow;

// Holds the pointer still over a window and reports how far the hand moves it, where the
// pointer cannot be put back by the program (Wayland): the compositor locks the pointer
// (pointer-constraints protocol) and sends each movement as it is made (relative-pointer
// protocol). Elsewhere, or where the compositor offers neither protocol, nothing is locked.
class CPointerLock {
public:
    // `moved` gets each movement in the screen's device pixels while the lock holds.
    explicit CPointerLock(std::function<void(QPointF)> moved);
    ~CPointerLock();
    CPointerLock(const CPointerLock&) = delete;
    CPointerLock& operator=(const CPointerLock&) = delete;

    // The display offers both protocols (asked once).
    bool Available();
    // Asks for the pointer to be locked over `window` (shown, with the keyboard): true when
    // asked. The lock holds from when the compositor says so (IsLocked) until Unlock, or
    // until the compositor ends it (the window lost the pointer or the keyboard).
    bool Lock(QWindow& window);
    void Unlock();
    bool IsLocked() const;

    struct Wayland;

private:
    std::unique_ptr<Wayland> m_wayland;
    std::function<void(QPointF)> m_moved;
};
