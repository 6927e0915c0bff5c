#!/usr/bin/env bash
# The README's test command: installs what is needed, builds, runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)" --timeout 300
# The Debian package, installed, run from /usr/bin and removed again (PACKAGE_CHECK=0: not).
[ "${PACKAGE_CHECK:-1}" = 0 ] || tools/package-check.sh
