#!/usr/bin/env bash
# Builds Wheelbook with its tests and runs them: the formatting check, the layers'
# include check, the widget-free layers compiled for Windows, the whole suite, then the
# whole suite again under the address and undefined-behaviour sanitizers.
# Set WHEELBOOK_SKIP_SANITIZE=1 to skip the sanitizer run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export QT_QPA_PLATFORM=offscreen

echo "== formatting"
mapfile -t sources < <(find src tests bench tools -name '*.cpp' -o -name '*.h' | sort)
clang-format --dry-run --Werror "${sources[@]}"

echo "== includes"
scripts/check-includes.sh

echo "== Windows compile"
scripts/check-windows.sh

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWHEELBOOK_TESTS=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

if [[ -z "${WHEELBOOK_SKIP_SANITIZE:-}" ]]; then
    echo "== build and test with sanitizers"
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWHEELBOOK_TESTS=ON -DWHEELBOOK_SANITIZE=ON
    cmake --build build-sanitize -j2
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-sanitize --output-on-failure -j2
fi
