#!/usr/bin/env bash
# The window's shortcuts work while a text field has the focus: the field keeps what was typed in
# it and the shortcut runs its menu command.
# Usage: on_own_display.sh test_shortcuts_in_fields.sh path/to/corvane
set -euo pipefail

source "$(dirname "$0")/xvfb_helpers.sh"

corvane=$(realpath "$1")
enter_temporary_home
trap 'kill "${program:-}" 2>/dev/null || true; rm -rf "$home"' EXIT
# The desktop's opener, replaced by one that writes down what it was asked to open.
mkdir "$home/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"$HOME/opened"\n' >"$home/bin/xdg-open"
chmod +x "$home/bin/xdg-open"
export PATH="$home/bin:$PATH"

"$corvane" &
program=$!
retry found Corvane || fail "the main window did not show"
main=$(window_named Corvane)
xdotool windowfocus --sync "$main"

# NameField has the focus: Ctrl+H opens the help, and the name stays as it was typed.
xdotool type --delay 20 abc
xdotool key ctrl+h
retry grep -qx "$home/Corvane Help.chm" "$home/opened" 2>/dev/null ||
    fail "Ctrl+H in the name field did not open the help"

# In P1Field, Ctrl+G looks for the grid form, which is missing here.
xdotool mousemove --window "$main" 658 487 click 1
xdotool type --delay 20 1500
xdotool key ctrl+g
retry found Erreur || fail "Ctrl+G in the P1 field did not look for the grid form"
xdotool windowfocus --sync "$(window_named Erreur)"
xdotool key Return
retry eval '! found Erreur' || fail "the message stayed open"
xdotool windowfocus --sync "$main"

# The typed texts are intact: saving under the name asks nothing and writes P1 as typed.
xdotool key ctrl+s
retry found Enregistrement || fail "no confirmation after Ctrl+S"
xdotool windowfocus --sync "$(window_named Enregistrement)"
xdotool key Return
saved="$home/Documents/Mes Evaluations/ABC.ini"
retry test -f "$saved" || fail "no ABC.ini: $(ls -A "$home/Documents/Mes Evaluations")"
grep -q $'^P1 = 1500\r$' "$saved" || fail "P1 not as typed: $(cat -v "$saved")"

xdotool windowfocus --sync "$main"
xdotool key ctrl+q
retry eval '! kill -0 "$program" 2>/dev/null' || fail "still running after Ctrl+Q"
program=
echo "PASS: Ctrl+H, Ctrl+G, Ctrl+S and Ctrl+Q from inside the text fields"
