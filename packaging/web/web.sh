#!/usr/bin/env bash
# The browser build, once its packages are installed and Qt for WebAssembly
# is built (packaging/setup.sh web): Dentivel built into build-web/ through
# the web preset, its page gathered in build-web/dentivel-<version>-web/
# and zipped by CPack, then the number rules' tests in node and the page's
# in headless Chromium.
#   web.sh <Qt for WebAssembly prefix>
set -euo pipefail
cd "$(dirname "$0")/../.."
export DENTIVEL_QT_WASM=$1
start=$SECONDS

source packaging/cross_tree.sh
prepare_cross_tree web "$DENTIVEL_QT_WASM"

cmake --preset web
echo "$DENTIVEL_QT_WASM" >build-web/qt-for-web
cmake --build --preset web
cpack --preset web
echo "Built in $((SECONDS - start)) s:"
ls -l build-web/dentivel-*-web.zip build-web/dentivel-*-web/dentivel.wasm

ctest --preset web -j "$(nproc)"
folder=$(ls -d build-web/dentivel-*-web/)
echo "To open it on this machine: python3 -m http.server -d $folder 8000"
echo "then http://localhost:8000/ in a browser; or put the folder on any web server."
