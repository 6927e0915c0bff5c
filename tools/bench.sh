#!/usr/bin/env bash
# Builds and runs every benchmark, printing their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh
for b in "${BUILD_DIR:-build}"/bin/bench_*; do
    echo "== $(basename "$b")"
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$b"
done
