#!/usr/bin/env bash
# The README's run command: installs what is needed, builds, and starts the program against
# a simulated monitor. Without a display ($DISPLAY empty) it runs the program on a virtual
# X server instead, saves a picture of the main window and ends.
#   SIM_PROFILE=revB tools/run.sh      another simulated monitor (revB, revC, tr3306, ...)
#   SCREENSHOT=/path/x.png tools/run.sh where the picture goes (default out/qelt32-main.png)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
program="${BUILD_DIR:-build}/bin/qelt32"
profile="${SIM_PROFILE:-revC}"
if [ -n "${DISPLAY:-}" ]; then
    exec "$program" --simulate="$profile" "$@"
fi
shot="${SCREENSHOT:-out/qelt32-main.png}"
mkdir -p "$(dirname "$shot")"
xvfb-run -a -s "-screen 0 1024x768x24" \
    "$program" --simulate="$profile" --screenshot "$shot" "$@"
echo "No display: the main window was saved to $shot"
