#!/usr/bin/env bash
# Cross-builds a CMake project from Debian's own source package for 64-bit Windows into a cache
# outside the work tree, and prints the installed prefix. The cache is keyed on the source
# version and on the calling script, this one and the toolchain file (which hold every option): a
# later run with the same key reuses it at once.
# Usage: build-from-source.sh NAME SOURCE_PACKAGE CALLING_SCRIPT [cmake option...]
# (CORVANE_CACHE sets the cache folder)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
name=$1 package=$2 caller=$3
shift 3
cache=${CORVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/corvane-windows}
version=$(apt-cache showsrc "$package" 2>/dev/null | awk '/^Version:/ {print $2; exit}')
[ -n "$version" ] || { echo "$name: no source package $package (deb-src missing?)" >&2; exit 1; }
version=${version#*:} # no epoch in a folder name
key=$(cat "$caller" "$here/build-from-source.sh" "$here/mingw-w64.cmake" | sha256sum | cut -c1-12)
prefix=$cache/$name-$version-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$cache/work-$name
rm -rf "$work" "$prefix"
mkdir -p "$work"
(cd "$work" && apt-get source -qq --download-only "$package" >/dev/null 2>&1 &&
    dpkg-source -x --no-check ./*.dsc source >/dev/null 2>&1)
cmake -S "$work/source" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >"$work/configure.log" 2>&1 ||
    { tail -30 "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" --parallel >"$work/build.log" 2>&1 ||
    { grep -m5 -B2 -A10 "FAILED" "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
