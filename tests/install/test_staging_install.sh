#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a desktop finds there: the program, its
# data folder with the help, the menu entry, the metadata, the icons, the gzipped manual pages,
# the copyright and the changelog; then builds the Debian package and checks what it depends on.
# Usage: test_staging_install.sh <build folder> <install prefix> <desktop entry name>
set -euo pipefail
build=$1
prefix=$2
app_id=$3
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# The value of a key in one group of the desktop entry.
entry_key() {
    awk -v group="[$1]" -v key="$2=" '/^\[/ { inside = ($0 == group) }
        inside && index($0, key) == 1 { print substr($0, length(key) + 1) }' "$entry"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$stage/root" cmake --install "$build" >/dev/null
root="$stage/root"
entry="$root$prefix/share/applications/$app_id.desktop"
metainfo="$root$prefix/share/metainfo/$app_id.metainfo.xml"

[ -x "$root$prefix/bin/corvane" ] || fail "no program in bin/"
[ -x "$root$prefix/bin/corvane-rapport" ] || fail "no corvane-rapport in bin/"
for page in corvane corvane-rapport; do
    gzip -dc "$root$prefix/share/man/man1/$page.1.gz" | grep -q "^\.TH ${page^^} 1 " ||
        fail "no gzipped manual page for $page"
done
docs="$root$prefix/share/doc/corvane"
head -n 1 "$docs/copyright" | grep -q '^Format: .*copyright-format/1.0/$' || fail "copyright"
gzip -dc "$docs/changelog.gz" | head -n 1 | grep -q '^corvane (' || fail "changelog"
[ -f "$entry" ] || fail "no desktop entry"
[ -f "$metainfo" ] || fail "no metainfo"

desktop-file-validate "$entry" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"

# The entry starts the installed program in the folder that holds the help.
[ "$(entry_key "Desktop Entry" Exec)" = corvane ] || fail "Exec is not the installed program"
[ "$(entry_key "Desktop Action resume" Exec)" = "corvane-rapport --resume --ouvrir" ] ||
    fail "the summary action does not run corvane-rapport"
data=$(entry_key "Desktop Entry" Path)
[ "$data" = "$prefix/share/corvane" ] || fail "Path=$data"
[ -s "$root$data/Corvane Help.chm" ] || fail "no help in $data"

icon=$(entry_key "Desktop Entry" Icon)
for side in 16 24 32 48 64 128 256; do
    png="$root$prefix/share/icons/hicolor/${side}x${side}/apps/$icon.png"
    [ "$(identify -format '%m %wx%h' "$png")" = "PNG ${side}x${side}" ] || fail "icon $png"
done

# The package carries the same files and depends on what the program loads at run time.
(cd "$stage" && cpack --config "$build/CPackConfig.cmake" -B "$stage/deb" >/dev/null)
deb=$(ls "$stage"/deb/corvane_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libjpeg62-turbo qt6-translations-l10n fonts-liberation2 \
    fonts-dejavu-core; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "evince | pdf-viewer, xchm, xdg-utils" ] || fail "Recommends"
[ "$(dpkg-deb -f "$deb" Suggests)" = "libreoffice-calc | gnumeric" ] || fail "Suggests"
diff <(cd "$root" && find . -type f | sort) \
    <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($0, index($0, "./"))}' | sort) ||
    fail "the package holds other files than the install"
echo "staging install and package: all good"
