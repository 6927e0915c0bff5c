#!/usr/bin/env bash
# Builds the fuzz targets (fuzz/) with clang's libFuzzer and the address and
# undefined-behaviour sanitizers in their own build folder, and runs each in turn for a
# fixed time on a seed corpus made from our own frames and files. Prints, per target, its
# "== NAME" line, the executions, their rate and the peak resident memory. Any crash, hang,
# leak or broken promise fails the script (after every target has run); its input is left
# in the build folder, beside the target's whole log.
#   FUZZ_SECONDS  time per target (default 120)
#   FUZZ_RUNS     executions per target (a long run: 10000000); FUZZ_SECONDS, when also
#                 given, then caps the time
#   FUZZ_TARGETS  the targets to run (default all)
#   BUILD_DIR     build folder (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-}
[ -n "${FUZZ_RUNS:-}" ] || seconds=${seconds:-120}
all=(fuzz_frame_reader fuzz_private_profile fuzz_cursor fuzz_command_line fuzz_settings_binary
    fuzz_settings_load)
read -r -a targets <<<"${FUZZ_TARGETS:-${all[*]}}"

CXX=clang++ CC=clang cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQELT32_BUILD_FUZZERS=ON -DQELT32_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer" \
    >/dev/null
# The program folder brings the cursors our generator draws: the cursor target's seeds.
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" qelt32_program_folder

# ASan holds freed memory back to catch a later use of it. Our inputs are small (32 KB at
# most), so 16 MB holds what one input frees; the default 256 MB only cost fresh pages and
# memory (a third of the private-profile reader's time, and its peak memory from 88 to 445 MB).
export ASAN_OPTIONS=quarantine_size_mb=16${ASAN_OPTIONS:+:$ASAN_OPTIONS}

seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{fuzz_settings_binary,fuzz_settings_load,large,fuzz_frame_reader} \
    "$seeds"/{fuzz_private_profile,fuzz_cursor,fuzz_command_line}

# --- settings files ---
# The 80 bytes after the version word of a valid file: serial 291, 68 kHz, 85 Hz, 35 values.
valid_body() {
    printf '\x23\x01\x00\x00\x44\x00\x55\x00\x23\x00'
    for i in $(seq 0 34); do printf "\\x$(printf %02x $((i * 7 % 256)))\\x00"; done
}
s=$seeds/fuzz_settings_binary # the target puts the version word in front itself
valid_body >"$s/valid"
head -c 9 "$s/valid" >"$s/cut-in-header"
head -c 40 "$s/valid" >"$s/cut-in-values"
printf '\x23\x01\x00\x00\x44\x00\x55\x00\x02\x00\x11\x00\x22\x00' >"$s/short-count"
printf '\x23\x01\x00\x00\x44\x00\x55\x00\xff\xff\xff\xff\xff\xff\x01\x00' >"$s/huge-count"
printf '\x23\x01\x00\x00\x44\x00\x55\x00\xff\xff\x28\x00\x00\x00' >"$s/wide-count"
head -c 512 /dev/urandom >"$s/random"

s=$seeds/fuzz_settings_load # both forms, damaged and hostile
{ printf '\x01\x00'; valid_body; } >"$s/binary-valid"
head -c 30 "$s/binary-valid" >"$s/binary-truncated"
{ printf '\x01\x00'; valid_body; } | sed 's/\x23\x01/\x24\x01/' >"$s/binary-foreign"
printf '[data]\r\nserial=291\r\nfh=68\r\nfv=85\r\nflag=768\r\nhsize=120\r\nhpos=7\r\nvsize=99\r\n'\
'vpos=3\r\ntilt=5\r\nbright=40\r\ncontrast=200\r\n[flag]\r\nscreen=1\r\ncolor=1\r\n' >"$s/text-valid"
printf '[data]\nfh=68\nfv=85\nhsize=1\n[flag]\nscreen=1\n' >"$s/text-no-serial"
printf 'serial=291\nscreen=1\ncolor=1\n' >"$s/text-no-sections"
printf '[DATA]\nSERIAL = "291"\nfh=70\n[Flag]\ncolor=9\n' >"$s/text-odd-case"
{ printf '[data]\nserial=291\nhsize='; head -c 20000 /dev/zero | tr '\0' '9'; printf '\n'; } \
    >"$s/text-long-line"
{ printf '[data]\nserial=291\n'; head -c 2048 /dev/urandom; printf '\n[flag]\ncolor=1\n'; } \
    >"$s/text-binary-garbage"
printf '\xff\xfe[\x00d\x00a\x00t\x00a\x00]\x00\n\x00' >"$s/text-utf16"
head -c 1024 /dev/urandom >"$s/random"
# Larger than any settings file; run once each, outside the length-limited fuzzing.
{ printf '[data]\nserial=291\n'; head -c 1100000 /dev/zero | tr '\0' 'x'; } >"$seeds/large/text-oversized"
{ printf '\x01\x00'; valid_body; head -c 1100000 /dev/zero; } >"$seeds/large/binary-oversized"

# --- the private-profile reader: our Display.ini and text settings files ---
s=$seeds/fuzz_private_profile
cp res/desktop/Display.ini "$s/display-ini"
cp "$seeds/fuzz_settings_load"/text-* "$s/"
printf '\xef\xbb\xbf[TR-5513]\r\nHSIZE,HPOS = "1.5,0.5"\r\n;comment\r\nVSIZE,VPOS=err\r\n' >"$s/bom-quoted"

# --- the frame reader: what the simulated monitor sends, behind the operation byte and the
# pacing byte the target reads first ---
python3 - "$seeds/fuzz_frame_reader" <<'EOF'
import sys
out = sys.argv[1]
def frame(kind, data, length=None):
    length = 0x80 | (len(data) + 1) if length is None else length
    head = bytes([ord('P'), ord('n'), length, kind]) + bytes(data)
    sum_ = 0
    for b in head:
        sum_ ^= b
    return b'\x55\x55' + head + bytes([sum_]) + b'\xaa\xaa'
identity = b'C' + b'1.00   ' + b'VORKA   ' + b'TR-4427 ' + (291).to_bytes(4, 'big')
item = frame(0x02, [0, 0x0C, 0, 0, 255, 0, 120])      # hsize: status, code, max, value
timing = frame(0x4E, [0x1A, 0xB8, 0x1D, 0x4C])
status = frame(0x6D, [0])
panel = frame(0x58, [0x0C, 0, 130])
quirk = frame(0x5D, [1, 2, 3], length=0x83)             # declares one byte too few
memory = frame(0x5A, [0x00, 0x07, 0x12, 0x34])
seeds = {
    'frames': (0, 0x1F, item + timing + status + panel + quirk + memory),
    'frames-bytewise': (0, 0x20, item + panel + quirk),
    'item': (1 | 0x0C << 3, 0x1F, b'\x01\x55' + timing + item),
    'timing': (2, 0x1F, panel + timing),
    'memory': (3 | 0x07 << 0, 0x3F, memory),
    'identity': (4, 0x1F, frame(0xE1, identity)),
    'flat-panel': (4, 0x1F, frame(0xE1, identity.replace(b'TR-4427 ', b'LQ-150  '))),
    'unsolicited-timing': (5, 0x1F, timing + status + item),
    'unsolicited-panel': (5, 0x1F, panel),
    'noise': (0, 0x1F, b'\x13\x55\xaa\x55\x00' + item),
}
for name, (op, pacing, body) in seeds.items():
    open(f'{out}/{name}', 'wb').write(bytes([op, pacing]) + body)
EOF

# --- cursors: every .ani and .cur our generator draws ---
cp "$build"/bin/cursor/* "$seeds/fuzz_cursor/"

# --- qelt32ctl's command lines, words separated by NUL ---
s=$seeds/fuzz_command_line
n=0
while IFS= read -r line; do
    printf '%s' "$line" | tr ' ' '\0' >"$s/line$((n++))"
done <<'EOF'
info --json
get bright contrast 2
set hsize 140 vpos 3
adjust vpos -3
colortemp 6500K
colortemp 25
power-save nutek
colormode custom
input bnc
detection manual
beep off
moire on off
reset geometry
degauss
--port /dev/ttyS0 dump
help set
set -- hsize -5
EOF

status=0
run() { # target, extra libFuzzer options...
    local target=$1
    shift
    local name=${target#fuzz_}
    local corpus=$build/corpus/$target dict=fuzz/${name/#settings_*/settings}.dict
    mkdir -p "$corpus"
    local options=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$build/$target-")
    [ -n "${FUZZ_RUNS:-}" ] && options+=(-runs="$FUZZ_RUNS")
    [ -n "$seconds" ] && options+=(-max_total_time="$seconds")
    echo "== $target:${FUZZ_RUNS:+ $FUZZ_RUNS runs}${seconds:+ $seconds s}"
    [ -f "$dict" ] && options+=(-dict="$dict")
    if "$build/bin/$target" "${options[@]}" "$@" "$corpus" "$seeds/$target" \
        2>"$build/$target.log"; then
        grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' \
            "$build/$target.log"
    else
        tail -40 "$build/$target.log"
        status=1
    fi
}
for target in "${targets[@]}"; do
    case $target in
    fuzz_frame_reader) run "$target" -max_len=512 ;;
    fuzz_cursor) run "$target" -max_len=32768 ;;
    # Its output is the program's own: only libFuzzer's report is kept.
    fuzz_command_line) run "$target" -max_len=256 -close_fd_mask=3 ;;
    *) run "$target" -max_len=8192 ;;
    esac
done
if [[ " ${targets[*]} " == *" fuzz_settings_load "* ]]; then
    echo "== oversized settings files"
    if "$build/bin/fuzz_settings_load" -timeout=10 "$seeds"/large/* >"$build/large.log" 2>&1; then
        grep -E '^Executed' "$build/large.log"
    else
        tail -40 "$build/large.log"
        status=1
    fi
fi
exit $status
