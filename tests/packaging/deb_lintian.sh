#!/usr/bin/env bash
# Debian's own package checker on the built package: any error or warning
# fails, informational tags are shown and let through. The overrides the
# package ships (usr/share/lintian/overrides/dentivel) are listed as well.
# usage: deb_lintian.sh OUT_DIR
set -euo pipefail
source "$(dirname "$0")/../support/check.sh"
need lintian
source "$(dirname "$0")/built_package.sh"
package_in "$1"
echo "lintian $(lintian --print-version) on $(basename "$deb")"
status=0
report=$(lintian --fail-on error,warning --display-info --show-overrides "$deb" 2>&1) || status=$?
[[ -n "$report" ]] && echo "$report"
# Also by the tags themselves, should an older lintian not know --fail-on.
if ((status != 0)) || grep -q '^[EW]: ' <<<"$report"; then
    fail "lintian reports errors or warnings (exit status $status)"
fi
echo "lintian: no error, no warning"
