#!/usr/bin/env bash
# Two starts of the program against one simulated monitor, on a virtual X server with a
# window manager: the second start hands its settings file to the first and ends with 0,
# and the first, minimised meanwhile, comes back and opens the file (the monitor gets the
# file's values, the title names it). Then the first is killed, leaving its socket behind,
# and the next start takes the socket over.
#   xvfb-run -a tests/desktop/single-instance.sh BIN_DIR [SCREENSHOT]
set -euo pipefail
bin=$1
shot=${2:-}
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ ! -s "$work/first.log" ] || sed 's/^/  first instance: /' "$work/first.log" >&2
    exit 1
}
# Waits for a visible window whose name matches; its id.
wait_window() {
    timeout 60 xdotool search --sync --limit 1 --onlyvisible --name "$1" || fail "no window \"$1\""
}

export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config HOME=$work
mkdir -m 700 "$XDG_RUNTIME_DIR"
openbox >/dev/null 2>&1 & pids+=($!)

# The simulated monitor, its console on a pipe.
mkfifo "$work/console"
"$bin/qelt32-sim" --unpaced --link "$work/monitor" <"$work/console" >"$work/sim.out" 2>&1 &
pids+=($!)
exec 3>"$work/console"
for _ in $(seq 100); do [ -e "$work/monitor" ] && break; sleep 0.1; done
# The value of ITEM as the monitor holds it.
value() {
    local before
    before=$(wc -l <"$work/sim.out")
    echo "get $1" >&3
    for _ in $(seq 50); do
        local line
        line=$(tail -n +"$((before + 1))" "$work/sim.out" | grep -m1 "^$1 (" || true)
        [ -n "$line" ] && { sed -E 's/.* = ([0-9]+),.*/\1/' <<<"$line"; return; }
        sleep 0.1
    done
    fail "the simulator did not answer get $1"
}

# A settings file of this monitor, with another brightness than the monitor has now.
"$bin/qelt32ctl" --port "$work/monitor" save "$work/evening.qlt" >/dev/null
saved=$(value bright)
echo "set bright $(( (saved + 40) % 200 ))" >&3
[ "$(value bright)" != "$saved" ] || fail "the monitor kept its brightness"

start_first() {
    "$bin/qelt32" --no-splash --port "$work/monitor" >"$work/first.log" 2>&1 &
    first=$!
    pids+=("$first")
    window=$(wait_window '^Vistrel Pro')
}
start_first
xdotool windowminimize --sync "$window"

begin=$(date +%s%N)
status=0
timeout 20 "$bin/qelt32" --port "$work/monitor" "$work/evening.qlt" || status=$?
echo "hand-over took $(( ($(date +%s%N) - begin) / 1000000 )) ms"
[ "$status" -eq 0 ] || fail "the second start ended with $status"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"
wait_window 'evening\.qlt' >/dev/null
for _ in $(seq 50); do [ "$(value bright)" = "$saved" ] && break; sleep 0.1; done
[ "$(value bright)" = "$saved" ] || fail "the monitor did not get the file's brightness"
[ -z "$shot" ] || import -window root "$shot"

# Without a file, a second start only brings the first to the front.
xdotool windowminimize --sync "$window"
timeout 20 "$bin/qelt32" --port "$work/monitor" || fail "a second start without a file failed"
wait_window 'evening\.qlt' >/dev/null

# A crash leaves the socket behind; the next start takes it over and serves.
kill -9 "$first"
wait "$first" 2>/dev/null || true
compgen -G "$XDG_RUNTIME_DIR/qelt32*.socket" >/dev/null ||
    fail "the killed instance left no socket to take over"
start_first
timeout 20 "$bin/qelt32" --port "$work/monitor" "$work/evening.qlt" ||
    fail "no hand-over to the instance that took over the socket"
wait_window 'evening\.qlt' >/dev/null
echo "ok"
