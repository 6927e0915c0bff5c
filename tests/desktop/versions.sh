#!/usr/bin/env bash
# Every program tells the project's one version with -V and --version on standard output
# and ends with status 0, without a display; `qelt32 --help` too. The manual pages carry
# the same version.
#   tests/desktop/versions.sh BIN_DIR MAN_DIR VERSION
set -uo pipefail
bin=$1
man=$2
version=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# No display of any kind, and no platform chosen for Qt.
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
for program in qelt32 qelt32ctl qelt32-sim; do
    for option in -V --version; do
        out=$("${headless[@]}" "$bin/$program" "$option" 2>&1 </dev/null)
        status=$?
        [ "$status" -eq 0 ] || fail "$program $option: status $status: $out"
        [ "$out" = "$program $version" ] || fail "$program $option printed '$out'"
    done
done
out=$("${headless[@]}" "$bin/qelt32" --help 2>/dev/null </dev/null)
status=$?
[ "$status" -eq 0 ] || fail "qelt32 --help without a display: status $status"
grep -q -- '--screenshot-of' <<<"$out" || fail "qelt32 --help printed no options: $out"
"${headless[@]}" "$bin/qelt32" --frobnicate --help >/dev/null 2>&1 </dev/null
status=$?
[ "$status" -eq 2 ] || fail "qelt32 --frobnicate --help: status $status, not 2"

for page in qelt32 qelt32ctl qelt32-sim; do
    grep -q "^\.TH .*\"Qelt32 $version\"" "$man/$page.1" || fail "$page.1 does not say $version"
done

[ "$failures" -eq 0 ] && echo "ok"
exit $((failures > 0))
