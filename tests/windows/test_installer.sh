#!/usr/bin/env bash
# The Windows installer under wine, in a wine prefix of its own: its silent install puts the
# programs, the help and the DLLs into Program Files with a start-menu entry that starts Corvane
# in its folder and an entry in Windows' list of programs; the installed programs run on the DLLs
# installed with them alone; its silent uninstall takes all of that away again and leaves the
# user's evaluations in Documents.
# Given the Linux program too, the installed corvane.exe is then used as a person would, beside
# it (test_real_window.sh).
# Usage: test_installer.sh path/to/corvane-<version>-setup.exe [path/to/linux/corvane]
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
# Wine's desktop process keeps the display it first met: from the making of the prefix on, the
# whole test runs on one X server of its own.
if [ -z "${CORVANE_INSTALLER_TEST_DISPLAY:-}" ]; then
    CORVANE_INSTALLER_TEST_DISPLAY=1 exec "$here/../xvfb/on_own_display.sh" "$0" "$@"
fi

source "$here/../xvfb/xvfb_helpers.sh"
source "$here/wine_program.sh"

for tool in openbox xdotool xprop strings pdftotext wineserver; do
    command -v "$tool" >/dev/null || fail "$tool is missing (dev.sh installs it)"
done
setup=$(realpath "$1")
linux=${2:+$(realpath "$2")}
[ -f "$setup" ] || fail "no installer at $1"

enter_temporary_home
# No Mono, no Gecko, no menu entries written into the home.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
# The installed programs find their DLLs in their own folder, or nowhere.
unset WINEPATH
wine=$wine_loader
manager=
trap '[ -z "$manager" ] || kill -- -"$manager" 2>/dev/null || true
      remove_wine_prefix; rm -rf "$home"' EXIT
make_wine_prefix
user=$(basename "$(dirname "$wine_documents")")
evaluation="$wine_documents/Mes Evaluations/FETE DU VILLAGE.ini"
mkdir -p "$(dirname "$evaluation")"
printf '\xef\xbb\xbf\r\n[Global]\r\nP2 = OptP2_2\r\nE1 = OptE1_1\r\nE2 = OptE2_4\r\nP1 = 2500\r\n' \
    >"$evaluation"
printf 'P = 2500\r\nI = 0.95\r\nRIS = 2.375\r\nType = DPS de petite envergure (DPS-PE)\r\n' \
    >>"$evaluation"
printf 'Date = Mardi 08 D\xc3\xa9cembre 2026 \xc3\xa0 10:00:00\r\n' >>"$evaluation"

timeout 120 "$wine" "$setup" /S || fail "the silent install ended with status $?"

folder="$WINEPREFIX/drive_c/Program Files/Corvane"
for file in corvane.exe corvane-rapport.exe "Corvane Help.chm" uninstall.exe \
    styles/qwindowsvistastyle.dll; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
done
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Corvane.lnk"
[ -f "$shortcut" ] || fail "no Corvane.lnk in the start menu of all users"
# A shortcut holds its target, working folder and icon as UTF-16 strings of their own.
strings -el "$shortcut" | grep -qxF 'C:\Program Files\Corvane' ||
    fail "the shortcut starts Corvane elsewhere: $(strings -el "$shortcut" | tr "\n" " ")"
echo "PASS: installed into Program Files, with a start-menu entry that starts in that folder"

key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane'
entry=$("$wine" reg query "$key" | tr -d '\r') || fail "no uninstall key $key"
while read -r value; do
    grep -qxF "    $value" <<<"$entry" || fail "the uninstall key lacks \"$value\": $entry"
done <<'VALUES'
DisplayName    REG_SZ    Corvane
DisplayVersion    REG_SZ    1.10
Publisher    REG_SZ    Corvane
DisplayIcon    REG_SZ    C:\Program Files\Corvane\corvane.exe,0
InstallLocation    REG_SZ    C:\Program Files\Corvane
UninstallString    REG_SZ    "C:\Program Files\Corvane\uninstall.exe"
QuietUninstallString    REG_SZ    "C:\Program Files\Corvane\uninstall.exe" /S
NoModify    REG_DWORD    0x1
NoRepair    REG_DWORD    0x1
VALUES
# The size Windows shows, in KiB, is the installed folder's within 2 %.
size=$(sed -n 's/^ *EstimatedSize *REG_DWORD *//p' <<<"$entry")
installed=$(du -sk --apparent-size "$folder" | cut -f1)
percent=$((${size:-0} * 100 / installed))
[ "$percent" -ge 98 ] && [ "$percent" -le 102 ] ||
    fail "EstimatedSize ${size:-missing} for a folder of $installed KiB"
echo "PASS: Windows lists Corvane 1.10 for uninstalling"

# The summary needs Qt Core, the reports Qt Gui and its offscreen platform.
program='C:\Program Files\Corvane\corvane-rapport.exe'
timeout 60 "$wine" "$program" --resume -o 'C:\resume.csv' || fail "--resume: status $?"
row=$(sed -n 2p "$WINEPREFIX/drive_c/resume.csv" | tr -d '\r')
[ "$row" = "FETE DU VILLAGE;Mardi 08 Décembre 2026 à 10:00:00;2500;2500;0,30;0,25;0,40;0,95;\
2,375;DPS de petite envergure (DPS-PE);4" ] || fail "summary row: $row"
timeout 60 "$wine" "$program" -o 'C:\rapports' \
    "C:\\users\\$user\\Documents\\Mes Evaluations\\FETE DU VILLAGE.ini" >/dev/null ||
    fail "report: status $?"
pdftotext "$WINEPREFIX/drive_c/rapports/FETE DU VILLAGE.pdf" - |
    grep -qxF "Enregistrée le mardi 8 décembre 2026 à 10:00" || fail "the report lacks its date"
echo "PASS: the installed corvane-rapport.exe writes a summary and a report"

# Corvane started from its start-menu entry, as a user starts it, shows its main window; Ctrl+Q
# closes it.
check_main_window() {
    "$wine" start 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Corvane.lnk' ||
        fail "start Corvane.lnk: status $?"
    retry found Corvane || fail "the main window did not show"
    main=$(window_named Corvane)
    eval "$(xdotool getwindowgeometry --shell "$main")"
    [ "$WIDTH" = 1014 ] && [ "$HEIGHT" = 718 ] || fail "window of ${WIDTH}x$HEIGHT"
    echo "PASS: the installed corvane.exe shows its window of 1014x718"
    xdotool windowfocus --sync "$main" key ctrl+q
    retry eval '! found Corvane' || fail "the window stayed after Ctrl+Q"
}

setsid openbox --sm-disable >"$home/wm.log" 2>&1 &
manager=$!
retry eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "openbox did not start: $(cat "$home/wm.log")"
check_main_window
if [ -n "$linux" ]; then
    "$here/../xvfb/on_own_display.sh" "$here/test_real_window.sh" "$linux" "$folder/corvane.exe" ||
        fail "the installed corvane.exe did not do as the Linux program"
fi

# The uninstaller copies itself into a temporary folder, starts the copy and returns at once:
# it is done when the last program of the prefix is.
timeout 60 wineserver -w || fail "a program was still running 60 s after Corvane closed"
"$wine" 'C:\Program Files\Corvane\uninstall.exe' /S || fail "uninstall.exe /S: status $?"
timeout 60 wineserver -w || fail "the uninstaller was still running after 60 s"
[ ! -e "$folder" ] || fail "the program's folder stayed: $(cd "$folder" && find . | tr "\n" " ")"
[ ! -e "$shortcut" ] || fail "the start-menu entry stayed"
if "$wine" reg query "$key" >/dev/null 2>&1; then
    fail "the uninstall key stayed"
fi
[ -f "$evaluation" ] || fail "the user's evaluation went with the program"
echo "PASS: uninstalled, the user's evaluations kept"
