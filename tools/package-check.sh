#!/usr/bin/env bash
# Installs the Debian package on this machine, runs the installed programs from /usr/bin,
# checks that the desktop knows the settings-file type, and removes the package again,
# checking that nothing of it is left. Needs root or sudo; leaves alone a qelt32 package
# that was installed before. Prints the time each step took.
#   tools/package-check.sh [PACKAGE.deb]   (default: tools/package.sh builds it)
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# Another installation running on the machine holds the package lock for a while.
apt=(apt-get -y -qq -o DPkg::Lock::Timeout=300)

if dpkg -s qelt32 >/dev/null 2>&1; then
    echo "package check skipped: a qelt32 package is installed already"
    exit 0
fi
step_start=$(date +%s%N)
step() { # NAME: prints the time since the previous step
    local now
    now=$(date +%s%N)
    printf 'package check: %-28s %6d ms\n' "$1" $(((now - step_start) / 1000000))
    step_start=$now
}
fail() { echo "package check FAILED: $*" >&2; exit 1; }

deb=${1:-$(NO_BUILD=${NO_BUILD:-1} tools/package.sh)}
step "package built"
work=$(mktemp -d)
installed=0
cleanup() {
    [ "$installed" = 0 ] || $SUDO "${apt[@]}" purge qelt32 >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

$SUDO "${apt[@]}" install --no-install-recommends "$deb" >/dev/null
installed=1
step "installed"
dpkg -L qelt32 | sort >"$work/files"

# The installed programs, from /usr/bin, with the installed data folder.
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
/usr/bin/qelt32ctl --simulate --sim-unpaced info >"$work/info" || fail "qelt32ctl info"
grep -q "VR-21C" "$work/info" || fail "qelt32ctl info names no model: $(cat "$work/info")"
xvfb-run -a -s "-screen 0 1024x768x24" /usr/bin/qelt32 --simulate --sim-unpaced \
    --screenshot "$work/main.png" >/dev/null || fail "qelt32 --screenshot"
[ -s "$work/main.png" ] || fail "no screenshot"
step "programs ran"

# The desktop opens settings files with the program; the manual pages and the completion
# are where man and bash look.
[ "$(xdg-mime query default application/x-qelt32-settings)" = qelt32.desktop ] ||
    fail "the desktop does not open *.qlt with qelt32"
for page in qelt32 qelt32ctl qelt32-sim; do
    man -w "$page" >/dev/null 2>&1 || fail "no manual page $page"
done
[ -f /usr/share/bash-completion/completions/qelt32ctl ] || fail "no bash completion"
step "desktop, man, completion"

$SUDO "${apt[@]}" purge qelt32 >/dev/null
installed=0
while read -r path; do
    [ -d "$path" ] || [ ! -e "$path" ] || fail "left behind: $path"
done <"$work/files"
[ ! -e /usr/share/qelt32 ] || fail "left behind: /usr/share/qelt32"
[ "$(xdg-mime query default application/x-qelt32-settings)" = "" ] ||
    fail "the desktop still opens *.qlt with qelt32 after removal"
step "purged"
echo "package check ok"
