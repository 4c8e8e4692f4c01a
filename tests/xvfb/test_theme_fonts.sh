#!/usr/bin/env bash
# The window looks the same, to the pixel, whatever font the desktop theme sets: qt6ct with an
# 8-point and with a 12-point font, the grid page and the open "Fichier" menu each time.
# Usage: on_own_display.sh test_theme_fonts.sh path/to/corvane
set -euo pipefail

source "$(dirname "$0")/xvfb_helpers.sh"

command -v compare >/dev/null || fail "ImageMagick's compare is missing"
[ -n "$(find /usr/lib -path '*/platformthemes/libqt6ct.so' -print -quit)" ] || fail "qt6ct is missing"

corvane=$(realpath "$1")
shots=$(mktemp -d)
trap 'kill "${program:-}" 2>/dev/null || true; rm -rf "$shots"' EXIT

# Draws the window under qt6ct with the given font size into <size>-page.png and <size>-menu.png.
# Both runs use the same home, so that every text they show is the same.
draw() {
    local size=$1 home="$shots/home"
    rm -rf "$home" "$shots/config"
    mkdir -p "$home" "$shots/config/qt6ct"
    cat >"$shots/config/qt6ct/qt6ct.conf" <<CONF
[Appearance]
custom_palette=false
style=Fusion

[Fonts]
fixed="DejaVu Sans Mono,$size,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
general="DejaVu Sans,$size,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"

[Interface]
cursor_flash_time=0
CONF
    (cd "$home" && HOME=$home XDG_CONFIG_HOME="$shots/config" QT_QPA_PLATFORMTHEME=qt6ct \
        exec "$corvane") &
    program=$!
    retry found Corvane || fail "the main window did not show ($size pt)"
    local main
    main=$(window_named Corvane)
    # The theme's font arrives once the event loop runs: give it time to do its worst.
    sleep 1
    import -window root "$shots/$size-page.png"
    xdotool mousemove --window "$main" 20 10 click 1
    sleep 1
    import -window root "$shots/$size-menu.png"
    kill "$program"
    wait "$program" 2>/dev/null || true
    program=
}

draw 8
draw 12
for shot in page menu; do
    differing=$(compare -metric AE "$shots/8-$shot.png" "$shots/12-$shot.png" null: 2>&1) || true
    [ "$differing" = 0 ] || fail "the $shot differs in $differing pixels between 8 and 12 points"
done
echo "PASS: the window and its menu are the same with an 8- and a 12-point theme font"
