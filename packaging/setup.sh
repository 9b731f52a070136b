#!/usr/bin/env bash
# Installs the Debian packages each command needs when any is missing, builds
# Dentivel, then starts the program ("run"), runs every test ("test"), runs
# the suite again under the sanitizers with the fuzz runs ("sanitize"), or
# cross-builds the Windows program, installer and zip and runs the suite
# under Wine ("windows", see packaging/windows/windows.sh).
# For Debian 12 (bookworm) and Debian 13 (trixie).
set -euo pipefail

mode=${1:-}
if [[ "$mode" != run && "$mode" != test && "$mode" != sanitize && "$mode" != windows ]]; then
    echo "usage: $0 run|test|sanitize|windows" >&2
    exit 2
fi

cd "$(dirname "$0")/.."

# Building and starting the program: compiler, CMake, Qt (and X11's xcb,
# which keeps two windows out of the task bar there), the fonts the
# windows are designed for and Qt's own French texts.
packages=(cmake make g++ pkg-config libgl-dev
          qt6-base-dev qt6-svg-dev libxcb1-dev qt6-qpa-plugins qt6-translations-l10n fonts-liberation2)
if [[ "$mode" == windows ]]; then
    # Debian's MinGW-w64 cross-compiler, the source package tools, Wine with
    # its fonts on a virtual display, and NSIS.
    packages+=(g++-mingw-w64-x86-64-posix dpkg-dev qt6-base-dev-tools
               wine wine64 fonts-wine xvfb xauth nsis unzip)
elif [[ "$mode" != run ]]; then
    # What the tests drive: the data-file validators, the package tools, a
    # virtual X display with a window manager, a print server with a PDF
    # queue, a headless compositor with Qt's Wayland client, the formatter.
    packages+=(poppler-utils desktop-file-utils appstream dpkg-dev file xvfb xdotool openbox x11-utils
               lintian man-db groff-base cups printer-driver-cups-pdf weston qt6-wayland clang-format)
fi

sudo=()
if [[ $EUID -ne 0 ]]; then
    sudo=(sudo)
fi
updated=false
apt_update() {
    if [[ $updated == false ]]; then
        "${sudo[@]}" apt-get update
        updated=true
    fi
}
installed() {
    [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" == "install ok installed" ]]
}
install_missing() {
    local missing=() unknown=() package policy
    for package in "$@"; do
        installed "$package" || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    apt_update
    for package in "${missing[@]}"; do
        # Read whole first: grep -q stopping early would fail the pipe.
        policy=$(apt-cache policy "$package" 2>/dev/null)
        if [[ "$policy" != *"Candidate: "[^\(]* ]]; then
            unknown+=("$package")
        fi
    done
    if ((${#unknown[@]})); then
        echo "Not available on $(. /etc/os-release && echo "$PRETTY_NAME"): ${unknown[*]}" >&2
        echo "These commands are for Debian 12 and Debian 13." >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

install_missing "${packages[@]}"
if [[ "$mode" == sanitize ]]; then
    # The sanitizer and fuzzer run time belongs to one clang version: the
    # release's default one, whose number the release's clang package names.
    install_missing clang
    clang_major=$(clang -dumpversion | cut -d. -f1)
    install_missing "libclang-rt-${clang_major}-dev"
fi

jobs=$(nproc)
# CI sets this to ON so that any compiler warning fails the build.
werror=-DDENTIVEL_WARNINGS_AS_ERRORS=${DENTIVEL_WARNINGS_AS_ERRORS:-OFF}

if [[ "$mode" == windows ]]; then
    # Qt's source comes from the release's source packages.
    # Read whole first: grep -q stopping early would fail the pipe.
    sources=$(apt-cache showsrc qt6-base 2>/dev/null || true)
    if [[ "$sources" != *"Package: qt6-base"* ]]; then
        codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
        printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$codename" | "${sudo[@]}" tee /etc/apt/sources.list.d/dentivel-src.sources >/dev/null
        "${sudo[@]}" apt-get update
    fi
    exec bash packaging/windows/windows.sh "$werror"
fi

if [[ "$mode" == sanitize ]]; then
    # The suite under AddressSanitizer and UndefinedBehaviorSanitizer, built
    # with clang, which also brings libFuzzer: the number rules' fuzz targets
    # run a few seconds each from their corpus in fuzz/.
    CC=clang CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DDENTIVEL_SANITIZE=ON "$werror"
    cmake --build build-asan -j "$jobs"
    # Headless, and free of the desktop's theme so that every run sees the same widgets.
    unset QT_QPA_PLATFORMTHEME
    export QT_QPA_PLATFORM=offscreen
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/sanitizer-suppressions.txt:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    cd build-asan
    # The tests labelled system exercise the machine, not the program's
    # memory: the test command runs them (nor would a package of an
    # instrumented build be one to install).
    exec ctest --output-on-failure -j "$jobs" -LE system
fi

# Line tables are enough to place a crash in a backtrace, and the package is
# stripped anyway; full debug information would cost a third of the build.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
      "$werror"
if [[ "$mode" == run ]]; then
    cmake --build build --target dentivel -j "$jobs"
    # In the user's own desktop session and theme.
    exec ./build/dentivel
fi

cmake --build build -j "$jobs"
unset QT_QPA_PLATFORMTHEME
export QT_QPA_PLATFORM=offscreen
cd build
# Twice as many tests as cores: many of them mostly wait, on a started
# program, a print server, a compositor or dpkg.
exec ctest --output-on-failure -j "$((jobs * 2))"
