#!/bin/sh
# Starts Wheelbook from the folder this script is in: the program, its charts module, its
# help and its data file side by side. They run on Debian's Qt 6 libraries; when some are
# missing this names the packages to install instead of leaving the loader's message.
here=$(dirname -- "$(readlink -f -- "$0")")
program="$here/wheelbook"

if command -v ldd >/dev/null 2>&1; then
    missing=$(ldd "$program" "$here/wheelbook-charts.so" 2>/dev/null | sed -n 's/^[[:space:]]*\([^[:space:]]*\) => not found$/\1/p' | sort -u)
    if [ -n "$missing" ]; then
        packages=""
        others=""
        for lib in $missing; do
            case $lib in
            libQt6*.so.6) packages="$packages $(printf '%s6' "${lib%.so.6}" | tr '[:upper:]' '[:lower:]')" ;;
            *) others="$others $lib" ;;
            esac
        done
        {
            echo "Wheelbook needs Qt 6 from Debian 12 or later, and these libraries are missing:"
            for lib in $missing; do echo "    $lib"; done
            if [ -n "$packages" ]; then
                echo "Install the Qt libraries as root with:"
                echo "    apt-get install$packages"
            fi
            if [ -n "$others" ]; then
                echo "Find the packages of the others with apt-file search (or packages.debian.org):$others"
            fi
        } >&2
        exit 1
    fi
fi

exec "$program" "$@"
