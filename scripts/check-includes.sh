#!/usr/bin/env bash
# Fails when a file of src/ includes against the layers' arrows:
#   core <- datafile <- domain <- registry
#   core <- controls, core <- tray (and Qt)
#   domain, controls, tray <- mainwindow <- app (with registry) <- main.cpp
#   domain <- charts, the module the logbook loads; mainwindow includes its header alone
# A layer may include itself and the layers below it; core, datafile, domain and
# registry include no Qt header. Every include of the project is "layer/File.h".
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A allowed=(
    [core]="core"
    [datafile]="core datafile"
    [domain]="core datafile domain"
    [registry]="core datafile domain registry"
    [controls]="core controls"
    [tray]="core tray"
    [charts]="core datafile domain charts"
    [mainwindow]="core datafile domain controls tray charts mainwindow"
    [app]="core datafile domain registry controls tray mainwindow app"
    [main.cpp]="app"
)
qtFree=" core datafile domain registry "

status=0
while IFS= read -r file; do
    layer=${file%%/*}
    if [[ -z "${allowed[$layer]+set}" ]]; then
        echo "$file: not in a layer (add the folder to scripts/check-includes.sh and src/CMakeLists.txt)"
        status=1
        continue
    fi
    while IFS=: read -r line include; do
        target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$include")
        used=${target%%/*}
        if [[ "$target" != */* || "$target" == ../* ]]; then
            echo "$file:$line: include \"$target\" is not of the form \"layer/File.h\""
            status=1
        elif [[ " ${allowed[$layer]} " != *" $used "* ]]; then
            echo "$file:$line: $layer may not include $used (\"$target\")"
            status=1
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" | sed -E 's/^([0-9]+):/\1:/' || true)
    if [[ "$qtFree" == *" $layer "* ]] && grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file" >/dev/null; then
        grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file" | sed "s|^|$file:|; s|\$|  (the $layer layer includes no Qt header)|"
        status=1
    fi
done < <(find . -name '*.cpp' -o -name '*.h' | sed 's|^\./||' | sort)

if ((status == 0)); then
    echo "includes follow the layers"
fi
exit $status
