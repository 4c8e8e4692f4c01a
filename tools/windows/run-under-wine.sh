#!/bin/sh
# Runs a program built for Windows under wine64: run-under-wine.sh DLL-FOLDERS PROGRAM [ARGS...].
# Its DLLs are looked for in DLL-FOLDERS (':'-separated: the cross-built Qt's bin/, ...) and in
# MinGW's runtime folders.
set -eu
folders=$1
shift
winepath=
for folder in $(printf '%s' "$folders" | tr ':' ' ') /usr/lib/gcc/x86_64-w64-mingw32/*-posix \
    /usr/x86_64-w64-mingw32/lib; do
    winepath="$winepath${winepath:+;}$folder"
done
export WINEPATH="$winepath" WINEDEBUG="${WINEDEBUG:--all}"
exec /usr/lib/wine/wine64 "$@"
