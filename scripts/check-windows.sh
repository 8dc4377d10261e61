#!/usr/bin/env bash
# Compiles the widget-free layers (core, datafile, domain, registry), their _WIN32
# branches and the Windows registry store included, with mingw-w64 against the Windows
# headers, so that no code goes uncompiled until a Windows build of them is tested.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++-posix
layers=(core datafile domain registry)
include=$(mktemp -d)
trap 'rm -rf "$include"' EXIT
for layer in "${layers[@]}"; do
    ln -s "$PWD/src/$layer" "$include/$layer"
done

status=0
for layer in "${layers[@]}"; do
    for file in src/"$layer"/*.cpp; do
        "$compiler" -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -I"$include" "$file" || status=1
    done
done
if ((status == 0)); then
    echo "the widget-free layers compile for Windows"
fi
exit $status
