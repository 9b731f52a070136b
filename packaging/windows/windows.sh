#!/usr/bin/env bash
# The Windows build, once its packages are installed (packaging/setup.sh
# windows): Qt for Windows from the cache or built into it, Dentivel
# cross-built into build-windows/ with its installer and zip, then the suite
# under Wine on a virtual display.
#   windows.sh -DDENTIVEL_WARNINGS_AS_ERRORS=ON|OFF
set -euo pipefail
cd "$(dirname "$0")/../.."
start=$SECONDS
qt=$(bash packaging/windows/build_qt.sh | tail -n 1)
echo "Qt for Windows ready after $((SECONDS - start)) s: $qt"

# The pictures are rendered on this machine, by a renderer built for it.
cmake -S packaging/render -B build-windows/render -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows/render -j "$(nproc)"

# Qt's toolchain file adds Qt for Windows to the cross-compiler's own.
cmake -S . -B build-windows -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
      -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/packaging/windows/mingw-w64-x86_64.cmake" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DDENTIVEL_HOST_RENDER="$PWD/build-windows/render/dentivel_render" "$1"
cmake --build build-windows -j "$(nproc)"
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
cd build-windows
status=0
xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash -c 'wineserver -p && wine cmd /c exit && ctest --output-on-failure -j "$1"; status=$?
             wineserver -k; exit $status' \
    -- "$(($(nproc) * 2))" || status=$?
exit $status
