#include "fullscreen/PointerLock.h"

#include <QGuiApplication>
#include <QWindow>

#ifdef QELT32_HAVE_POINTER_LOCK

#include <qpa/qplatformnativeinterface.h>
#include <qpa/qplatformwindow.h>

#include "pointer-constraints-unstable-v1-client-protocol.h"
#include "relative-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cstring>
#include <deque>

// Our objects live on the toolkit's own event queue, so that their events arrive on the
// user-interface thread whenever the toolkit reads the display; only the first look at
// the display's globals uses a queue of its own, so as not to run the toolkit's handlers
// from here.
// Our seat has no listener: its events are dropped. Our pointer hears only the presses of
// the left button, to place the relative movements between them.
struct CPointerLock::Wayland {
    wl_display* display = nullptr;
    zwp_pointer_constraints_v1* constraints = nullptr;
    zwp_relative_pointer_manager_v1* relativeManager = nullptr;
    wl_seat* ownSeat = nullptr; // bound here when the toolkit does not lend its own
    wl_pointer* pointer = nullptr;
    zwp_relative_pointer_v1* relative = nullptr;
    zwp_locked_pointer_v1* locked = nullptr;
    bool isLocked = false;
    double ratio = 1.0; // device pixels per surface coordinate of the followed window
    std::function<void(QPointF)>* moved = nullptr;

    // The last few presses of the left button, each with the movement (surface
    // coordinates) made after it, in the order the display sent them; the newest last.
    struct Press {
        uint32_t time;
        QPointF movedSince;
    };
    static constexpr std::size_t kPressesKept = 8;
    std::deque<Press> presses;
    // The followed drag's press is the newest: movements are passed on as they come.
    bool following = false;

    void OnPress(uint32_t time) {
        following = false;
        presses.push_back({time, {}});
        if (presses.size() > kPressesKept)
            presses.pop_front();
    }
    void OnMotion(QPointF surface) {
        if (presses.empty())
            return;
        presses.back().movedSince += surface;
        if (following)
            Pass(surface);
    }
    // Follows from the press of `time`, passing on what has been moved since; a press the
    // display never sent (one the toolkit made up) is followed from now.
    void Follow(uint32_t time) {
        const auto press = std::find_if(presses.rbegin(), presses.rend(),
                                        [&](const Press& p) { return p.time == time; });
        following = press == presses.rbegin() || press == presses.rend();
        if (press != presses.rend())
            Pass(press->movedSince);
    }
    void Pass(QPointF surface) const {
        if (!surface.isNull() && moved && *moved)
            (*moved)(surface * ratio);
    }

    ~Wayland() {
        EndLock();
        if (relative)
            zwp_relative_pointer_v1_destroy(relative);
        if (pointer)
            wl_pointer_release(pointer);
        if (ownSeat)
            wl_seat_destroy(ownSeat);
        if (relativeManager)
            zwp_relative_pointer_manager_v1_destroy(relativeManager);
        if (constraints)
            zwp_pointer_constraints_v1_destroy(constraints);
        if (display)
            wl_display_flush(display);
    }

    void EndLock() {
        if (locked)
            zwp_locked_pointer_v1_destroy(locked);
        locked = nullptr;
        isLocked = false;
        following = false;
    }

    // Binds the two protocols and, when needed, a seat; true when all are there.
    bool Bind(wl_seat* toolkitSeat);
};

namespace {

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
    auto* wayland = static_cast<CPointerLock::Wayland*>(data);
    if (std::strcmp(interface, zwp_pointer_constraints_v1_interface.name) == 0 &&
        !wayland->constraints)
        wayland->constraints = static_cast<zwp_pointer_constraints_v1*>(
            wl_registry_bind(registry, name, &zwp_pointer_constraints_v1_interface, 1));
    else if (std::strcmp(interface, zwp_relative_pointer_manager_v1_interface.name) == 0 &&
             !wayland->relativeManager)
        wayland->relativeManager = static_cast<zwp_relative_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwp_relative_pointer_manager_v1_interface, 1));
    else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !wayland->ownSeat &&
             !wayland->pointer)
        wayland->ownSeat = static_cast<wl_seat*>(
            wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, 5u)));
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

void OnLocked(void* data, zwp_locked_pointer_v1*) {
    static_cast<CPointerLock::Wayland*>(data)->isLocked = true;
}

// The compositor ended the lock (the window lost the pointer or the keyboard); being asked
// for once, it is not taken up again.
void OnUnlocked(void* data, zwp_locked_pointer_v1*) {
    static_cast<CPointerLock::Wayland*>(data)->isLocked = false;
}

const zwp_locked_pointer_v1_listener kLockedListener = {OnLocked, OnUnlocked};

// Sent for every movement over our windows, locked or not.
void OnRelativeMotion(void* data, zwp_relative_pointer_v1*, uint32_t, uint32_t, wl_fixed_t dx,
                      wl_fixed_t dy, wl_fixed_t, wl_fixed_t) {
    static_cast<CPointerLock::Wayland*>(data)->OnMotion(
        QPointF(wl_fixed_to_double(dx), wl_fixed_to_double(dy)));
}

const zwp_relative_pointer_v1_listener kRelativeListener = {OnRelativeMotion};

void OnButton(void* data, wl_pointer*, uint32_t, uint32_t time, uint32_t button, uint32_t state) {
    if (button == BTN_LEFT && state == WL_POINTER_BUTTON_STATE_PRESSED)
        static_cast<CPointerLock::Wayland*>(data)->OnPress(time);
}

// libwayland calls every entry of a listener, up to the pointer's version.
const wl_pointer_listener kPointerListener = {
    [](void*, wl_pointer*, uint32_t, wl_surface*, wl_fixed_t, wl_fixed_t) {},
    [](void*, wl_pointer*, uint32_t, wl_surface*) {},
    [](void*, wl_pointer*, uint32_t, wl_fixed_t, wl_fixed_t) {},
    OnButton,
    [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {},
    [](void*, wl_pointer*) {},
    [](void*, wl_pointer*, uint32_t) {},
    [](void*, wl_pointer*, uint32_t, uint32_t) {},
    [](void*, wl_pointer*, uint32_t, int32_t) {},
    [](void*, wl_pointer*, uint32_t, int32_t) {},
};
constexpr uint32_t kPointerListenerVersion = WL_POINTER_AXIS_VALUE120_SINCE_VERSION;

} // namespace

bool CPointerLock::Wayland::Bind(wl_seat* toolkitSeat) {
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
    wl_registry* registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    if (toolkitSeat)
        pointer = wl_seat_get_pointer(toolkitSeat);
    wl_registry_add_listener(registry, &kRegistryListener, this);
    wl_display_roundtrip_queue(display, queue);
    wl_registry_destroy(registry);
    if (ownSeat) {
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(ownSeat), nullptr);
        pointer = wl_seat_get_pointer(ownSeat);
    }
    for (wl_proxy* proxy :
         {reinterpret_cast<wl_proxy*>(constraints), reinterpret_cast<wl_proxy*>(relativeManager)})
        if (proxy)
            wl_proxy_set_queue(proxy, nullptr);
    wl_event_queue_destroy(queue);
    if (!pointer || !constraints || !relativeManager ||
        wl_pointer_get_version(pointer) > kPointerListenerVersion)
        return false;
    wl_pointer_add_listener(pointer, &kPointerListener, this);
    relative = zwp_relative_pointer_manager_v1_get_relative_pointer(relativeManager, pointer);
    zwp_relative_pointer_v1_add_listener(relative, &kRelativeListener, this);
    wl_display_flush(display);
    return true;
}

bool CPointerLock::Available() {
    if (m_wayland)
        return m_wayland->relative != nullptr;
    m_wayland = std::make_unique<Wayland>();
    m_wayland->moved = &m_moved;
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return false;
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    m_wayland->display =
        native ? static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"))
               : nullptr;
    if (!m_wayland->display)
        return false;
    auto* seat = static_cast<wl_seat*>(native->nativeResourceForIntegration("wl_seat"));
    return m_wayland->Bind(seat);
}

bool CPointerLock::Lock(QWindow& window, unsigned long pressTime) {
    Unlock();
    if (!Available() || !window.handle())
        return false;
    auto* surface = static_cast<wl_surface*>(
        QGuiApplication::platformNativeInterface()->nativeResourceForWindow("surface", &window));
    if (!surface)
        return false;
    m_wayland->ratio = window.handle()->devicePixelRatio();
    m_wayland->Follow(static_cast<uint32_t>(pressTime));
    m_wayland->locked = zwp_pointer_constraints_v1_lock_pointer(
        m_wayland->constraints, surface, m_wayland->pointer, nullptr,
        ZWP_POINTER_CONSTRAINTS_V1_LIFETIME_ONESHOT);
    zwp_locked_pointer_v1_add_listener(m_wayland->locked, &kLockedListener, m_wayland.get());
    wl_display_flush(m_wayland->display);
    return true;
}

void CPointerLock::Unlock() {
    if (!m_wayland || !m_wayland->locked)
        return;
    m_wayland->EndLock();
    wl_display_flush(m_wayland->display);
}

bool CPointerLock::IsLocked() const {
    return m_wayland && m_wayland->isLocked;
}

#else

// Built without the Wayland protocols: nothing is ever locked.
struct CPointerLock::Wayland {};

bool CPointerLock::Available() {
    return false;
}

bool CPointerLock::Lock(QWindow&, unsigned long) {
    return false;
}

void CPointerLock::Unlock() {}

bool CPointerLock::IsLocked() const {
    return false;
}

#endif

CPointerLock::CPointerLock(std::function<void(QPointF)> moved) : m_moved(std::move(moved)) {}

CPointerLock::~CPointerLock() = default;
