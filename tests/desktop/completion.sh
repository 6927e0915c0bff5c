#!/usr/bin/env bash
# Runs the bash completion of qelt32ctl for typical command lines and checks what it
# offers: commands (as the program lists them), item names (as the program names them),
# option values and settings files.
#   tests/desktop/completion.sh BIN_DIR COMPLETION_FILE
set -uo pipefail
bin=$1
PATH=$bin:$PATH
# shellcheck source=/dev/null
source "$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# Completes LINE (the cursor at its end) as bash would, splitting at blanks and at "=".
offers() {
    local line=$1
    local split=${line//=/ = }
    read -r -a COMP_WORDS <<<"$split"
    [[ $line == *[[:space:]] || $line == *= ]] && COMP_WORDS+=("")
    [[ $line == *= ]] && COMP_WORDS[-1]="="
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$line
    COMP_POINT=${#line}
    COMPREPLY=()
    _qelt32ctl
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}
expect() { # LINE EXPECTED
    local got
    got=$(offers "$1")
    if [[ $got != "$2" ]]; then
        echo "FAIL: '$1' offers '$got', expected '$2'"
        failures=$((failures + 1))
    fi
}

# The commands are those the program lists, the items those it dumps.
commands=$(qelt32ctl --help | sed -n '/^Commands:/,/^$/{/^  [a-z]/{s/^  \([a-z-]*\).*/\1/;p}}' | sort | tr '\n' ' ' | sed 's/ $//')
[[ $commands == *watch* ]] || { echo "FAIL: no command list from qelt32ctl --help"; exit 1; }
expect "qelt32ctl " "$commands"
expect "qelt32ctl --json " "$commands"
expect "qelt32ctl help wa" "watch"
expect "qelt32ctl help colortemp " ""
items=$(qelt32ctl --simulate --sim-unpaced dump | awk 'NR > 1 { print $2 }' | sort | tr '\n' ' ' | sed 's/ $//')
[[ $(wc -w <<<"$items") -eq 35 ]] || { echo "FAIL: dump gave no 35 item names: $items"; exit 1; }
expect "qelt32ctl get " "$items"
expect "qelt32ctl --port /dev/ttyS0 get bright " "$items"
expect "qelt32ctl get br" "bright"
expect "qelt32ctl set hsize 140 vs" "vsize"
expect "qelt32ctl set hsize " ""
expect "qelt32ctl --json set hsize 140 vsize 120 hp" "hpos"
expect "qelt32ctl adjust vpos " ""

# Option values.
expect "qelt32ctl --simulate=re" "revB revB15 revC"
expect "qelt32ctl --sim-profile tr" "tr3306 tr4427 tr5513"
expect "qelt32ctl --simulate=revB dump --j" "--json"
expect "qelt32ctl reset g" "geometry"
expect "qelt32ctl detection a" "auto auto-bnc"
expect "qelt32ctl moire h " "off on"
expect "qelt32ctl moire h on " ""
expect "qelt32ctl power-save " "nutek off vesa"
expect "qelt32ctl info " ""

# Files: settings files and folders for load, show and diff; --port takes devices.
mkdir "$work/sub"
touch "$work/evening.qlt" "$work/NIGHT.QLT" "$work/notes.txt" "$work/ttyFAKE"
expect "qelt32ctl load $work/" "$work/NIGHT.QLT $work/evening.qlt $work/sub/"
expect "qelt32ctl show $work/e" "$work/evening.qlt"
expect "qelt32ctl diff $work/n" ""
expect "qelt32ctl load $work/evening.qlt --g" "--groups"
expect "qelt32ctl load $work/evening.qlt --groups screen,c" "screen,color"
expect "qelt32ctl save $work/n" "$work/notes.txt"
expect "qelt32ctl --port $work/tty" "$work/ttyFAKE"
devices=$(ls -d /dev/ttyS* /dev/ttyUSB* /dev/ttyACM* /dev/serial/by-id/* 2>/dev/null | sort | tr '\n' ' ' | sed 's/ $//')
[[ -z $devices ]] || expect "qelt32ctl --port " "$devices"

[[ $failures -eq 0 ]] && echo "ok"
exit $((failures > 0))
