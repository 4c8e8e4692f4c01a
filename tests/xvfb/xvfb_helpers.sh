# What the Xvfb tests share: a failure, a bounded wait, windows found by their title.

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
