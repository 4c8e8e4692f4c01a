#!/usr/bin/env bash
# The snapshot on a real X screen: the picture holds the screen's pixels, so a window lying over
# the program's window is in it.
# Usage: on_own_display.sh test_real_snapshot.sh path/to/corvane
set -euo pipefail

source "$(dirname "$0")/xvfb_helpers.sh"

corvane=$(realpath "$1")
enter_temporary_home
trap 'kill "${cover:-}" "${program:-}" 2>/dev/null || true; rm -rf "$home"' EXIT
images="$HOME/Documents/Mes Evaluations Images"

"$corvane" &
program=$!
retry found Corvane || fail "the main window did not show"
main=$(window_named Corvane)
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$WIDTH" = 1014 ] && [ "$HEIGHT" = 718 ] || fail "window of ${WIDTH}x$HEIGHT"

# A red window over the window's upper area, in window coordinates 700,300 to 900,400.
xlogo -geometry "200x100+$((X + 700))+$((Y + 300))" -fg red -bg red &
cover=$!
retry found xlogo || fail "the covering window did not show"

# No window manager gives the focus: it is handed over by hand. NameField has it in the window.
xdotool windowfocus --sync "$main"
xdotool type --delay 20 essai
xdotool mousemove --window "$main" 570 62 click 1

retry found "Afficher l'image" || fail "no question after the snapshot"
question=$(window_named "Afficher l'image")
xdotool windowfocus --sync "$question"
xdotool key Escape
retry eval '! found "Afficher l'"'"'image"' || fail "the question stayed open"

shopt -s nullglob
pictures=("$images"/ESSAI_*.jpeg)
[ ${#pictures[@]} = 1 ] || fail "expected one picture, found: $(ls -A "$images")"
picture=${pictures[0]}
[[ "$(basename "$picture")" =~ ^ESSAI_[0-9]{8}_[0-9]{6}\.jpeg$ ]] || fail "named $picture"
size=$(identify -format '%wx%h' "$picture")
[ "$size" = 1014x518 ] || fail "picture of $size"

# The middle of the red window, below the menu bar's 15 to 30 pixels, is red in the picture.
colour=$(identify -format '%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]' \
    "$picture[20x20+790+315]")
read -r red green blue <<<"$colour"
[ "$red" -gt 230 ] && [ "$green" -lt 25 ] && [ "$blue" -lt 25 ] ||
    fail "the covering window is not in the picture (colour $colour)"
# Beside it the program's own window shows: not red.
colour=$(identify -format '%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]' \
    "$picture[20x20+600+315]")
read -r red green blue <<<"$colour"
[ "$green" -gt 100 ] || fail "the window beside the red one is missing (colour $colour)"

kill "$cover"
retry eval '! found xlogo' || fail "the covering window stayed"

# Answers the question that follows a snapshot with No.
decline_opening() {
    retry found "Afficher l'image" || fail "no question after the snapshot"
    xdotool windowfocus --sync "$(window_named "Afficher l'image")"
    xdotool key Escape
    retry eval '! found "Afficher l'"'"'image"' || fail "the question stayed open"
    xdotool windowfocus --sync "$main"
}

# With NameField emptied, the name comes from the prompt; the prompt, closed by then, is not in
# the picture: it matches one taken by name a moment later but for the name in NameField.
decline_opening_after() { "$@"; decline_opening; }
xdotool windowfocus --sync "$main"
xdotool mousemove --window "$main" 300 62 click 1 key ctrl+a BackSpace
xdotool mousemove --window "$main" 570 62 click 1
retry found Image || fail "no name prompt"
xdotool windowfocus --sync "$(window_named Image)"
xdotool type --delay 20 invite
decline_opening_after xdotool key Return
xdotool mousemove --window "$main" 300 62 click 1 type --delay 20 ref
decline_opening_after xdotool mousemove --window "$main" 570 62 click 1
prompted=("$images"/invite_*.jpeg)
named=("$images"/REF_*.jpeg)
[ ${#prompted[@]} = 1 ] && [ ${#named[@]} = 1 ] || fail "pictures: $(ls -A "$images")"
differing=$(compare -metric AE -fuzz 10% "${prompted[0]}" "${named[0]}" null: 2>&1 || true)
[ "${differing%% *}" -lt 3000 ] 2>/dev/null ||
    fail "the picture taken after the prompt differs in $differing pixels: the prompt is in it"

xdotool key ctrl+q
still_running() { kill -0 "$program" 2>/dev/null; }
retry eval '! still_running' || fail "still running after Ctrl+Q"
status=0
wait "$program" || status=$?
program=
[ "$status" = 0 ] || fail "exit status $status"
# CORVANE_KEEP_PICTURE=path keeps a copy of the picture to look at.
[ -z "${CORVANE_KEEP_PICTURE:-}" ] || cp "$picture" "$CORVANE_KEEP_PICTURE"
echo "PASS: $(basename "$picture") $size with the covering window in it"
