#!/usr/bin/env bash
# Checks the Debian packages (tools/package.sh) as Debian and the software centres would:
#   - lintian --pedantic on every package: any error (E) or warning (W) fails, and any
#     informational tag (I) but those accepted below with their reasons; all are listed;
#   - the software centres' description validates strictly and `appstreamcli compose` takes
#     the program from the GUI package's tree (icons found, nothing refused);
#   - the command-line package installs on a machine with nothing installed (as apt sees
#     it: an empty package database) without any part of Qt's GUI;
#   - all three install on this machine, the installed programs run from /usr/bin, the
#     desktop knows the settings-file type, and purging them leaves nothing behind.
# Needs root or sudo; leaves alone qelt32 packages that were installed before. Prints the
# time each step took.
#   tools/package-check.sh [PACKAGE.deb...]   (default: tools/package.sh builds them)
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
# Another installation running on the machine holds the package lock for a while.
apt=(apt-get -y -qq -o DPkg::Lock::Timeout=300)
packages=(qelt32 qelt32ctl qelt32-sim)

for package in "${packages[@]}"; do
    if dpkg -s "$package" >/dev/null 2>&1; then
        echo "package check skipped: a $package package is installed already"
        exit 0
    fi
done
step_start=$(date +%s%N)
step() { # NAME: prints the time since the previous step
    local now
    now=$(date +%s%N)
    printf 'package check: %-28s %6d ms\n' "$1" $(((now - step_start) / 1000000))
    step_start=$now
}
fail() { echo "package check FAILED: $*" >&2; exit 1; }

if [ $# -gt 0 ]; then
    debs=("$@")
else
    mapfile -t debs < <(NO_BUILD=${NO_BUILD:-1} tools/package.sh)
fi
deb_of() { # PACKAGE: its file among the built ones
    local deb
    for deb in "${debs[@]}"; do
        [ "$(dpkg-deb -f "$deb" Package)" = "$1" ] && { echo "$deb"; return; }
    done
    fail "no $1 package among ${debs[*]}"
}
gui=$(deb_of qelt32)
cli=$(deb_of qelt32ctl)
sim=$(deb_of qelt32-sim)
step "packages built"
work=$(mktemp -d)
installed=0
cleanup() {
    [ "$installed" = 0 ] || $SUDO "${apt[@]}" purge "${packages[@]}" >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

# lintian as Debian's archive runs it, and more pedantic.
timeout 600 lintian --pedantic --info --display-info --no-tag-display-limit --fail-on none \
    "$gui" "$cli" "$sim" >"$work/lintian" 2>&1 || fail "lintian did not run: $(cat "$work/lintian")"
grep -E '^[EWIPXO]: ' "$work/lintian" | sort -u | sed 's/^/lintian: /' || true
! grep -qE '^[EW]: ' "$work/lintian" || fail "lintian reports errors or warnings"
# Informational tags looked at and accepted, each with its reason; any other fails as an
# error does, so that a new one is looked at too.
#   qelt32-sim hardening-no-fortify-functions: built with -D_FORTIFY_SOURCE=2 as the other
#     two are (they link checking variants, so theirs would show if the flag were missing),
#     but its only calls that have a checking variant (read and poll into fixed arrays)
#     are proved within bounds by the compiler, so it links none, which is all lintian sees.
accepted_info=("qelt32-sim: hardening-no-fortify-functions")
unaccepted=$(grep -E '^I: ' "$work/lintian" | sed -E 's/^I: //; s/ \[.*\]$//' | sort -u |
    grep -vxF -f <(printf '%s\n' "${accepted_info[@]}") || true)
[ -z "$unaccepted" ] || fail "lintian reports informational tags nobody accepted: $unaccepted"
step "lintian"

# The software centres: the description as installed, and the catalogue made from the
# package's tree.
mkdir "$work/root"
dpkg-deb -x "$gui" "$work/root"
for metainfo in "$work"/root/usr/share/metainfo/*.xml; do
    appstreamcli validate --strict --no-net --no-color "$metainfo" >"$work/validate" 2>&1 ||
        fail "appstreamcli validate: $(cat "$work/validate")"
done
appstreamcli compose --no-net --no-color --print-report=full --origin=qelt32 \
    --result-root="$work/catalogue" "$work/root" >"$work/compose" 2>&1 ||
    fail "appstreamcli compose: $(cat "$work/compose")"
# Software centres show 64 and 128 pixels.
for size in 64x64 128x128; do
    ls "$work"/catalogue/usr/share/swcatalog/icons/qelt32/$size/*.png >/dev/null 2>&1 ||
        fail "the catalogue has no $size icon of the program: $(cat "$work/compose")"
done
zgrep -q '<id>com.vorka.qelt32</id>' "$work"/catalogue/usr/share/swcatalog/xml/qelt32.xml.gz ||
    fail "the catalogue does not hold the program: $(cat "$work/compose")"
step "appstream"

# The command-line tool on a machine that has nothing yet: what apt would install with it.
: >"$work/no-packages"
apt-get install --simulate -qq -o Dir::State::status="$work/no-packages" "$cli" >"$work/cli-deps" 2>&1 ||
    fail "qelt32ctl cannot be installed: $(cat "$work/cli-deps")"
gui_libraries=$(grep -oE '^Inst (libqt6(gui|widgets|opengl|xcb)[^ ]*|libx11-[^ ]*|libgl1[^ ]*)' \
    "$work/cli-deps" | cut -d' ' -f2 | tr '\n' ' ' || true)
[ -z "$gui_libraries" ] || fail "qelt32ctl pulls in graphical libraries: $gui_libraries"
echo "package check: qelt32ctl alone installs $(grep -c '^Inst' "$work/cli-deps") packages"
step "qelt32ctl's dependencies"

$SUDO "${apt[@]}" install --no-install-recommends "$gui" "$cli" "$sim" >/dev/null
installed=1
step "installed"
for package in "${packages[@]}"; do
    dpkg -L "$package"
done | sort >"$work/files"

# The installed programs, from /usr/bin, with the installed data folder.
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
/usr/bin/qelt32ctl --simulate --sim-unpaced info >"$work/info" || fail "qelt32ctl info"
grep -q "VR-21C" "$work/info" || fail "qelt32ctl info names no model: $(cat "$work/info")"
version=$(dpkg-deb -f "$gui" Version)
for program in qelt32 qelt32ctl qelt32-sim; do
    [ "$(env -u DISPLAY "/usr/bin/$program" --version)" = "$program ${version%-*}" ] ||
        fail "$program --version does not say ${version%-*}"
done
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

$SUDO "${apt[@]}" purge "${packages[@]}" >/dev/null
installed=0
while read -r path; do
    [ -d "$path" ] || [ ! -e "$path" ] || fail "left behind: $path"
done <"$work/files"
[ ! -e /usr/share/qelt32 ] || fail "left behind: /usr/share/qelt32"
[ "$(xdg-mime query default application/x-qelt32-settings)" = "" ] ||
    fail "the desktop still opens *.qlt with qelt32 after removal"
step "purged"
echo "package check ok"
