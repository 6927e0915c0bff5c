#!/usr/bin/env bash
# The manual pages render without a warning, and say what the programs say of themselves:
# every command of qelt32ctl, every option of each program, every console command of the
# simulator — no more, no fewer. A command or option added to a program without its page
# (or the other way round) fails here, naming it.
#   tests/desktop/man-pages.sh BIN_DIR MAN_DIR
set -uo pipefail
bin=$1
man=$2
export QT_QPA_PLATFORM=offscreen
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The terms of one section of a page (the line after each .TP): their first words, or with
# "options" the long option each names.
section_terms() { # PAGE SECTION [options]
    awk -v section="$2" '
        /^\.SH / { inside = ($0 == ".SH " section); next }
        inside && previous == ".TP" { sub(/^\.[BI][IR]? /, ""); print }
        { previous = $0 }' "$1" | sed -e 's/\\-/-/g' -e 's/\\f[BIR]//g' -e 's/[",]//g' |
        while read -r term; do
            long=""
            [ "${3:-}" = options ] && long=$(grep -oE -- '--[a-z][a-z-]*' <<<"$term" | tail -1)
            echo "${long:-${term%% *}}"
        done | sort -u
}
# Option names a program's --help lists.
help_options() {
    grep -oE '^ +(-[a-zA-Z], )?--[a-z][a-z-]*' | sed -E 's/^ +(-[a-zA-Z], )?//' | sort -u
}
same() { # WHAT PROGRAM-LIST PAGE-LIST
    local missing extra
    missing=$(comm -23 <(echo "$2") <(echo "$3") | tr '\n' ' ')
    extra=$(comm -13 <(echo "$2") <(echo "$3") | tr '\n' ' ')
    [ -z "$missing" ] || fail "$1: not in the manual page: $missing"
    [ -z "$extra" ] || fail "$1: in the manual page only: $extra"
}

for page in "$man"/qelt32.1 "$man"/qelt32ctl.1 "$man"/qelt32-sim.1 "$man"/qelt32-dbus.7; do
    warnings=$(groff -man -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || fail "$(basename "$page"): groff: $warnings"
    warnings=$(MANWIDTH=80 man -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): man: $warnings"
done

commands=$("$bin/qelt32ctl" --help | sed -n '/^Commands:/,/^$/{/^  [a-z]/{s/^  \([a-z-]*\).*/\1/;p}}' | sort -u)
[ -n "$commands" ] || fail "qelt32ctl --help lists no commands"
same "qelt32ctl commands" "$commands" "$(section_terms "$man/qelt32ctl.1" COMMANDS)"
same "qelt32ctl options" "$("$bin/qelt32ctl" --help | help_options)" \
    "$(section_terms "$man/qelt32ctl.1" OPTIONS options | grep '^-')"
same "qelt32 options" "$("$bin/qelt32" --help | help_options)" \
    "$(section_terms "$man/qelt32.1" OPTIONS options | grep '^-')"
same "qelt32-sim options" "$("$bin/qelt32-sim" --help | help_options)" \
    "$(section_terms "$man/qelt32-sim.1" OPTIONS options | grep '^-')"
same "qelt32-sim console commands" \
    "$("$bin/qelt32-sim" --help | grep -oE '^[a-z]+' | sort -u)" \
    "$(section_terms "$man/qelt32-sim.1" "CONSOLE COMMANDS")"

[ "$failures" -eq 0 ] && echo "ok"
exit $((failures > 0))
