#!/usr/bin/env bash
# Sets up a Debian 12 machine for Corvane, builds it, and then starts it (`./dev.sh run`), passes
# every test (`./dev.sh test`: the formatting, the tests, the sanitizer build with a bounded fuzzing
# run, and the package as Debian builds it), builds the Debian package (`./dev.sh package`, which
# installs only what that build takes) or cross-builds for Windows (`./dev.sh windows`: Qt and
# libjpeg-turbo from Debian's sources, once, then corvane.exe, corvane-rapport.exe, the tests and
# the installer; `./dev.sh test` builds it too, runs every test under wine and tries the installer).
# Our own builds turn every compiler warning into an error.
set -euo pipefail
cd "$(dirname "$0")"

# What building the Debian package takes: the compiler, CMake and Ninja, the headers of Qt and
# libjpeg, the help's CHM compiler (fp-utils), dpkg-buildflags and dpkg-shlibdeps (dpkg-dev), the
# `file` that CPack's DEB generator sorts the installed files with, and lintian.
PACKAGE_TOOLS=(
    g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libjpeg62-turbo-dev fp-utils dpkg-dev
    file lintian
)
# What running the program and its tests takes besides: the sanitizer build, the formatting, the
# benchmarks, the fonts and translation the window is laid out for, the Xvfb tests and what the
# tests check the installed files and the reports with.
DEVELOPER_TOOLS=(
    clang libclang-rt-14-dev clang-format pkg-config
    qt6-translations-l10n qt6-image-formats-plugins libbenchmark-dev
    fonts-liberation fonts-liberation2 locales xvfb xauth x11-apps x11-utils openbox imagemagick xdotool
    desktop-file-utils appstream poppler-utils python3 libreoffice-calc-nogui bindfs qt6ct
    xfwm4 wmctrl dbus
)

# What the Windows build takes: the MinGW-w64 cross compiler with POSIX threads, nasm for
# libjpeg-turbo's SIMD code, wine to run what is built, Debian's source packages of Qt and
# libjpeg-turbo (dpkg-dev unpacks them), the fonts and Qt translation the program carries there,
# the help's CHM compiler, NSIS for the installer; and for its tests what reads its PDFs back and
# what drives its real window on an X server of its own.
WINDOWS_TOOLS=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix nasm wine wine64 fonts-wine cmake
    ninja-build qt6-base-dev qt6-base-dev-tools dpkg-dev fonts-liberation2 fonts-dejavu-core
    qt6-translations-l10n fp-utils nsis poppler-utils binutils xvfb xauth openbox xdotool
    x11-utils imagemagick
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs those of the given packages that are missing.
install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    fi
}

# Everything the program, its tests and the package need.
install_developer_tools() {
    install_missing "${PACKAGE_TOOLS[@]}" "${DEVELOPER_TOOLS[@]}"
    # A French locale, so that the tests can check that no number depends on it.
    if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
        as_root sed -i 's/^# *\(fr_FR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        as_root locale-gen >/dev/null
    fi
}

# Debian's source packages, from the same mirror and keyring as its binary packages.
enable_source_packages() {
    if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Version:'; then
        as_root tee /etc/apt/sources.list.d/corvane-sources.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
        as_root apt-get update -qq
    fi
}

# Qt and libjpeg-turbo for Windows, built once into a cache outside the work tree, then Corvane:
# corvane.exe, corvane-rapport.exe and the tests.
windows_build() {
    local qt jpeg
    qt=$(tools/windows/build-qt.sh)
    jpeg=$(tools/windows/build-jpeg.sh)
    # The cache may hold the places of an earlier Qt or libjpeg: they are looked up anew.
    rm -f build-windows/CMakeCache.txt
    cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_WERROR=ON \
        -DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-w64.cmake -DCMAKE_PREFIX_PATH="$qt;$jpeg" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCORVANE_BENCH=OFF >/dev/null
    cmake --build build-windows
    WINDOWS_QT=$qt
}

# Every test of the Windows build under wine, corvane-rapport.exe against the Linux build's, and
# the installer.
windows_test() {
    # A new wine prefix is made once, before tests start side by side.
    WINEDEBUG=-all /usr/lib/wine/wine64 wineboot --init
    rm -f build-windows/tests/*/*.log
    if ! (cd build-windows/tests && ctest --output-on-failure -j 2); then
        grep -l -a 'FAIL!' build-windows/tests/*/*.log | xargs -r cat >&2
        return 1
    fi
    tests/windows/compare_rapport.sh "$PWD/build/report/corvane-rapport" \
        "$PWD/build-windows/report/corvane-rapport.exe" "$WINDOWS_QT/bin:"
    tests/windows/test_installer.sh build-windows/corvane-*-setup.exe "$PWD/build/shell/corvane"
}

check_format() {
    git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
}

build() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON \
        -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
    cmake --build build
}

sanitizer_build() {
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANE_WERROR=ON \
        -DCMAKE_CXX_COMPILER=clang++ -DCORVANE_SANITIZE=ON -DCORVANE_FUZZ=ON \
        -DCORVANE_BENCH=OFF >/dev/null
    cmake --build build-sanitize
}

# What ships, built as a Debian package build would: a Release build with the flags of
# dpkg-buildflags (fortified, stack-protected, full RELRO), no tests, then the package, which
# lintian must accept without an error or a warning.
debian_flags() {
    DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"
}

package_build() {
    # CMake reads no CPPFLAGS of its own: they go in front of the compiler's flags.
    cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANE_WERROR=ON \
        -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr \
        -DCMAKE_CXX_FLAGS="$(debian_flags CPPFLAGS) $(debian_flags CXXFLAGS)" \
        -DCMAKE_EXE_LINKER_FLAGS="$(debian_flags LDFLAGS)" >/dev/null
    cmake --build build-package
    rm -f build-package/corvane_*.deb
    (cd build-package && cpack >/dev/null)
    local deb
    deb=$(echo build-package/corvane_*.deb)
    lintian --fail-on error,warning "$deb"
    echo "$deb: lintian has nothing to say"
}

case "${1:-}" in
run)
    install_developer_tools
    build
    # Started where the help lies, as the installed program is.
    mkdir -p build/share/corvane
    cd build/share/corvane
    exec ../../shell/corvane
    ;;
test)
    install_developer_tools
    check_format
    build
    (cd build && ctest --output-on-failure -j 2)
    sanitizer_build
    (cd build-sanitize && ctest --output-on-failure -j 2)
    package_build
    install_missing "${WINDOWS_TOOLS[@]}"
    enable_source_packages
    windows_build
    windows_test
    ;;
package)
    install_missing "${PACKAGE_TOOLS[@]}"
    package_build
    ;;
windows)
    install_missing "${WINDOWS_TOOLS[@]}"
    enable_source_packages
    windows_build
    ;;
*)
    echo "usage: ./dev.sh run | ./dev.sh test | ./dev.sh package | ./dev.sh windows" >&2
    exit 2
    ;;
esac
