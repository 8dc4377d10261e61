#!/usr/bin/env bash
# Builds the benchmarks with optimisation and runs each of them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DWHEELBOOK_TESTS=OFF -DWHEELBOOK_BENCH=ON
cmake --build build-bench
for b in build-bench/bench/bench_*; do
    [[ -x "$b" ]] || continue
    echo "== $(basename "$b")"
    "$b"
done
