#!/usr/bin/env bash
# `make screenshot`: the desktop program draws its own window offscreen on the demo log, in a
# home of its own (no settings of the user's), and saves it as the README's picture.
#   make-screenshot.sh BUILD_DIR DEMO_LOG OUTPUT.png
set -euo pipefail
build=$(cd "$1" && pwd)
log=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
out=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cd "$home"
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_CACHE_HOME=$home/.cache QT_QPA_PLATFORM=offscreen TZ=Asia/Tokyo \
    "$build/lorvanel" --self-test --screenshot "$out" "$log"
echo "wrote $out"
