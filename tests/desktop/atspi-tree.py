#!/usr/bin/python3
"""Prints what a screen reader reads of one running program over AT-SPI: its showing
windows as a JSON list, each node with its role, name, key binding, states, value or text,
place on the screen, and its showing children.

    atspi-tree.py PID [SECONDS]

Waits up to SECONDS (default 20) for the program to appear on the accessibility bus; ends
with status 1 and a reason when it does not."""

import json
import sys
import time

import pyatspi

STATES = {
    "focusable": pyatspi.STATE_FOCUSABLE,
    "focused": pyatspi.STATE_FOCUSED,
    "checked": pyatspi.STATE_CHECKED,
    "enabled": pyatspi.STATE_ENABLED,
}


def find_program(pid, seconds):
    deadline = time.monotonic() + seconds
    while True:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == pid:
                return app
        if time.monotonic() >= deadline:
            return None
        time.sleep(0.1)


def key_binding(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return ""
    for i in range(action.nActions):
        # "<mnemonic>;<shortcut>" in some toolkits: the first non-empty part is the key.
        for key in action.getKeyBinding(i).split(";"):
            if key:
                return key
    return ""


def describe(accessible):
    """The node and its showing children, or None when it is not showing (or went)."""
    try:
        states = accessible.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            return None
        node = {
            "role": accessible.getRoleName(),
            "name": accessible.name or "",
            "keys": key_binding(accessible),
            "states": [name for name, state in STATES.items() if states.contains(state)],
        }
        try:
            node["value"] = accessible.queryValue().currentValue
        except NotImplementedError:
            pass
        if node["role"] == "text":
            node["text"] = accessible.queryText().getText(0, -1)
        try:
            box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            node["box"] = [box.x, box.y, box.width, box.height]
        except NotImplementedError:
            pass
        children = (describe(child) for child in accessible if child is not None)
        node["children"] = [child for child in children if child is not None]
        return node
    except Exception:  # the object went while it was read (a window closing)
        return None


def main():
    pid = int(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 20
    program = find_program(pid, seconds)
    if program is None:
        print(f"process {pid} did not appear on the accessibility bus", file=sys.stderr)
        return 1
    windows = (describe(window) for window in program if window is not None)
    json.dump([window for window in windows if window is not None], sys.stdout,
              ensure_ascii=False)
    return 0


if __name__ == "__main__":
    sys.exit(main())
