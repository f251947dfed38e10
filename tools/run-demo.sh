#!/usr/bin/env bash
# `make run`: the desktop program on the demo log when there is a display, else the demo
# log's report through the command-line program.
set -euo pipefail
build=$1
log=$2
if [ -x "$build/lorvanel" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    exec "$build/lorvanel" "$log"
fi
if [ -x "$build/lorvanel" ]; then
    echo "No display: printing the demo log's report instead of opening the window."
fi
exec "$build/lorvanel-cli" report "$log"
