#!/usr/bin/env bash
# corvane-rapport built for Windows, run under wine, against the Linux build on the same
# evaluations: the summary must be the same bytes, and each report and a dossier the same text,
# drawn in fonts embedded in the PDF.
#   compare_rapport.sh LINUX-RAPPORT WINDOWS-RAPPORT.exe DLL-FOLDERS
set -euo pipefail
linux=$1
windows=$2
dlls=$3
wine_runner=$(cd "$(dirname "$0")/../../tools/windows" && pwd)/run-under-wine.sh
run_windows() { "$wine_runner" "$dlls" "$windows" "$@"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/linux" "$work/windows"

evaluation() { # NAME OPTIONS(P2 E1 E2) P1 P I RIS TYPE
    printf '\xef\xbb\xbf\r\n[Global]\r\nP2 = OptP2_%s\r\nE1 = OptE1_%s\r\nE2 = OptE2_%s\r\n' $2 $3 $4
    printf 'P1 = %s\r\nP = %s\r\nI = %s\r\nRIS = %s\r\nType = %s\r\n' "$5" "$6" "$7" "$8" "$9"
    printf 'Date = Mardi 08 D\xc3\xa9cembre 2026 \xc3\xa0 10:00:00\r\n'
}
for side in linux windows; do
    folder=$work/$side
    evaluation x 2 1 4 2500 2500 0.95 2.375 "DPS de petite envergure (DPS-PE)" \
        >"$folder/FETE DU VILLAGE.ini"
    evaluation x 4 1 4 250000 175000 1.05 183.750 "DPS de grande envergure (DPS-GE)" \
        >"$folder/concert; plein air.ini"
    evaluation x 1 1 1 334 334 0.75 0.250 "Point d'alerte et de premier secours" \
        >"$folder/Écluse en fête.ini"
    printf '[Global]\r\nP2 = OptP2_7\r\nP1 = 12\r\nRIS = NaN\r\n' >"$folder/=ABIME.INI"
    printf '\xef\xbb\xbf[Evenement]\r\nNom = F\xc3\xaate\r\nLieu = Plouzan\xc3\xa9\r\n' >"$folder/fete.dossier"
    printf 'Debut = 8/12/2026 10:00\r\nFin = 9/12/2026 02:00\r\nOrganisateur = Mairie\r\n' >>"$folder/fete.dossier"
    printf '[Evaluations]\r\nconcert; plein air = acteurs;09/12/2026\r\n' >>"$folder/fete.dossier"
done

(cd "$work/linux" && "$linux" --resume . >summary.csv)
(cd "$work/windows" && run_windows --resume . >summary.csv)
cmp "$work/linux/summary.csv" "$work/windows/summary.csv"

(cd "$work/linux" && "$linux" ./*.ini >/dev/null)
(cd "$work/windows" && run_windows ./*.ini >/dev/null)
# The dossier of an event, beside the reports; its evaluations in the same order on both sides.
dossier=(--dossier fete.dossier "FETE DU VILLAGE.ini" "concert; plein air.ini" "Écluse en fête.ini")
(cd "$work/linux" && "$linux" "${dossier[@]}" -o dossier.pdf >/dev/null)
(cd "$work/windows" && run_windows "${dossier[@]}" -o dossier.pdf >/dev/null)
for pdf in "$work"/linux/*.pdf; do
    name=$(basename "$pdf")
    windowsPdf=$work/windows/$name
    # Where a line breaks may differ by a word between the systems' renderers: the words are
    # compared, as a sorted list.
    diff <(pdftotext "$pdf" - | tr -s ' \n' '\n\n' | grep -v '^$' | sort) \
        <(pdftotext "$windowsPdf" - | tr -s ' \n' '\n\n' | grep -v '^$' | sort)
    # The same faces as on Linux: a sign the carried face lacks would bring in another.
    diff <(pdffonts "$pdf" | tail -n +3 | awk '{print $1}') \
        <(pdffonts "$windowsPdf" | tail -n +3 | awk '{print $1}')
    fonts=$(pdffonts "$windowsPdf" | tail -n +3)
    if [ -z "$fonts" ] || echo "$fonts" | awk '$(NF-4) != "yes"' | grep -q .; then
        echo "$name: a font is not embedded, or none is:" >&2
        pdffonts "$windowsPdf" >&2
        exit 1
    fi
done
echo "corvane-rapport.exe: the same summary, and reports and dossier with the same text in embedded fonts"
