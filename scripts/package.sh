#!/usr/bin/env bash
# Makes the portable archive wheelbook-<version>-linux-<machine>.tar.gz: one folder holding
# the program and its charts module, its help, the shipped data file and wheelbook.sh,
# which starts the program on Debian's Qt 6 libraries. Unpacked anywhere, the program keeps its data beside it.
# Usage: scripts/package.sh [build-folder]
#   Without a build folder it makes a release build in build-package. The archive is
#   written into the build folder; its path is the last line printed.
set -euo pipefail
cd "$(dirname "$0")/.."
if (($#)); then
    build=$1
else
    build="build-package"
    scripts/deps.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DWHEELBOOK_TESTS=OFF
fi
cmake --build "$build" --target wheelbook wheelbook-charts
build=$(cd "$build" && pwd)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=wheelbook-$version
archive=$build/$name-linux-$(uname -m).tar.gz
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# The shipped data file, never the one a build's application folder has been used with.
mkdir "$stage/$name"
install -m 755 -s "$build/app/wheelbook" "$build/app/wheelbook-charts.so" "$stage/$name/"
install -m 755 data/wheelbook.sh "$stage/$name/wheelbook.sh"
install -m 644 "$build/app/Reference.chm" data/cardata.dat "$stage/$name/"
tar -C "$stage" --sort=name --owner=0 --group=0 --numeric-owner -czf "$archive" "$name"
echo "$archive"
