#!/usr/bin/env bash
# Runs a cross-built program under Wine, as CMake's emulator for the tests:
# wine_run.sh <Qt for Windows prefix> program.exe [argument...]
# The program finds Qt's and MinGW's DLLs where they were built or installed;
# WINEPREFIX, if set, says which Wine prefix.
set -euo pipefail
qt=$1
shift
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
export WINEPATH="$(windows_path "$qt/bin");$(windows_path "$runtime");$(windows_path /usr/x86_64-w64-mingw32/lib)"
export WINEDEBUG=${WINEDEBUG:--all}
# Wine keeps variables whose names start with QT_ from Windows programs, but
# hands them WINEQT_... under their own name.
# - QT_FORCE_STDERR_LOGGING: Qt's tests print their results, rather than
#   sending them to the Windows debugger.
# - QT_QPA_FONTDIR: Qt's headless platform reads fonts from a folder on
#   Windows, where the tests measure with the same faces as on Linux:
#   Liberation 2, in liberation2 on Debian 12 (beside Liberation 1 in
#   liberation) and in liberation on Debian 13. Without them Qt draws boxes.
export QT_FORCE_STDERR_LOGGING=1
if [[ "${QT_QPA_PLATFORM:-}" == offscreen && -z "${QT_QPA_FONTDIR:-}" ]]; then
    for faces in /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation; do
        if [[ -e "$faces/LiberationSans-Regular.ttf" ]]; then
            export QT_QPA_FONTDIR=Z:$faces
            break
        fi
    done
    [[ -n "${QT_QPA_FONTDIR:-}" ]] || { echo "$0: Liberation 2 is missing (package fonts-liberation2)" >&2; exit 1; }
fi
for name in $(compgen -e); do
    if [[ $name == QT_* ]]; then
        export "WINE$name=${!name}"
    fi
done
exec wine "$@"
