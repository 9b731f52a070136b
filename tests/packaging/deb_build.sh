#!/usr/bin/env bash
# Builds the Debian package once, with cpack, for the tests that check,
# lint and install it.
# usage: deb_build.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2
source "$(dirname "$0")/../support/check.sh"
need cpack dpkg-deb dpkg-shlibdeps
# A package left by an earlier run must not stand in for this one.
rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) ||
    { cat "$out/cpack.log"; exit 1; }
rm -rf "$out/_CPack_Packages"
built=("$out"/dentivel_*.deb)
[[ ${#built[@]} -eq 1 && -f "${built[0]}" ]] || fail "cpack made ${built[*]}"
echo "package: ${built[0]}"
