#!/usr/bin/env bash
# Cross-builds Qt's base module for 64-bit Windows from Debian's own source
# package, at the version of the host's Qt tools (moc, rcc and uic run on
# this machine and must match the libraries they generate code for).
#
# The result is kept outside the clone, in $DENTIVEL_CACHE (default
# /var/cache/dentivel), under qt-windows/<version>-<key>: the key is a hash of
# the configure options, the patches, the toolchain file and the
# cross-compiler's version, so a change to any of them, or a new Qt on the
# host, builds a new Qt instead of reusing a stale one.
# Prints the install prefix on its last line of output.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cache=${DENTIVEL_CACHE:-/var/cache/dentivel}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
# A binary rebuild (+b1) has the source package's version without the suffix.
version=${version%+b[0-9]*}
upstream=${version%%+*}
# Patches are for one Qt version, which their names begin with.
patches=("$here"/qtbase-"$upstream"-*.patch)
[[ -e "${patches[0]}" ]] || patches=()

# Only what Dentivel and its tests use: Core, Gui, Widgets, PrintSupport and
# Test, the Windows and offscreen platforms, the Windows styles. The image,
# font and regular-expression libraries come from Qt's own copies, since
# there are no MinGW builds of them in Debian.
#  - Debian's source leaves out the Wacom tablet headers (wintab), hence no
#    tablet events.
#  - Direct2D would add a second Windows platform plugin that nothing uses;
#    without it, Qt 6.4.2's print engine and platform plugin need the patch
#    in this folder.
options=(-release -shared -opensource -confirm-license
         -qt-host-path /usr
         -nomake tests -nomake examples
         -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre -qt-doubleconversion
         -no-opengl -no-dbus -no-icu -no-direct2d -no-feature-tabletevent
         -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent
         -no-feature-vulkan)
# What the build depends on besides Qt's version: the options, the patches,
# the toolchain file and the cross-compiler.
key=$( { printf '%s\n' "${options[@]}"; cat "${patches[@]}" "$here/mingw-w64-x86_64.cmake";
         x86_64-w64-mingw32-g++-posix --version; } | sha256sum | cut -c1-12)
prefix=$cache/qt-windows/$upstream-$key

if [[ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]]; then
    echo "Qt $upstream for Windows: reusing $prefix" >&2
    echo "$prefix"
    exit 0
fi

work=$cache/qt-windows/build-$upstream-$key
rm -rf "$work" "$prefix.partial"
mkdir -p "$work"
cd "$work"
# Debian's source packages are fetched as a user of their own when apt can;
# the folder must be theirs to write in.
chown _apt "$work" 2>/dev/null || true
apt-get source --download-only "qt6-base=$version" >&2
tar xf qt6-base_"$upstream"*.orig.tar.xz
src=$(echo "$work"/qtbase-everywhere-src-"$upstream")
for patch in "${patches[@]}"; do
    patch -d "$src" -p1 < "$patch" >&2
done

mkdir build
cd build
"$src/configure" "${options[@]}" -prefix "$prefix.partial" -- \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
cmake --build . --parallel "$(nproc)" >&2
cmake --install . >&2
cd /
rm -rf "$work"
mv "$prefix.partial" "$prefix"
echo "Qt $upstream for Windows built into $prefix" >&2
echo "$prefix"
