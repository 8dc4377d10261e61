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
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWHEELBOOK_TESTS=ON \
    -DWHEELBOOK_INSTALL_APPDIR=lib/wheelbook -DWHEELBOOK_INSTALL_DATADIR=share -DWHEELBOOK_INSTALL_BINDIR=bin
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

echo "== install and package"
# Installs the build into a temporary prefix and starts the installed program through its
# command link over a data file of its own; then unpacks the portable archive into a clean
# folder and starts it over its shipped data file. The autostart folder is a temporary one.
scratch=$(mktemp -d)
pid=
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
fail() {
    echo "install check: $*" >&2
    exit 1
}
# Waits at most 10 s for a condition while the program started last runs, then ends it.
await() {
    local i
    for ((i = 0; i < 100; i++)); do
        if "$@"; then break; fi
        sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
    "$@"
}
prefix=$scratch/prefix
app=$prefix/lib/wheelbook
cmake --install build --prefix "$prefix" >"$scratch/install.log"
for file in "$app/wheelbook" "$app/wheelbook-charts.so" "$app/Reference.chm" "$prefix/share/icons/hicolor/scalable/apps/wheelbook.svg" \
    "$prefix"/share/icons/hicolor/{48x48,128x128,256x256}/apps/wheelbook.png; do
    [[ -f $file ]] || fail "$file not installed"
done
cmp "$app/cardata.dat" data/cardata.dat
[[ $(readlink "$prefix/bin/wheelbook") == ../lib/wheelbook/wheelbook ]] || fail "bin/wheelbook is not the link"
desktop-file-validate "$prefix/share/applications/wheelbook.desktop"
grep -qx "Exec=$app/wheelbook" "$prefix/share/applications/wheelbook.desktop" || fail "the launcher's Exec"
appstreamcli validate --no-net "$prefix/share/metainfo/org.wheelbook.Wheelbook.metainfo.xml"

printf '[init]\r\nmiles=5000\r\n[misc]\r\nfuel=5\r\n' >"$app/cardata.dat"
cp "$app/cardata.dat" "$scratch/before.dat"
cmake --install build --prefix "$prefix" >"$scratch/install.log"
cmp "$app/cardata.dat" "$scratch/before.dat" || fail "installing again changed the data file"
XDG_CONFIG_HOME=$scratch/config "$prefix/bin/wheelbook" /s &
pid=$!
await grep -q $'^cost=5\r$' "$app/cardata.dat" || fail "the installed program did not start over its data file"

archive=$(scripts/package.sh build | tail -n 1)
mkdir "$scratch/unpacked"
tar -C "$scratch/unpacked" -xzf "$archive"
portable=$(echo "$scratch"/unpacked/wheelbook-*)
XDG_CONFIG_HOME=$scratch/config "$portable/wheelbook.sh" &
pid=$!
await test -e "$portable/cardata.dat.lock" || fail "the unpacked archive did not start over its data file"
cmp "$portable/cardata.dat" data/cardata.dat
rm -rf "$scratch"

if [[ -z "${WHEELBOOK_SKIP_SANITIZE:-}" ]]; then
    echo "== build and test with sanitizers"
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWHEELBOOK_TESTS=ON -DWHEELBOOK_SANITIZE=ON
    cmake --build build-sanitize -j2
    ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-sanitize --output-on-failure -j2
fi
