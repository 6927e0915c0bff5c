#!/usr/bin/env bash
# Builds the settings-file fuzzers with clang and the sanitizers in their own build folder
# and runs each for a fixed time on a seed corpus (valid, truncated, oversized and hostile
# files). Prints the number of executions of each; any crash or hang fails the script.
#   FUZZ_SECONDS  time per fuzzer (default 120)
#   BUILD_DIR     build folder (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-120}
targets=(fuzz_settings_binary fuzz_settings_load)

CXX=clang++ CC=clang cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQELT32_BUILD_FUZZERS=ON -DQELT32_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer" \
    >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]}"

seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{binary,load,large}

# The 80 bytes after the version word of a valid file: serial 291, 68 kHz, 85 Hz, 35 values.
valid_body() {
    printf '\x23\x01\x00\x00\x44\x00\x55\x00\x23\x00'
    for i in $(seq 0 34); do printf "\\x$(printf %02x $((i * 7 % 256)))\\x00"; done
}
# Binary fuzzer seeds (it puts the version word in front itself).
valid_body >"$seeds/binary/valid"
head -c 9 "$seeds/binary/valid" >"$seeds/binary/cut-in-header"
head -c 40 "$seeds/binary/valid" >"$seeds/binary/cut-in-values"
printf '\x23\x01\x00\x00\x44\x00\x55\x00\x02\x00\x11\x00\x22\x00' >"$seeds/binary/short-count"
printf '\x23\x01\x00\x00\x44\x00\x55\x00\xff\xff\xff\xff\xff\xff\x01\x00' >"$seeds/binary/huge-count"
printf '\x23\x01\x00\x00\x44\x00\x55\x00\xff\xff\x28\x00\x00\x00' >"$seeds/binary/wide-count"
head -c 512 /dev/urandom >"$seeds/binary/random"

# Whole-loader seeds: both forms, damaged and hostile.
{ printf '\x01\x00'; valid_body; } >"$seeds/load/binary-valid"
head -c 30 "$seeds/load/binary-valid" >"$seeds/load/binary-truncated"
{ printf '\x01\x00'; valid_body; } | sed 's/\x23\x01/\x24\x01/' >"$seeds/load/binary-foreign"
printf '[data]\r\nserial=291\r\nfh=68\r\nfv=85\r\nflag=768\r\nhsize=120\r\nhpos=7\r\nvsize=99\r\n'\
'vpos=3\r\ntilt=5\r\nbright=40\r\ncontrast=200\r\n[flag]\r\nscreen=1\r\ncolor=1\r\n' >"$seeds/load/text-valid"
printf '[data]\nfh=68\nfv=85\nhsize=1\n[flag]\nscreen=1\n' >"$seeds/load/text-no-serial"
printf 'serial=291\nscreen=1\ncolor=1\n' >"$seeds/load/text-no-sections"
printf '[DATA]\nSERIAL = "291"\nfh=70\n[Flag]\ncolor=9\n' >"$seeds/load/text-odd-case"
{ printf '[data]\nserial=291\nhsize='; head -c 20000 /dev/zero | tr '\0' '9'; printf '\n'; } \
    >"$seeds/load/text-long-line"
{ printf '[data]\nserial=291\n'; head -c 2048 /dev/urandom; printf '\n[flag]\ncolor=1\n'; } \
    >"$seeds/load/text-binary-garbage"
printf '\xff\xfe[\x00d\x00a\x00t\x00a\x00]\x00\n\x00' >"$seeds/load/text-utf16"
head -c 1024 /dev/urandom >"$seeds/load/random"
# Larger than any settings file; run once each, outside the length-limited fuzzing.
{ printf '[data]\nserial=291\n'; head -c 1100000 /dev/zero | tr '\0' 'x'; } >"$seeds/large/text-oversized"
{ printf '\x01\x00'; valid_body; head -c 1100000 /dev/zero; } >"$seeds/large/binary-oversized"

run() {
    local target=$1 seedDir=$2
    local corpus=$build/corpus/$target
    mkdir -p "$corpus"
    echo "== $target: $seconds s"
    "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -max_len=8192 -dict=fuzz/settings.dict -print_final_stats=1 \
        "$corpus" "$seedDir" 2>"$build/$target.log" || {
        tail -40 "$build/$target.log"
        exit 1
    }
    grep -E '^stat::number_of_executed_units|^Done' "$build/$target.log"
}

run fuzz_settings_binary "$seeds/binary"
run fuzz_settings_load "$seeds/load"
echo "== oversized files"
"$build/bin/fuzz_settings_load" -timeout=10 "$seeds"/large/* >"$build/large.log" 2>&1 || {
    tail -40 "$build/large.log"
    exit 1
}
grep -E '^Executed' "$build/large.log"
