#!/usr/bin/env bash
# Cross-builds what Corvane uses of Qt 6.4.2's qtbase for 64-bit Windows, from Debian's own source
# package, into a cache outside the work tree; prints the installed prefix. The cache is keyed on
# the source version and on this script (which holds the configure options): a later run with
# the same key reuses it at once.
# Usage: tools/windows/build-qt.sh   (CORVANE_CACHE sets the cache folder)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${CORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/corvane-windows}
version=$(apt-cache showsrc qt6-base 2>/dev/null | awk '/^Version:/ {print $2; exit}')
[ -n "$version" ] || { echo "build-qt: no source package qt6-base (deb-src missing?)" >&2; exit 1; }
key=$(cat "$here/build-qt.sh" "$here/mingw-w64.cmake" | sha256sum | cut -c1-12)
prefix=$cache/qt-$version-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/work-qt
rm -rf "$work" "$prefix"
mkdir -p "$work"
(cd "$work" && apt-get source -qq --download-only qt6-base >/dev/null 2>&1 &&
    dpkg-source -x --no-check ./*.dsc source >/dev/null)

# What Corvane does not use is left out, but for OpenGL, without which Qt 6.4's windows platform
# plugin does not build. The plugin's tablet and Direct2D sources are not in Debian's tarball, and
# DirectWrite goes with Direct2D.
cmake -S "$work/source" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite=OFF \
    -DFEATURE_directwrite3=OFF >"$work/configure.log" 2>&1 ||
    { tail -30 "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" --parallel >"$work/build.log" 2>&1 ||
    { grep -m5 -B2 -A10 "FAILED" "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
