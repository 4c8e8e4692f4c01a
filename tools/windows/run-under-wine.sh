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
# Wine keeps the QT_ variables of Linux away from Windows programs, and hands on those written as
# WINEQT_: QT_QPA_PLATFORM=offscreen reaches the program as itself.
for variable in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    export "WINE$variable=$(printenv "$variable")"
done
exec /usr/lib/wine/wine64 "$@"
