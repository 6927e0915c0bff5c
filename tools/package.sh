#!/usr/bin/env bash
# Builds the Debian packages from the build folder and prints their paths, one a line:
# ${BUILD_DIR:-build}/package/{qelt32,qelt32ctl,qelt32-sim}_VERSION-REVISION_ARCH.deb.
# Builds first unless NO_BUILD=1.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
[ "${NO_BUILD:-0}" = 1 ] || tools/build.sh
rm -f "$build"/package/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
realpath "$build"/package/*.deb
