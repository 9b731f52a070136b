#!/usr/bin/env bash
# The installer and the zip under Wine, in a Wine prefix of their own: the
# silent install puts the program in Program Files with its Start-menu entry
# and its entry among the installed programs; the installed program starts
# and keeps running; the silent uninstall leaves nothing of it behind. The
# zip holds the same files as the installed folder.
#   windows_installer.sh dentivel-<version>-setup.exe dentivel-<version>-windows-x64.zip
set -euo pipefail
setup=$1 zip=$2
if ! command -v wine >/dev/null || [[ -z "${DISPLAY:-}" ]]; then
    echo "SKIP: needs Wine and a display (the Windows command runs it under Xvfb)"
    exit 77
fi
prefix=$(mktemp -d)
export WINEPREFIX=$prefix/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
wineboot --init 2>/dev/null
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dentivel'
installed="$WINEPREFIX/drive_c/Program Files/Dentivel"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dentivel.lnk"

wine "$setup" /S
wineserver -w
[[ -f "$installed/dentivel.exe" ]] || fail "no dentivel.exe in Program Files"
[[ -f "$shortcut" ]] || fail "no Start-menu entry"
wine reg query "$key" /v DisplayVersion 2>/dev/null | grep -q "$(basename "$setup" | cut -d- -f2)" ||
    fail "no entry with its version among the installed programs"
(cd "$installed" && find . -type f ! -name uninstall.exe | sort) > "$prefix/installed"
unzip -Z1 "$zip" | grep -v '/$' | sed 's|^[^/]*/|./|' | sort > "$prefix/zipped"
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
if wine reg query "$key" >/dev/null 2>&1; then fail "the installed programs still list it"; fi
echo "PASS: installed, started, listed and uninstalled without a trace; the zip matches"
