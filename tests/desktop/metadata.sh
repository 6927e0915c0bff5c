#!/usr/bin/env bash
# The desktop entry and the software centres' description pass their validators, and agree
# with each other and with the settings-file type: the entry opens that type, the description
# names the entry and provides the type.
#   tests/desktop/metadata.sh DESKTOP_FILE METAINFO_FILE MIME_FILE
set -uo pipefail
desktop=$1
metainfo=$2
mime=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
out=$(appstreamcli validate --no-net --strict --pedantic "$metainfo" 2>&1) || fail "appstreamcli: $out"
grep -qE '^Keywords=.+;$' "$desktop" || fail "the desktop entry has no keywords to be found by"
# No address that leads nowhere: the program has no home page yet.
! grep -qE 'example|@[A-Z_]+@' "$metainfo" || fail "a placeholder in the description"

type=$(grep -oE 'mime-type type="[^"]+"' "$mime" | cut -d'"' -f2)
grep -qx "MimeType=$type;" "$desktop" || fail "the desktop entry does not open $type"
grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "the description provides no $type"
grep -q "<launchable type=\"desktop-id\">$(basename "$desktop")</launchable>" "$metainfo" ||
    fail "the description does not name $(basename "$desktop")"
for category in $(grep '^Categories=' "$desktop" | cut -d= -f2 | tr ';' ' '); do
    [ "$category" = Qt ] && continue # a toolkit, not a place in a software centre
    grep -q "<category>$category</category>" "$metainfo" || fail "category $category differs"
done

[ "$failures" -eq 0 ] && echo "ok"
exit $((failures > 0))
