#!/usr/bin/env bash
# Builds Qt's base module for WebAssembly from Debian 13's own source
# package, with Debian's patch series applied, by Debian 13's emscripten, at
# the version of the release's Qt tools (moc, rcc and uic run on this
# machine and must match the libraries they generate code for). Runs on
# Debian 13, or in a Debian 13 root (web.sh makes one on Debian 12).
#
# Kept outside the clone, in $DENTIVEL_CACHE (default /var/cache/dentivel),
# under qt-wasm/<Debian version>-<key>, the key a hash of the options and
# of emscripten's version; a build of the same Qt under another key or
# revision is removed. Prints the install prefix on its last line.
set -euo pipefail

cache=${DENTIVEL_CACHE:-/var/cache/dentivel}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
version=${version%+b[0-9]*}
upstream=${version%%+*}

here=$(cd "$(dirname "$0")" && pwd)
# The project's patches are for one Qt version, which their names begin with:
# only the pictures and faces a page shows, and JSPI found where browsers
# now have it (WebAssembly.Suspending).
patches=("$here"/qtbase-"$upstream"-*.patch)
[[ -e "${patches[0]}" ]] || patches=()

# Core, Gui, Widgets, PrintSupport (for its PDF output) and Test, nothing
# else. (Widgets draw on the page's 2D canvas, yet Qt's wasm platform
# plugin does not build without OpenGL.) A unity build compiles Qt in
# about half the time. A rider's phone downloads all of it: Qt is built for
# size, without the memory-pattern hardening that costs code in every
# function, and without what the program never shows (dialogs, views,
# widgets, image formats and the MIME database).
unused=(filedialog colordialog fontdialog inputdialog printpreviewdialog printpreviewwidget
        printdialog mdiarea dockwidget calendarwidget datetimeedit textbrowser tabwidget wizard
        errormessage progressdialog splashscreen keysequenceedit undoview undocommand undostack
        undogroup columnview treewidget tablewidget listwidget graphicsview graphicseffect effects
        textmarkdownreader textmarkdownwriter textodfwriter movie gif ico jpeg imageformat_bmp
        imageformat_ppm imageformat_xbm mimetype timezone sessionmanager
        systemtrayicon fscompleter filesystemmodel filesystemwatcher lcdnumber dial toolbox
        fontcombobox commandlinkbutton syntaxhighlighter scroller
        trivial_auto_var_init_pattern)
options=(-platform wasm-emscripten -qt-host-path /usr -release -static -optimize-size
         -nomake tests -nomake examples -unity-build
         -no-dbus -no-feature-sql -no-feature-network -no-feature-xml
         -no-feature-concurrent -no-feature-testlib_selfcover "${unused[@]/#/-no-feature-}")
key=$( { printf '%s\n' "${options[@]}"; cat "${patches[@]}"; emcc --version | head -n 1; } |
       sha256sum | cut -c1-12)
prefix=$cache/qt-wasm/$version-$key

source "$(dirname "$0")/../qt_source.sh"
qt_reuse_or_unpack qt-wasm WebAssembly
for patch in "${patches[@]}"; do
    echo "  $(basename "$patch") (the project's)" >&2
    patch -d src -p1 < "$patch" >&2
done

# Qt finds emscripten through an SDK folder's .emscripten file, when it
# configures and again for every program built with it; Debian's lives in
# /usr/share/emscripten, which a folder kept with Qt names (the web preset
# points EMSDK at it).
mkdir -p "$prefix.partial/emsdk"
ln -sfn /usr/share/emscripten "$prefix.partial/emsdk/emscripten"
echo "EMSCRIPTEN_ROOT = 'emscripten'" >"$prefix.partial/emsdk/.emscripten"
export EMSDK=$prefix.partial/emsdk

mkdir build
cd build
"$work/src/configure" "${options[@]}" -prefix "$prefix.partial" -- \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2
cmake --build . --parallel "$(nproc)" >&2
cmake --install . >&2
cd /
rm -rf "$work"
mv "$prefix.partial" "$prefix"
echo "Qt $version for WebAssembly built into $prefix" >&2
echo "$prefix"
