#!/usr/bin/env bash
# Pictures of the program against simulated monitors, on a virtual X server: the main
# window, the start-up picture, each menu open, the About box, the auto-sizing notice, and
# the full-screen adjustment (markers, a handle held, its popup menu, each dialog over its
# pattern, the message of a missing Display.ini) at 1024 x 768 and 1600 x 1200.
#   tools/screenshots.sh [folder]   (default out/screenshots; builds first unless NO_BUILD=1)
set -euo pipefail
cd "$(dirname "$0")/.."
folder="${1:-out/screenshots}"
[ "${NO_BUILD:-0}" = 1 ] || tools/build.sh
program="${BUILD_DIR:-build}/bin/qelt32"
mkdir -p "$folder"
shoot() { # profile target [screen] [file]
    xvfb-run -a -s "-screen 0 ${3:-1024x768}x24" "$program" --simulate="$1" \
        --screenshot "$folder/${4:-$1-$2}.png" --screenshot-of "$2"
}
for target in main splash menu-file menu-function menu-help about notice; do
    shoot revC "$target"
done
# Revision B has the colour modes in its menu and toolbar; the single-input model has no
# input buttons.
shoot revB main
shoot revB menu-function
shoot tr3306 main
# The full-screen shots each start from a fresh profile (both combination switches on).
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fresh() { # shoot's arguments
    rm -rf "$scratch/config"
    XDG_CONFIG_HOME="$scratch/config" shoot "$@"
}
for size in 1024x768 1600x1200; do
    for target in fullscreen fullscreen-drag fullscreen-menu fullscreen-linearity \
        fullscreen-moire fullscreen-convergence; do
        fresh revC "$target" "$size" "revC-$target-$size"
    done
done
# Layout 2 (corner pins) and layout 0 (the reduced one) with their markers.
fresh layout2 fullscreen 1024x768 layout2-fullscreen-1024x768
fresh tr4427 fullscreen 1024x768 tr4427-fullscreen-1024x768
# A program folder without Display.ini: the start-up tells so once.
mkdir -p "$scratch/bare"
ln -s "$(realpath "$(dirname "$program")")/cursor" "$scratch/bare/cursor"
cp "$(dirname "$program")"/qelt32?.hlp "$scratch/bare/"
QELT32_DATA_DIR="$scratch/bare" fresh revC startup-message 1024x768 revC-combination-missing
