#!/usr/bin/env bash
# Cross-builds Qt's base module for 64-bit Windows from Debian's own source
# package, with Debian's patch series applied, at the version of the host's
# Qt tools (moc, rcc and uic run on this machine and must match the
# libraries they generate code for).
#
# The result is kept outside the clone, in $DENTIVEL_CACHE (default
# /var/cache/dentivel), under qt-windows/<Debian version>-<key>: the Debian
# version carries the revision, so a security update of qt6-base builds Qt
# again; the key is a hash of the configure options, the project's patches,
# the toolchain file and the cross-compiler's version. Builds of the same Qt
# under another key or revision are no longer used, and are removed.
# Prints the install prefix on its last line of output.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cache=${DENTIVEL_CACHE:-/var/cache/dentivel}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
# A binary rebuild (+b1) has the source package's version without the suffix.
version=${version%+b[0-9]*}
upstream=${version%%+*}
# The project's patches are for one Qt version, which their names begin with.
patches=("$here"/qtbase-"$upstream"-*.patch)
[[ -e "${patches[0]}" ]] || patches=()

# Only what Dentivel and its tests use: Core, Gui, Widgets, PrintSupport and
# Test, the Windows and offscreen platforms, the Windows styles. The image,
# font and regular-expression libraries come from Qt's own copies, since
# there are no MinGW builds of them in Debian.
#  - Debian's source leaves out the Wacom tablet headers (wintab), hence no
#    tablet events.
#  - Direct2D adds a second Windows platform plugin that nothing uses: Qt
#    6.4.2 goes without it, given the patch in this folder for its print
#    engine and platform plugin. Qt 6.8's font database needs DirectWrite,
#    which Qt builds only with Direct2D.
direct2d=()
[[ "$upstream" != 6.4.* ]] || direct2d=(-no-direct2d)
options=(-release -shared -opensource -confirm-license
         -qt-host-path /usr
         -nomake tests -nomake examples
         -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
         -no-opengl -no-dbus -no-icu "${direct2d[@]}" -no-feature-tabletevent
         -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent
         -no-feature-vulkan)
key=$( { printf '%s\n' "${options[@]}"; cat "${patches[@]}" "$here/mingw-w64-x86_64.cmake";
         x86_64-w64-mingw32-g++-posix --version; } | sha256sum | cut -c1-12)
prefix=$cache/qt-windows/$version-$key

source "$here/../qt_source.sh"
qt_reuse_or_unpack qt-windows Windows
for patch in "${patches[@]}"; do
    echo "  $(basename "$patch") (the project's)" >&2
    patch -d src -p1 < "$patch" >&2
done

mkdir build
cd build
"$work/src/configure" "${options[@]}" -prefix "$prefix.partial" -- \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
cmake --build . --parallel "$(nproc)" >&2
cmake --install . >&2
cd /
rm -rf "$work"
mv "$prefix.partial" "$prefix"
echo "Qt $version for Windows built into $prefix" >&2
echo "$prefix"
