#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Wheelbook need,
# only when some are missing. Usage: scripts/deps.sh [extra packages...]
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libgtest-dev clang-format fp-utils-3.2.2 fonts-dejavu-core
    g++-mingw-w64-x86-64-posix qt6-charts-dev libqt6opengl6-dev desktop-file-utils appstream dbus "$@")
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
