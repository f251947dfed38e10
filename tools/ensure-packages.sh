#!/usr/bin/env bash
# Makes sure the given Debian packages are installed. As root, installs what is missing
# (apt-get update once); otherwise names the missing packages and fails.
set -euo pipefail
missing=()
for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
    echo "Missing Debian packages; install them with:"
    echo "  sudo apt-get install ${missing[*]}"
    exit 1
fi
