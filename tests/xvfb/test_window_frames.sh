#!/usr/bin/env bash
# The window frames under a window manager, openbox (which ignores the Motif hints for the
# minimise, maximise and close boxes) or xfwm4 (which raises whatever window is clicked): the main
# window can be minimised and closed but neither maximised nor resized; the About window gets the
# focus, can be neither minimised, maximised nor resized, ignores a close request, stays above the
# disabled main window, whose close requests do nothing meanwhile, and leaves it usable once its
# button closed it.
# Usage: on_own_display.sh test_window_frames.sh path/to/corvane openbox|xfwm4
set -euo pipefail

source "$(dirname "$0")/xvfb_helpers.sh"

wm=$2
for tool in "$wm" xprop xwininfo wmctrl dbus-run-session; do
    command -v "$tool" >/dev/null || fail "$tool is missing (dev.sh installs it)"
done

corvane=$(realpath "$1")
enter_temporary_home
# The window manager's settings daemon may still write into the home while it ends: the home is
# removed once a try finds it quiet, within five seconds.
trap 'kill "${program:-}" 2>/dev/null || true; kill -- -"${manager:-0}" 2>/dev/null || true
      for _ in $(seq 50); do rm -rf "$home" 2>/dev/null && break; sleep 0.1; done' EXIT

# Those of the given actions that openbox allows on the window, e.g. "MINIMIZE CLOSE".
allowed() {
    local window=$1 list found=()
    shift
    list=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
    for action in "$@"; do
        if [[ $list == *_NET_WM_ACTION_$action* ]]; then
            found+=("$action")
        fi
    done
    echo "${found[*]}"
}

managed() {
    xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_MOVE
}

viewable() {
    xwininfo -id "$1" | grep -q 'Map State: IsViewable'
}

# xfwm4 keeps its settings on a session bus; each manager runs in a process group of its own.
case $wm in
openbox) setsid openbox --sm-disable >"$home/wm.log" 2>&1 & ;;
xfwm4) setsid dbus-run-session -- xfwm4 --compositor=off >"$home/wm.log" 2>&1 & ;;
*) fail "unknown window manager $wm" ;;
esac
manager=$!
retry eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "$wm did not start: $(cat "$home/wm.log")"

"$corvane" &
program=$!
retry found Corvane || fail "the main window did not show"
main=$(window_named Corvane)
retry managed "$main" || fail "$wm did not take the main window"
actions=$(allowed "$main" MINIMIZE MAXIMIZE_HORZ MAXIMIZE_VERT RESIZE CLOSE)
[ "$actions" = "MINIMIZE CLOSE" ] || fail "$wm allows on the main window: $actions"

# "?" > "A propos": the menu bar opens on "Fichier", a window of its own, and Left goes round to
# "?" on its first item.
windows() {
    xdotool search --onlyvisible --class corvane | wc -l
}
before=$(windows)
xdotool mousemove --window "$main" 25 10 click 1
retry eval '[ "$(windows)" -gt "$before" ]' || fail "the menu did not open"
xdotool key Left Down Down Return
title="A propos de Corvane V1.10"
retry found "$title" || fail "the About window did not show"
about=$(window_named "$title")
retry managed "$about" || fail "$wm did not take the About window"
actions=$(allowed "$about" MINIMIZE MAXIMIZE_HORZ MAXIMIZE_VERT RESIZE)
[ -z "$actions" ] || fail "$wm allows on the About window: $actions"
xprop -id "$about" WM_TRANSIENT_FOR | grep -q "$(printf '0x%x' "$main")" ||
    fail "the About window is not transient for the main window"

# The About window has the focus, and Alt+F4 asks it to close, which it ignores: openbox keeps the
# close box of a window with a title bar.
# xfwm4 lists a second window after the active one.
active() {
    [ "$(xprop -root _NET_ACTIVE_WINDOW | grep -o '0x[0-9a-f]*' | head -1)" = "$(printf '0x%x' "$1")" ]
}
retry active "$about" || fail "the About window did not get the focus"
xdotool key alt+F4
sleep 0.5
viewable "$about" || fail "the About window closed on Alt+F4"

# A click on the disabled main window leaves the About window above it.
above() {
    [[ $(xprop -root _NET_CLIENT_LIST_STACKING) == *$(printf '0x%x' "$main")*$(printf '0x%x' "$about")* ]]
}
xdotool mousemove --window "$main" 100 300 click 1
sleep 0.5
retry above || fail "the About window went under the main window"
retry active "$about" || fail "the About window did not get the focus back"

# Closing the main window's frame meanwhile does nothing, as Ctrl+Q.
wmctrl -i -c "$main"
sleep 0.5
viewable "$main" && kill -0 "$program" || fail "the main window closed under the About window"

# Minimised all the same, the About window is on screen again.
xdotool windowminimize "$about"
sleep 0.5
retry viewable "$about" || fail "the About window stayed minimised"

# Its button closes it, and the main window answers again: a click in the name field, Ctrl+Q.
xdotool mousemove --window "$about" 375 182 click 1
retry eval '! found "$title"' || fail "the About window stayed open"
xdotool mousemove --window "$main" 300 62 click 1
xdotool key ctrl+q
retry eval '! kill -0 "$program" 2>/dev/null' || fail "the main window did not take Ctrl+Q"
program=
echo "PASS: the main and About window frames under $wm"
