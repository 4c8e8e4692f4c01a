# What the Xvfb tests share: a failure, a bounded wait, windows found by their title, a home of
# their own.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Runs the command until it succeeds, every tenth of a second for at most thirty seconds: a
# sanitizer build on a loaded machine can take several seconds to show a window.
retry() {
    for _ in $(seq 300); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

window_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}

found() {
    [ -n "$(window_named "$1")" ]
}

# Moves the test into a new temporary folder, $home, as the program's home, where it finds none
# of the machine's settings or XDG folders. The caller removes it on exit.
enter_temporary_home() {
    home=$(mktemp -d)
    export HOME=$home
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_DOCUMENTS_DIR
    cd "$home"
}
