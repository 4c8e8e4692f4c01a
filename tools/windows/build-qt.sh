#!/usr/bin/env bash
# Cross-builds what Corvane uses of Qt 6.4.2's qtbase for 64-bit Windows, from Debian's own source
# package, into the cache; prints the installed prefix.
# Usage: tools/windows/build-qt.sh   (CORVANE_CACHE sets the cache folder)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# What Corvane does not use is left out, but for OpenGL, without which Qt 6.4's windows platform
# plugin does not build. The plugin's tablet and Direct2D sources are not in Debian's tarball, and
# DirectWrite goes with Direct2D.
exec "$here/build-from-source.sh" qt qt6-base "$here/build-qt.sh" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite=OFF \
    -DFEATURE_directwrite3=OFF
