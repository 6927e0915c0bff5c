#!/usr/bin/env bash
# Builds the Debian package from the build folder and prints its path
# (${BUILD_DIR:-build}/package/qelt32_VERSION_ARCH.deb). Builds first unless NO_BUILD=1.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
[ "${NO_BUILD:-0}" = 1 ] || tools/build.sh
rm -f "$build"/package/qelt32_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
realpath "$build"/package/qelt32_*.deb
