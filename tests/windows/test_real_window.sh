#!/usr/bin/env bash
# The program built for Windows, run under wine with the windows platform on an X screen under
# openbox, used as a person would, against the Linux build given the same entries on the same
# screen, one after the other: the window's size and place, the face that serves Arial, a menu,
# shortcuts and pictures, the saved evaluation (the same bytes but for the date), the snapshot
# picture, the two file lists following their folders, and where the grid page looks different.
# Usage: on_own_display.sh test_real_window.sh LINUX-CORVANE WINDOWS-CORVANE.exe [DLL-FOLDERS]
#   DLL-FOLDERS (':'-separated) for a program of the build tree; none for an installed one.
# CORVANE_KEEP_SHOTS=folder keeps the screenshots and the difference picture to look at.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../xvfb/xvfb_helpers.sh"
source "$here/wine_program.sh"

for tool in openbox xdotool xwininfo xprop import compare convert identify; do
    command -v "$tool" >/dev/null || fail "$tool is missing (dev.sh installs it)"
done
[ -x "$wine_loader" ] || fail "wine64 is missing (dev.sh installs it)"

linux=$(realpath "$1")
windows=$(realpath "$2")
dlls=${3:-}
# The pictures of the DPS-GE banner and of the About window's logo, as the program carries them.
ge_banner=$here/../../assets/pictures/17.jpeg
logo=$here/../../assets/pictures/101.jpeg

export LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE
enter_temporary_home
shots=$home/shots
mkdir "$shots"
trap 'kill "${program:-}" 2>/dev/null || true; remove_wine_prefix
      kill -- -"${manager:-0}" 2>/dev/null || true
      [ -z "${CORVANE_KEEP_SHOTS:-}" ] || cp -r "$shots/." "$CORVANE_KEEP_SHOTS/"
      rm -rf "$home"' EXIT

setsid openbox --sm-disable >"$home/wm.log" 2>&1 &
manager=$!
retry eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "openbox did not start: $(cat "$home/wm.log")"
make_wine_prefix

# Waits for the command to succeed, trying it again every tenth of a second for at most the given
# seconds of the clock, however long each try takes.
within() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# The number of pixels that differ between two pictures of the same size, with a fuzz in percent.
differing() {
    local count
    count=$(compare -metric AE -fuzz "${3:-0}%" "$1" "$2" null: 2>&1 || true)
    count=${count%% *}
    [[ $count =~ ^[0-9]+$ ]] || fail "cannot compare $1 with $2: $count"
    echo "$count"
}

# A window's client area on the screen: x y width height.
client_area() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# The window's client area as the screen shows it, once two shots a moment apart agree.
shoot() {
    local window=$1 file=$2 x y width height
    read -r x y width height < <(client_area "$window")
    import -window root -crop "${width}x$height+$x+$y" +repage "$file.previous.png"
    for _ in $(seq 100); do
        sleep 0.3
        import -window root -crop "${width}x$height+$x+$y" +repage "$file"
        if [ "$(differing "$file" "$file.previous.png")" = 0 ]; then
            rm "$file.previous.png"
            return 0
        fi
        mv "$file" "$file.previous.png"
    done
    fail "the window $window kept changing"
}

# Where the picture lies in the shot, looked for within 3 pixels of x y: "x y", or nothing. Its
# colours may differ by a JPEG decoder's rounding.
find_picture() {
    local shot=$1 picture=$2 x=$3 y=$4 size dx dy
    size=$(identify -format '%wx%h' "$picture")
    for dy in 0 -1 1 -2 2 -3 3; do
        for dx in 0 -1 1 -2 2 -3 3; do
            [ $((x + dx)) -ge 0 ] && [ $((y + dy)) -ge 0 ] || continue
            if [ "$(convert "$shot" -crop "$size+$((x + dx))+$((y + dy))" +repage png:- |
                differing "$picture" - 5)" = 0 ]; then
                echo "$((x + dx)) $((y + dy))"
                return 0
            fi
        done
    done
}

windows_of_program() {
    xdotool search --onlyvisible --class corvane 2>/dev/null | sort
}

# The window the program opened after the given list of its windows.
new_window() {
    comm -13 <(echo "$1") <(windows_of_program) | head -1
}

# The same entries in either program, as clicks and keys on the grid page: a name, P1, then
# options P2 3, E1 2 and E2 4. That last click turns the type from DPS-ME to DPS-GE, so that the
# banner tells when it has been taken. The places lie within controls that sit 2 pixels higher
# under Windows, whose tab bar is lower.
enter_evaluation() {
    local window=$1 option
    xdotool mousemove --window "$window" 300 62 click 1
    xdotool type --delay 30 "fete du village"
    xdotool mousemove --window "$window" 660 487 click 1
    xdotool type --delay 30 35000
    for option in "850 162" "850 292" "100 512"; do
        # shellcheck disable=SC2086 # x and y
        xdotool mousemove --window "$window" $option click 1
    done
    xdotool mousemove 0 0
}

active() {
    [ "$(xprop -root _NET_ACTIVE_WINDOW | grep -o '0x[0-9a-f]*' | head -1)" = \
        "$(printf '0x%x' "$1")" ]
}

# Brings the window to the front with the keyboard's focus.
focus() {
    xdotool windowactivate "$1" 2>/dev/null || true
    within 30 active "$1" || fail "the window $1 did not get the focus"
}

# Closes the message box of that title with the key.
answer() {
    local side=$1 title=$2 key=$3 box
    within 30 found "$title" || fail "$side: no message \"$title\""
    box=$(window_named "$title")
    focus "$box"
    xdotool key "$key"
    within 30 eval '! found "$title"' || fail "$side: the message \"$title\" stayed open"
}

# The "Fichier" menu shows a picture beside each of its five commands: five runs of coloured rows
# in its first 40 columns.
pictures_in_menu() {
    local height
    height=$(identify -format '%h' "$1")
    convert "$1" -crop "40x$height+0+0" +repage -fx 'max(r,max(g,b))-min(r,min(g,b))' \
        -threshold 25% -scale "1x$height!" -threshold 0 -depth 8 txt:- |
        awk 'NR > 1 { on = $0 ~ /#FFFFFF/ } on && !was { runs++ } { was = on }
            END { print runs + 0 }'
}

# Drives one program through what both are asked: the main window's size, the entries and the
# page that shows them with their banner, the "Fichier" menu, the About window through the menu's
# keys. The shots are named after the side.
drive() {
    local side=$1 main before menu about position
    main=$(window_named Corvane)
    read -r _ _ width height < <(client_area "$main")
    [ "$width" = 1014 ] && [ "$height" = 718 ] || fail "$side: a window of ${width}x$height"
    ! xprop -id "$main" _NET_WM_ALLOWED_ACTIONS | grep -q -e _RESIZE -e _MAXIMIZE ||
        fail "$side: the window manager lets the window be resized or maximised"
    focus "$main"
    enter_evaluation "$main"
    shows_banner() {
        shoot "$main" "$shots/$side-grid.png"
        position=$(find_picture "$shots/$side-grid.png" "$ge_banner" 14 572)
        [ -n "$position" ]
    }
    within 60 shows_banner || fail "$side: the page shows no DPS-GE banner after the entries"
    echo "$position" >"$shots/$side-banner.txt"

    before=$(windows_of_program)
    xdotool mousemove --window "$main" 25 10 click 1
    within 30 eval '[ -n "$(new_window "$before")" ]' || fail "$side: the menu did not open"
    menu=$(new_window "$before")
    shows_menu() {
        shoot "$menu" "$shots/$side-menu.png"
        [ "$(pictures_in_menu "$shots/$side-menu.png")" = 5 ]
    }
    within 30 shows_menu ||
        fail "$side: the menu shows $(pictures_in_menu "$shots/$side-menu.png") pictures, not 5"
    # "?" > "A propos": Left goes round from "Fichier" to "?".
    xdotool key Left Down Down Return
    within 30 found "A propos de Corvane V1.10" || fail "$side: the About window did not show"
    about=$(window_named "A propos de Corvane V1.10")
    shows_logo() {
        shoot "$about" "$shots/$side-about.png"
        [ -n "$(find_picture "$shots/$side-about.png" "$logo" 0 0)" ]
    }
    within 30 shows_logo || fail "$side: the About window shows no logo"
    xdotool mousemove --window "$about" 375 182 click 1
    within 30 eval '! found "A propos de Corvane V1.10"' || fail "$side: the About window stayed"
}

save_with_shortcut() {
    local side=$1 main
    main=$(window_named Corvane)
    focus "$main"
    xdotool key ctrl+s
    answer "$side" Enregistrement Return
}

quit_with_shortcut() {
    local side=$1 main status=0
    main=$(window_named Corvane)
    focus "$main"
    xdotool key ctrl+q
    within 30 eval '! kill -0 "$program" 2>/dev/null' || fail "$side: still running after Ctrl+Q"
    wait "$program" || status=$?
    program=
    [ "$status" = 0 ] || fail "$side: exit status $status"
}

# The Linux program, in the temporary home.
"$linux" &
program=$!
within 30 found Corvane || fail "Linux: the main window did not show"
drive Linux
save_with_shortcut Linux
quit_with_shortcut Linux
linux_saved="$HOME/Documents/Mes Evaluations/FETE DU VILLAGE.ini"
[ -f "$linux_saved" ] || fail "Linux: nothing saved: $(ls -A "$HOME/Documents/Mes Evaluations")"

# The Windows program. Wine's first start in a new prefix can take 10 to 20 seconds.
start_windows_corvane "$windows" "$dlls"
program=$windows_program
within 90 found Corvane || fail "Windows: the main window did not show within 90 s"
main=$(window_named Corvane)
# The program centres its client size on the screen's free area and moves its frame's top left
# corner there: the client area lies lower by the title bar that the window manager adds (20
# pixels under openbox, 22 for the fixed Windows frame wine keeps) and a pixel or so aside by the
# frame's left border, as wine reckons it. The program keeps 32 pixels for a title bar.
read -r x y _ _ < <(client_area "$main")
[ $((x - 133)) -ge -4 ] && [ $((x - 133)) -le 4 ] &&
    [ $((y - 153)) -ge 0 ] && [ $((y - 153)) -le 32 ] ||
    fail "Windows: the client area is at $x,$y, not centred (133,153 plus the frame)"
drive Windows

# The snapshot: a picture of the window below its menu bar, 200 pixels shorter than the window.
focus "$main"
xdotool mousemove --window "$main" 573 62 click 1
answer Windows "Afficher l'image" Escape
shopt -s nullglob
pictures=("$wine_documents/Mes Evaluations Images/FETE DU VILLAGE_"*.jpeg)
[ ${#pictures[@]} = 1 ] ||
    fail "Windows: expected one picture, found: $(ls -A "$wine_documents/Mes Evaluations Images")"
picture=${pictures[0]}
size=$(identify -format '%wx%h' "$picture")
[ "$size" = 1014x518 ] || fail "Windows: a snapshot of $size"
# Its pixels are the screen's, but for the JPEG's blur and the focus, now on the snapshot button:
# the menu bar is 19 pixels high under Windows.
convert "$picture" "$shots/snapshot.png"
least=
for top in $(seq 15 25); do
    count=$(convert "$shots/Windows-grid.png" -crop "1014x518+0+$top" +repage png:- |
        differing "$shots/snapshot.png" - 30)
    [ -n "$least" ] && [ "$least" -le "$count" ] || least=$count
done
[ "$least" -lt 5000 ] || fail "Windows: the snapshot differs from the window in $least pixels"

save_with_shortcut Windows
wine_saved="$wine_documents/Mes Evaluations/FETE DU VILLAGE.ini"
[ -f "$wine_saved" ] || fail "Windows: nothing saved: $(ls -A "$wine_documents/Mes Evaluations")"

# Each list page shows one entry per file of its folder, and follows it: a file copied in from
# outside is listed, with the count under the list, and gone once removed. The details view draws
# a line under each entry: in the name column, right of the names, they are the only marks.
entry_lines() {
    convert "$1" -crop 1x520+400+80 +repage -depth 8 txt:- |
        grep -c -v -i -e white -e '#FFFFFF' -e '^#'
}
follows() {
    local tab=$1 folder=$2 copy=$3 name=$4 page
    page=$shots/Windows-$name
    xdotool mousemove --window "$main" "$tab" 33 click 1 mousemove 0 0
    shows() {
        shoot "$main" "$page-$2.png"
        [ "$(entry_lines "$page-$2.png")" = "$1" ]
    }
    within 60 shows 1 before || fail "Windows: the $name page does not list its one file"
    convert "$page-before.png" -crop 90x16+913+673 +repage "$page-count-before.png"
    # The count, at the page's bottom right, changes with the list.
    counted() {
        shows 2 with-copy &&
            convert "$page-with-copy.png" -crop 90x16+913+673 +repage "$page-count-with-copy.png" &&
            [ "$(differing "$page-count-before.png" "$page-count-with-copy.png")" != 0 ]
    }
    cp "$copy" "$folder/COPIE $(basename "$copy")"
    within 60 counted ||
        fail "Windows: the $name page did not list and count a file copied in" \
            "($(entry_lines "$page-with-copy.png") entries)"
    rm "$folder/COPIE $(basename "$copy")"
    back() {
        shoot "$main" "$page-after.png"
        [ "$(differing "$page-before.png" "$page-after.png")" = 0 ]
    }
    within 60 back || fail "Windows: the $name page did not come back as it was once the copy" \
        "was removed ($(entry_lines "$page-after.png") entries)"
}
follows 410 "$wine_documents/Mes Evaluations" "$linux_saved" evaluations
follows 550 "$wine_documents/Mes Evaluations Images" "$picture" images
quit_with_shortcut Windows

# The saved evaluations are the same bytes, those expected, but for the date and time of the save
# on the "Date = " line, which is masked alone.
masked() {
    sed 's/^Date = .*\r$/Date = (masked)\r/' "$1"
}
expected=$({
    printf '\xef\xbb\xbf\r\n[Global]\r\nP2 = OptP2_3\r\nE1 = OptE1_2\r\nE2 = OptE2_4\r\n'
    printf 'P1 = 35000\r\nP = 35000\r\nI = 1.05\r\nRIS = 36.750\r\n'
    printf 'Type = DPS de grande envergure (DPS-GE)\r\nDate = (masked)\r\n'
} | od -c)
[ "$(masked "$linux_saved" | od -c)" = "$expected" ] ||
    fail "Linux: saved $(od -c "$linux_saved")"
[ "$(masked "$wine_saved" | od -c)" = "$expected" ] ||
    fail "Windows: saved $(od -c "$wine_saved"), not the Linux program's $(od -c "$linux_saved")"
weekday='(Lundi|Mardi|Mercredi|Jeudi|Vendredi|Samedi|Dimanche)'
month='(Janvier|Février|Mars|Avril|Mai|Juin|Juillet|Août|Septembre|Octobre|Novembre|Décembre)'
grep -q -E "^Date = $weekday [0-9]{2} $month [0-9]{4} à [0-9]{2}:[0-9]{2}:[0-9]{2}"$'\r$' \
    "$wine_saved" || fail "Windows: saved on $(grep '^Date' "$wine_saved")"

# The pages of the two programs, aligned on their banners: page coordinates from there on.
for side in Linux Windows; do
    read -r left top <"$shots/$side-banner.txt"
    convert "$shots/$side-grid.png" -crop "1000x642+$((left - 10))+$((top - 525))" +repage \
        "$shots/$side-page.png"
done

# Arial: the same face as the Linux program's Liberation Sans draws lines of the same lengths,
# within 2 % (the hinting of the two systems' font engines rounds each glyph's advance its own
# way). DejaVu Sans is a tenth or more wider, a serif face narrower. Lines in the control font,
# then in the bold title font.
text_width() {
    convert "$1" -crop "$2" +repage -fuzz 20% -trim -format '%w' info:
}
for line in 700x15+30+65 700x15+30+105 700x15+30+210 300x15+30+45 800x15+10+495; do
    linux_width=$(text_width "$shots/Linux-page.png" "$line")
    windows_width=$(text_width "$shots/Windows-page.png" "$line")
    echo "note: text at $line: $linux_width pixels long under Linux, $windows_width under Windows"
    [ $((100 * (windows_width - linux_width) / linux_width)) -ge -2 ] &&
        [ $((100 * (windows_width - linux_width) / linux_width)) -le 2 ] ||
        fail "the text at $line is $windows_width pixels long under Windows," \
            "$linux_width under Linux"
done

# The grid pages compared. Every pixel of the client areas: the Windows page face is a shade
# lighter (245 against 239), its menu bar white and its tab bar 2 pixels lower. The aligned pages
# at a fuzz of 10 %: every line of text differs, the two font engines smoothing and hinting
# glyphs their own ways (wine draws Liberation Sans 2 unsmoothed at that size, as the font's own
# table asks, but for the bold face), and so do the platform's own radio buttons, line edits and
# push buttons. Seen as an eye sees them from afar, blurred over 2 pixels, the pages are the same
# but for specks of a few tens of pixels each (a radio button's ring, a glyph's hinting), under
# 1000 in all; in another face the words move and whole words differ (19000 pixels with DejaVu
# Sans under Linux).
whole=$(differing "$shots/Linux-grid.png" "$shots/Windows-grid.png")
page=$(differing "$shots/Linux-page.png" "$shots/Windows-page.png" 10)
compare -fuzz 10% "$shots/Linux-page.png" "$shots/Windows-page.png" -compose src \
    -highlight-color white -lowlight-color black "$shots/page-difference.png" 2>/dev/null || true
for side in Linux Windows; do
    convert "$shots/$side-page.png" -blur 0x2 "$shots/$side-blurred.png"
done
blurred=$(differing "$shots/Linux-blurred.png" "$shots/Windows-blurred.png" 15)
compare -fuzz 15% "$shots/Linux-blurred.png" "$shots/Windows-blurred.png" -compose src \
    -highlight-color white -lowlight-color black "$shots/blurred-difference.png" 2>/dev/null || true
echo "note: the client areas differ in $whole pixels; the aligned pages in $page (fuzz 10 %)," \
    "blurred in $blurred (fuzz 15 %); the largest regions, in page coordinates:"
# The regions where the pages differ: nearby pixels joined, the largest first.
regions() {
    convert "$1" -morphology Dilate Square:"$2" -define connected-components:verbose=true \
        -define connected-components:area-threshold=20 -connected-components 8 null: |
        awk '$NF == "gray(255)" { print $2 }' | head -"$3" | tr '\n' ' '
}
echo "note: at 10 %: $(regions "$shots/page-difference.png" 3 12)"
echo "note: blurred: $(regions "$shots/blurred-difference.png" 1 12)"
[ "$blurred" -lt 5000 ] ||
    fail "the grid pages, blurred, differ in $blurred pixels:" \
        "$(regions "$shots/blurred-difference.png" 1 12)"
echo "PASS: under wine the window (its client area 1014x718 at $x,$y), its fonts, menu," \
    "shortcuts, pictures, saved evaluation, snapshot and file lists, as the Linux program's"
