#!/usr/bin/env bash
# Configures and builds into ${BUILD_DIR:-build}, with the compiler and linker flags Debian
# builds its packages with (dpkg-buildflags: fortified functions, stack protector, read-only
# relocations bound at start), so that what the tests run is what the package ships. The
# path maps are left out: they would make each folder's objects differ. Arguments go to
# CMake and come last, so they may replace these flags (the sanitizer builds do).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
flags=()
if command -v dpkg-buildflags >/dev/null; then
    get() {
        DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=-fixfilepath,-fixdebugpath" \
            dpkg-buildflags --get "$1"
    }
    flags=(-DCMAKE_CXX_FLAGS="$(get CPPFLAGS) $(get CXXFLAGS)"
        -DCMAKE_EXE_LINKER_FLAGS="$(get LDFLAGS)")
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${flags[@]}" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
