#!/usr/bin/env bash
# The README's test command: installs what is needed, builds, runs every test.
#   SANITIZE=1       the whole suite built with the address and undefined-behaviour
#                    sanitizers, in its own folder (BUILD_DIR, default build-asan)
#   SANITIZE=thread  the link, watcher and simulator tests built with the thread sanitizer
#                    (BUILD_DIR, default build-tsan)
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
sanitize=${SANITIZE:-}
supp=$PWD/tools/sanitizers

case "$sanitize" in
"")
    tools/build.sh
    ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j "$(nproc)" --timeout 300
    # The Debian package, installed, run from /usr/bin and removed again (PACKAGE_CHECK=0: not).
    [ "${PACKAGE_CHECK:-1}" = 0 ] || tools/package-check.sh
    ;;
1 | address)
    export BUILD_DIR=${BUILD_DIR:-build-asan}
    flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    tools/build.sh -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
    # Not strict_string_checks: it makes strndup() read to a NUL that the C library does
    # not need, and libxkbcommon-x11 rightly hands it unterminated atom names.
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
    export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
    # Sanitized code runs slower: the suite's bounds on waits stay, only ctest's own
    # limit per test is wider.
    ctest --test-dir "$BUILD_DIR" --output-on-failure -j "$(nproc)" --timeout 600
    ;;
thread)
    export BUILD_DIR=${BUILD_DIR:-build-tsan}
    targets=(link_tests link_sim_tests sim_tests)
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
    cmake --build "$BUILD_DIR" -j "$(nproc)" --target "${targets[@]}"
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$supp/tsan.supp${TSAN_OPTIONS:+:$TSAN_OPTIONS}"
    status=0
    for t in "${targets[@]}"; do
        echo "== $t"
        QT_QPA_PLATFORM=offscreen "$BUILD_DIR/tests/$t" || status=1
    done
    exit $status
    ;;
*)
    echo "SANITIZE must be empty, 1 (address and undefined behaviour) or thread" >&2
    exit 2
    ;;
esac
