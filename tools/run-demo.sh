#!/usr/bin/env bash
# `make run`: the desktop program on the demo log when there is a display, else the demo
# log's report through the command-line program. The program keeps its settings file in the
# directory it starts in, so it starts in the build directory, not in the source tree.
set -euo pipefail
build=$(cd "$1" && pwd)
log=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    if [ -x "$build/lorvanel" ]; then
        cd "$build"
        exec "$build/lorvanel" "$log"
    fi
    echo "The desktop program was not built (LORVANEL_GUI=OFF): printing the demo log's report instead."
else
    echo "No display: printing the demo log's report instead of opening the window."
fi
exec "$build/lorvanel-cli" report "$log"
