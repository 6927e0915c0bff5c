#!/usr/bin/env bash
# Builds and runs every benchmark, printing each one's report, and ends with one table of
# every figure against its target.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
figures=$(mktemp)
report=$(mktemp)
trap 'rm -f "$figures" "$report"' EXIT
for b in "${BUILD_DIR:-build}"/bin/bench_*; do
    echo "== $(basename "$b")"
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$b" >"$report" || echo "(it failed)"
    grep -v '^figure |' "$report" || true
    grep '^figure |' "$report" >>"$figures" || true
done
echo
echo "== every figure"
grep '^figure |' "$figures" | awk -F ' [|] ' '
    { what[NR] = $2; value[NR] = $3; target[NR] = $4; if (length($2) > w) w = length($2) }
    END {
        printf "%-*s  %-16s  %s\n", w, "figure", "value", "target"
        for (i = 1; i <= NR; ++i) printf "%-*s  %-16s  %s\n", w, what[i], value[i], target[i]
    }'
