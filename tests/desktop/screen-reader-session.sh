#!/usr/bin/env bash
# Runs a program in the session a screen reader works in: a private session bus with the
# accessibility bus and its registry already started on it, so that Qt finds them when the
# program starts. Its own runtime folder keeps runs side by side from sharing the
# accessibility bus's socket.
#   tests/desktop/screen-reader-session.sh PROGRAM [ARGS]
set -euo pipefail
if [ -z "${QELT32_IN_SCREEN_READER_SESSION:-}" ]; then
    runtime=$(mktemp -d)
    trap 'rm -rf "$runtime"' EXIT
    status=0
    XDG_RUNTIME_DIR=$runtime QELT32_IN_SCREEN_READER_SESSION=1 \
        dbus-run-session -- "$0" "$@" || status=$?
    exit $status
fi
# Asking for its address starts the accessibility bus (bounded: gdbus gives up after 20 s).
gdbus call --session --timeout 20 --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress >/dev/null
exec "$@"
