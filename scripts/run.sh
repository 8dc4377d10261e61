#!/usr/bin/env bash
# Builds Wheelbook and starts it from its application folder (build/app).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWHEELBOOK_TESTS=OFF
cmake --build build --target wheelbook
exec build/app/wheelbook "$@"
