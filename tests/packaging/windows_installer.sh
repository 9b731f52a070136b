#!/usr/bin/env bash
# The installer and the zip under Wine, in a Wine prefix of their own: an
# older Dentivel, with a file this one no longer has, is installed first;
# this one, installed over it silently, replaces it (one entry among the
# installed programs, with this version; no file of the older one left) and
# puts the program in Program Files with its Start-menu entry; the installed
# program starts and keeps running; the silent uninstall leaves nothing of
# it behind. The zip holds the same files as the installed folder.
#   windows_installer.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
setup=$build/dentivel-$version-setup.exe
zip=$build/dentivel-$version-windows-x64.zip
source "$(dirname "$0")/../support/check.sh"
if ! command -v wine >/dev/null || [[ -z "${DISPLAY:-}" ]]; then
    skip "needs Wine and a display (the Windows command runs it under Xvfb)"
fi
prefix=$(mktemp -d)
export WINEPREFIX=$prefix/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
wineboot --init 2>/dev/null
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
installed="$WINEPREFIX/drive_c/Program Files/Dentivel"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dentivel.lnk"

# The same package as an older version that also had a file of its own.
mkdir -p "$prefix/older"
echo "3.02" >"$prefix/older/ancien.txt"
(cd "$build" && cpack -G NSIS -B "$prefix/out" -D CPACK_PACKAGE_VERSION=3.02 \
    -D "CPACK_INSTALLED_DIRECTORIES=$prefix/older;.") >"$prefix/cpack.log" 2>&1 ||
    { cat "$prefix/cpack.log"; fail "cpack could not make the older installer"; }
wine "$prefix/out/dentivel-3.02-setup.exe" /S
wineserver -w
[[ -f "$installed/ancien.txt" ]] || fail "the older version is not installed"

wine "$setup" /S
wineserver -w
[[ -f "$installed/dentivel.exe" ]] || fail "no dentivel.exe in Program Files"
[[ ! -e "$installed/ancien.txt" ]] || fail "the older version's own file is left behind"
[[ -f "$shortcut" ]] || fail "no Start-menu entry"
entries=$(wine reg query "$uninstall" 2>/dev/null | grep -ci 'dentivel' || true)
[[ "$entries" == 1 ]] || fail "$entries entries among the installed programs, not one"
wine reg query "$uninstall\\Dentivel" /v DisplayVersion 2>/dev/null | grep -q "REG_SZ *$version" ||
    fail "the installed programs do not list version $version"
(cd "$installed" && find . -type f ! -name uninstall.exe | sort) >"$prefix/installed"
unzip -Z1 "$zip" | grep -v '/$' | sed 's|^[^/]*/|./|' | sort >"$prefix/zipped"
diff -u "$prefix/installed" "$prefix/zipped" || fail "the zip and the installed folder differ"

wine "C:\\Program Files\\Dentivel\\dentivel.exe" &
sleep 5
grep -qa 'Dentivel.dentivel\.exe' /proc/[0-9]*/cmdline 2>/dev/null ||
    fail "the installed program did not keep running"
wineserver -k
wait || true

wine "C:\\Program Files\\Dentivel\\uninstall.exe" /S
wineserver -w
[[ ! -e "$installed" ]] || fail "left behind: $(cd "$installed" && find . | tr '\n' ' ')"
[[ ! -e "$shortcut" ]] || fail "the Start-menu entry is left behind"
if wine reg query "$uninstall\\Dentivel" >/dev/null 2>&1; then fail "the installed programs still list it"; fi
echo "PASS: installed over an older version, started, listed once and uninstalled without a trace; the zip matches"
