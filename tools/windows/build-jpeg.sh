#!/usr/bin/env bash
# Cross-builds libjpeg-turbo for 64-bit Windows from Debian's own source package, static with its
# SIMD code, into the cache; prints the installed prefix.
# Usage: tools/windows/build-jpeg.sh   (CORVANE_CACHE sets the cache folder)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/build-from-source.sh" jpeg libjpeg-turbo "$here/build-jpeg.sh" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF
