#!/usr/bin/env bash
# Cross-builds libjpeg-turbo for 64-bit Windows from Debian's own source package, static with its
# SIMD code, into the same cache as Qt; prints the installed prefix.
# Usage: tools/windows/build-jpeg.sh   (CORVANE_CACHE sets the cache folder)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${CORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/corvane-windows}
version=$(apt-cache showsrc libjpeg-turbo 2>/dev/null | awk '/^Version:/ {print $2; exit}')
[ -n "$version" ] || { echo "build-jpeg: no source package libjpeg-turbo (deb-src missing?)" >&2; exit 1; }
version=${version#*:} # no epoch in a folder name
key=$(cat "$here/build-jpeg.sh" "$here/mingw-w64.cmake" | sha256sum | cut -c1-12)
prefix=$cache/jpeg-$version-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/work-jpeg
rm -rf "$work" "$prefix"
mkdir -p "$work"
(cd "$work" && apt-get source -qq --download-only libjpeg-turbo >/dev/null 2>&1 &&
    dpkg-source -x --no-check ./*.dsc source >/dev/null 2>&1)
cmake -S "$work/source" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF >"$work/configure.log" 2>&1 ||
    { tail -30 "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" --parallel >"$work/build.log" 2>&1 ||
    { grep -m5 -B2 -A10 "FAILED" "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
