#!/usr/bin/env bash
# The README's run command: installs what is needed, builds, and runs the program against
# the simulated monitor.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
exec "${BUILD_DIR:-build}"/bin/qelt32ctl --simulate dump
