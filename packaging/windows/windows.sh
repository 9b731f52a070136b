#!/usr/bin/env bash
# The Windows build, once its packages are installed and Qt for Windows is
# built (packaging/setup.sh windows): Dentivel cross-built into
# build-windows/ through the windows preset, its installer and zip made by
# CPack, then the suite under Wine on a virtual display.
#   windows.sh <Qt for Windows prefix>
set -euo pipefail
cd "$(dirname "$0")/../.."
export DENTIVEL_QT_WINDOWS=$1
start=$SECONDS

source packaging/cross_tree.sh
prepare_cross_tree windows "$DENTIVEL_QT_WINDOWS"

cmake --preset windows
echo "$DENTIVEL_QT_WINDOWS" >build-windows/qt-for-windows
cmake --build --preset windows
cpack --preset windows
echo "Built in $((SECONDS - start)) s:"
ls -l build-windows/dentivel-*-setup.exe build-windows/dentivel-*-windows-x64.zip

# A Wine prefix of the build's own, made once; one Wine server for the whole
# run, so that each test does not start its own, and Wine's own processes
# started before the tests, which would otherwise race to start them.
export WINEPREFIX=$PWD/build-windows/wine WINEDEBUG=-all
if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    # Without Mono and Gecko, which nothing here uses. Debian's 64-bit Wine
    # has no 32-bit part, which wineboot reports and which nothing needs.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init || true
    # The registry reaches its files when the Wine server ends.
    wineserver -w
    [[ -f "$WINEPREFIX/system.reg" ]]
fi
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash -c 'wineserver -p && wine cmd /c exit && ctest --preset windows -j "$1"; status=$?
             wineserver -k; exit $status' \
    -- "$(($(nproc) * 2))" || status=$?
exit $status
