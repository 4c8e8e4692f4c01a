#!/usr/bin/env bash
# Lays out what the Windows installer installs, from a Windows build and the cross-built Qt:
#   stage.sh BUILD_DIR QT_PREFIX STAGE_DIR
# STAGE_DIR/program/ then holds the installed folder as it will be: corvane.exe,
# corvane-rapport.exe, "Corvane Help.chm", the Qt plugins the programs load, and every DLL that
# these import, directly or through one another, from Qt's bin/ or MinGW's runtime; a DLL found in
# neither is Windows' own and is left to it. Everything is stripped. STAGE_DIR/remove-program.nsh
# holds the NSIS lines that remove those files and their subfolders again, for the uninstaller.
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 BUILD_DIR QT_PREFIX STAGE_DIR" >&2
    exit 2
fi
build=$1
qt=$2
stage=$3
program=$stage/program

mingw=x86_64-w64-mingw32
# Where a DLL a program imports is looked for: Qt's, then the C++ runtime next to MinGW's libgcc,
# then the runtime of MinGW itself (libwinpthread-1.dll).
dll_folders=(
    "$qt/bin"
    "$(dirname "$("$mingw-gcc-posix" -print-libgcc-file-name)")"
    "/usr/$mingw/lib"
)

# The program's own files, and the plugins Qt loads at run time, which nothing imports: the
# windows platform and style for corvane.exe, and the offscreen platform on which corvane-rapport
# draws its PDF reports.
roots=(
    "$build/shell/corvane.exe:"
    "$build/report/corvane-rapport.exe:"
    "$qt/plugins/platforms/qwindows.dll:platforms/"
    "$qt/plugins/platforms/qoffscreen.dll:platforms/"
    "$qt/plugins/styles/qwindowsvistastyle.dll:styles/"
)

rm -rf "$stage"
mkdir -p "$program"

# Copies a program or DLL into the stage, stripped: stage_binary SOURCE DESTINATION.
stage_binary() {
    mkdir -p "$(dirname "$2")"
    "$mingw-strip" -o "$2" "$1"
}

# The DLL of that name in one of dll_folders (Windows ignores the letter case), or nothing.
find_dll() {
    local folder
    for folder in "${dll_folders[@]}"; do
        find "$folder" -maxdepth 1 -type f -iname "$1" -print -quit
    done | head -1
}

# Each staged binary's imports, breadth first; a DLL is staged once, under its own name.
queue=()
for root in "${roots[@]}"; do
    source=${root%%:*}
    destination=$program/${root#*:}$(basename "$source")
    [ -f "$source" ] || { echo "$0: $source is missing" >&2; exit 1; }
    stage_binary "$source" "$destination"
    queue+=("$destination")
done
declare -A seen=()
while [ ${#queue[@]} -gt 0 ]; do
    binary=${queue[0]}
    queue=("${queue[@]:1}")
    while read -r name; do
        key=${name,,}
        [ -z "${seen[$key]:-}" ] || continue
        seen[$key]=1
        dll=$(find_dll "$name")
        [ -n "$dll" ] || continue
        stage_binary "$dll" "$program/$(basename "$dll")"
        queue+=("$program/$(basename "$dll")")
    done < <("$mingw-objdump" -p "$binary" | sed -n 's/^\s*DLL Name: //p')
done

help="$build/share/corvane/Corvane Help.chm"
[ -f "$help" ] || { echo "$0: $help is missing" >&2; exit 1; }
cp "$help" "$program/"

# The files first, then their folders, deepest first; "$" is NSIS's own character and is doubled.
{
    echo "; The files the installer put into \$INSTDIR, written by stage.sh."
    (cd "$program" && find . -type f | sort) | while read -r file; do
        file=${file#./}
        file=${file//\$/\$\$}
        echo "Delete \"\$INSTDIR\\${file//\//\\}\""
    done
    (cd "$program" && find . -mindepth 1 -type d | sort -r) | while read -r folder; do
        folder=${folder#./}
        echo "RMDir \"\$INSTDIR\\${folder//\//\\}\""
    done
} >"$stage/remove-program.nsh"
