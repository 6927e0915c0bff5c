#!/usr/bin/env bash
# Runs a test program on a virtual X server with a window manager and a system tray host,
# as a desktop with a panel has them: xvfb-run -a tests/desktop/with-tray.sh PROGRAM [ARGS]
set -euo pipefail
pids=()
trap 'for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done' EXIT
openbox --sm-disable >/dev/null 2>&1 & pids+=($!)
# The window manager is there once it has set up its desktops: a window shown before that
# is not managed, and asking to minimise it does nothing.
for _ in $(seq 200); do
    xdotool get_desktop >/dev/null 2>&1 && break
    sleep 0.1
done
trayer --edge top --align right --widthtype request --height 32 --transparent false \
    --SetDockType true >/dev/null 2>&1 & pids+=($!)
# The tray is there once trayer owns the tray selection; its window shows that.
for _ in $(seq 200); do
    xdotool search --class trayer >/dev/null 2>&1 && break
    sleep 0.1
done
QT_QPA_PLATFORM=xcb "$@"
