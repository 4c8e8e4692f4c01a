# shellcheck shell=bash
# The program built for Windows, run under wine64 in a wine prefix of the test's own: what the
# tests of its window and of its installed copy share. Sourced after tests/xvfb/xvfb_helpers.sh.

wine_loader=/usr/lib/wine/wine64
wine_server=/usr/lib/wine/wineserver
wine_runner=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools/windows" && pwd)/run-under-wine.sh

# Makes a new wine prefix and exports it as WINEPREFIX; wine_documents is then the user's
# Documents folder in it. Wine links that folder to the home folder; it becomes a folder of the
# prefix, as on Windows, so that what the program writes stays in the prefix. The caller removes
# the prefix with remove_wine_prefix.
make_wine_prefix() {
    export WINEDEBUG=-all WINEPREFIX
    WINEPREFIX=$(mktemp -d /tmp/wineprefix-window-XXXXXX)
    # Without wine's .NET and HTML engines, which the program does not use (a wine that lacks them
    # asks to download them instead of going on), nor its menu entries for the desktop.
    WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=" "$wine_loader" wineboot --init \
        >/dev/null 2>&1 || fail "wineboot could not make $WINEPREFIX"
    local user
    for user in "$WINEPREFIX"/drive_c/users/*; do
        [ "$(basename "$user")" = Public ] || wine_documents=$user/Documents
    done
    [ -n "${wine_documents:-}" ] || fail "no user folder in $WINEPREFIX/drive_c/users"
    if [ -L "$wine_documents" ]; then
        rm "$wine_documents"
    fi
    mkdir -p "$wine_documents"
}

# Ends what still runs in the prefix (its wine server and programs), then removes it.
remove_wine_prefix() {
    [ -n "${WINEPREFIX:-}" ] || return 0
    "$wine_server" -k 2>/dev/null || true
    timeout 30 "$wine_server" -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}

# Starts the program built for Windows in its own folder, as its start menu entry does:
#   start_windows_corvane PROGRAM.exe [DLL-FOLDERS]
# DLL-FOLDERS (':'-separated) are where a program of the build tree finds Qt's DLLs; an installed
# program has them beside it. windows_program is then the process id of the running program.
start_windows_corvane() {
    local program=$1 dlls=${2:-}
    if [ -n "$dlls" ]; then
        (cd "$(dirname "$program")" && exec "$wine_runner" "$dlls" "$program") &
    else
        (cd "$(dirname "$program")" && exec "$wine_loader" "$program") &
    fi
    # shellcheck disable=SC2034 # the caller's
    windows_program=$!
}
