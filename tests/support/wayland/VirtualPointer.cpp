// qelt32-test-pointer: a pointer device of the compositor's own (wlroots' virtual pointer),
// for tests on a headless Wayland session. It reads commands from its input, one a line,
// and answers each with "ok" once the compositor has taken it, or "error":
//     abs X Y W H    the pointer to (X, Y) of an output layout W x H
//     rel DX DY      a movement of the hand by (DX, DY)
//     press | release | click    the left button; rclick: the right one
// It goes through the compositor's input path, as a real mouse does: pointer constraints
// and relative motion apply to it.

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <linux/input-event-codes.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {

zwlr_virtual_pointer_manager_v1* g_manager = nullptr;
wl_seat* g_seat = nullptr;
unsigned g_time = 0;

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        g_manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !g_seat)
        g_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}

void GlobalRemove(void*, wl_registry*, uint32_t) {}

bool Run(zwlr_virtual_pointer_v1* pointer, const std::string& line) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    g_time += 10;
    if (command == "abs") {
        unsigned x = 0, y = 0, w = 0, h = 0;
        if (!(in >> x >> y >> w >> h) || w == 0 || h == 0)
            return false;
        zwlr_virtual_pointer_v1_motion_absolute(pointer, g_time, x, y, w, h);
    } else if (command == "rel") {
        double dx = 0, dy = 0;
        if (!(in >> dx >> dy))
            return false;
        zwlr_virtual_pointer_v1_motion(pointer, g_time, wl_fixed_from_double(dx),
                                       wl_fixed_from_double(dy));
    } else if (command == "press" || command == "release") {
        zwlr_virtual_pointer_v1_button(pointer, g_time, BTN_LEFT,
                                       command == "press" ? WL_POINTER_BUTTON_STATE_PRESSED
                                                          : WL_POINTER_BUTTON_STATE_RELEASED);
    } else if (command == "click") {
        zwlr_virtual_pointer_v1_button(pointer, g_time, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(pointer);
        zwlr_virtual_pointer_v1_button(pointer, g_time + 5, BTN_LEFT,
                                       WL_POINTER_BUTTON_STATE_RELEASED);
    } else if (command == "rclick") {
        zwlr_virtual_pointer_v1_button(pointer, g_time, BTN_RIGHT, WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(pointer);
        zwlr_virtual_pointer_v1_button(pointer, g_time + 5, BTN_RIGHT,
                                       WL_POINTER_BUTTON_STATE_RELEASED);
    } else {
        return false;
    }
    zwlr_virtual_pointer_v1_frame(pointer);
    return true;
}

} // namespace

int main() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "qelt32-test-pointer: no Wayland display\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    static const wl_registry_listener listener = {&Global, &GlobalRemove};
    wl_registry_add_listener(registry, &listener, nullptr);
    wl_display_roundtrip(display);
    if (!g_manager) {
        std::fprintf(stderr, "qelt32-test-pointer: the compositor has no virtual pointer\n");
        return 1;
    }
    zwlr_virtual_pointer_v1* pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g_manager, g_seat);
    wl_display_roundtrip(display);
    std::cout << "ready" << std::endl;
    for (std::string line; std::getline(std::cin, line);) {
        const bool ok = Run(pointer, line);
        // Taken once the compositor has answered a round trip after it.
        const bool alive = wl_display_roundtrip(display) >= 0;
        std::cout << (ok && alive ? "ok" : "error") << std::endl;
        if (!alive)
            return 1;
    }
    zwlr_virtual_pointer_v1_destroy(pointer);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return 0;
}
