#!/usr/bin/env bash
# Builds Wheelbook and starts it from its application folder (build-app/app).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-app -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWHEELBOOK_TESTS=OFF
cmake --build build-app --target wheelbook
exec build-app/app/wheelbook "$@"
