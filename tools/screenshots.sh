#!/usr/bin/env bash
# Pictures of the program against simulated monitors, on a virtual X server: the main
# window, the start-up picture, each menu open, the About box and the auto-sizing notice.
#   tools/screenshots.sh [folder]   (default out/screenshots; builds first unless NO_BUILD=1)
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-out/screenshots}"
[ "${NO_BUILD:-0}" = 1 ] || tools/build.sh
program="${BUILD_DIR:-build}/bin/qelt32"
mkdir -p "$folder"
shoot() { # profile target
    xvfb-run -a -s "-screen 0 1024x768x24" "$program" --simulate="$1" \
        --screenshot "$folder/$1-$2.png" --screenshot-of "$2"
}
for target in main splash menu-file menu-function menu-help about notice; do
    shoot revC "$target"
done
# Revision B has the colour modes in its menu and toolbar; the single-input model has no
# input buttons.
shoot revB main
shoot revB menu-function
shoot tr3306 main
