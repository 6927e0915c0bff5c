#!/usr/bin/env bash
# Pictures of the main panel (Standard and Custom, revisions B and C), the Color Setting
# dialog, both interval dialogs, and the vertical linearity, moiré and convergence dialogs
# (these in every language), drawn against the simulated monitor on a virtual X server of
# 1024 x 768. The form-layout tests take them when QELT32_SCREENSHOT_DIR is set.
#   tools/panel-screenshots.sh [folder]   (default out/screenshots/panel)
set -euo pipefail
cd "$(dirname "$0")/.."
folder="$(realpath -m "${1:-out/screenshots/panel}")"
build="${BUILD_DIR:-build}"
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target panel_tests dialogs_tests
mkdir -p "$folder"
for suite in panel_tests dialogs_tests; do
    QT_QPA_PLATFORM=xcb QELT32_SCREENSHOT_DIR="$folder" \
        xvfb-run -a -s "-screen 0 1024x768x24" \
        "$build/tests/$suite" --gtest_filter='*ShowEveryCaptionWhole*:*ShowsEveryCaptionWhole*'
done
ls -1 "$folder"/*.png
