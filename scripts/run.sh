#!/usr/bin/env bash
# Builds Wheelbook (in build-app), installs it for the present user and starts the
# installed program with the arguments given. The application folder is
# ${XDG_DATA_HOME:-~/.local/share}/wheelbook: the program, its help and the data file,
# which installing again never touches. The launcher and icons go into the user's own
# applications and icons folders, and ~/.local/bin/wheelbook starts the program too.
set -euo pipefail
cd "$(dirname "$0")/.."
# A viewer for the help file and the desktop's opener, which "Help File" goes through.
scripts/deps.sh xchm xdg-utils file shared-mime-info

data_home=${XDG_DATA_HOME:-$HOME/.local/share}
app_dir=$data_home/wheelbook
cmake -S . -B build-app -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWHEELBOOK_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX="$HOME/.local" -DWHEELBOOK_INSTALL_BINDIR=bin \
    -DWHEELBOOK_INSTALL_APPDIR="$app_dir" -DWHEELBOOK_INSTALL_DATADIR="$data_home"
cmake --build build-app --target wheelbook

# Earlier versions ran the program from the build folder, keeping the data there. A data
# file that was set up there (its initial reading given) moves over once, while the new
# place holds none or only the shipped one.
initialReading() {
    # The [init] miles value as the program reads it: the first section and key of the
    # name (any case), blanks trimmed, one pair of quotes removed.
    awk 'BEGIN { RS = "\r\n|\r|\n" }
        function trim(s) { gsub(/^[ \t\v\f]+|[ \t\v\f]+$/, "", s); return s }
        { line = trim($0) }
        line ~ /^\[/ && index(line, "]") {
            name = substr(line, 2); sub(/\][^\]]*$/, "", name)
            if (seen) exit
            inInit = tolower(trim(name)) == "init"; seen = inInit; next
        }
        inInit && index(line, "=") && tolower(trim(substr(line, 1, index(line, "=") - 1))) == "miles" {
            value = trim(substr(line, index(line, "=") + 1))
            if (value ~ /^".*"$/ || value ~ /^'\''.*'\''$/) value = substr(value, 2, length(value) - 2)
            print value; exit
        }' "$1"
}
old_data=build-app/app/cardata.dat
new_data=$app_dir/cardata.dat
running() { [[ -e $1.lock ]] && ! flock -n "$1.lock" true; }
if [[ -f $old_data ]] && [[ -n $(initialReading "$old_data" | tr -d ' \t\v\f') ]]; then
    if [[ ! -e $new_data ]] || cmp -s "$new_data" data/cardata.dat; then
        if running "$old_data" || running "$new_data"; then
            echo "Wheelbook is running: close it, then run this again to move your data file from" \
                "$PWD/$old_data to $new_data." >&2
            exit 1
        fi
        mkdir -p "$app_dir"
        mv "$old_data" "$new_data"
        echo "Moved your data file from $PWD/$old_data to $new_data, where Wheelbook keeps it from now on."
    elif ! cmp -s "$old_data" "$new_data"; then
        echo "Note: $PWD/$old_data was left where it is: $new_data already holds your data."
    fi
fi

cmake --install build-app

# "Help File" opens Reference.chm with the desktop's program for its type; name the
# viewer for this user only when nothing opens it yet.
if [[ -z $(xdg-mime query default application/vnd.ms-htmlhelp 2>/dev/null) ]]; then
    xdg-mime default xchm.desktop application/vnd.ms-htmlhelp
fi

exec "$app_dir/wheelbook" "$@"
