#!/usr/bin/env bash
# The front door: installs the Debian packages a command needs when any is
# missing, then builds through the CMake presets (CMakePresets.json) and
#   run       starts the program
#   test      runs every test, headless
#   sanitize  runs the suite again under ASan and UBSan, with the fuzz runs
#   coverage  measures the line and branch coverage of the contributor's tests
#   windows   cross-builds the Windows program, installer and zip and runs
#             the suite under Wine (packaging/windows/windows.sh)
#   web       builds the program for the browser, its page, folder and zip,
#             and tests it in headless Chromium (packaging/web/web.sh); on
#             Debian 12 inside a Debian 13 root, on this very clone
# For Debian 12 (bookworm) and Debian 13 (trixie), as root or through sudo.
# Only the packages (and Qt for Windows' cache) need root: the build folders
# belong to whoever owns the clone, so its owner can rebuild there without it.
set -euo pipefail

mode=${1:-}
case $mode in
run | test | sanitize | coverage | windows | web) ;;
*)
    echo "usage: $0 run|test|sanitize|coverage|windows|web" >&2
    exit 2
    ;;
esac

cd "$(dirname "$0")/.."
source packaging/packages.sh
if [[ "$mode" == web && "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" != trixie ]]; then
    # Only Debian 13's emscripten is recent enough for Qt 6, and it runs on
    # Debian 13's libraries alone.
    exec bash packaging/fresh_root.sh --this-tree trixie web
fi
install_packages "$mode"

# as_owner COMMAND...: runs the build as the clone's owner, when that is not
# whoever runs this (sudo or su from a user's clone).
owner=$(stat -c %u .)
as_owner() {
    local home
    if [[ $EUID -ne 0 || "$owner" -eq 0 ]]; then
        "$@"
    elif home=$(getent passwd "$owner" | cut -d: -f6); then
        runuser -u "$(id -nu "$owner")" -- env HOME="$home" "$@"
    else
        # A Debian root working on the clone of a user it has no account
        # for: the same numbers, and a home in the clone.
        mkdir -p build-home && chown "$owner:$(stat -c %g .)" build-home
        setpriv --reuid="$owner" --regid="$(stat -c %g .)" --clear-groups \
            env HOME="$PWD/build-home" "$@"
    fi
}

if [[ "$mode" == windows ]]; then
    if [[ $EUID -ne 0 ]]; then
        echo "$0 windows: Qt for Windows is built into a cache of the machine's: run it as root" >&2
        exit 1
    fi
    qt=$(bash packaging/windows/build_qt.sh | tail -n 1)
    as_owner bash packaging/windows/windows.sh "$qt"
    exit
fi

if [[ "$mode" == web ]]; then
    if [[ $EUID -ne 0 ]]; then
        echo "$0 web: Qt for WebAssembly is built into a cache of the machine's: run it as root" >&2
        exit 1
    fi
    qt=$(bash packaging/web/build_qt.sh | tail -n 1)
    as_owner bash packaging/web/web.sh "$qt"
    exit
fi

jobs=$(nproc)
# Headless, and free of the desktop's theme so that every run sees the same widgets.
headless=(env -u QT_QPA_PLATFORMTHEME QT_QPA_PLATFORM=offscreen)
case $mode in
run)
    as_owner cmake --preset dev
    as_owner cmake --build --preset dev --target dentivel
    # In the user's own desktop session and theme, as the user.
    as_owner ./build/dentivel
    ;;
test)
    as_owner cmake --preset dev
    as_owner cmake --build --preset dev
    # Twice as many tests as cores: many of them mostly wait, on a started
    # program, a print server, a compositor or dpkg.
    as_owner "${headless[@]}" ctest --preset dev -j "$((jobs * 2))"
    ;;
sanitize)
    # The tests labelled system exercise the machine, not the program's
    # memory: the test command runs them (nor would a package of an
    # instrumented build be one to install). The number rules' fuzz targets
    # run a few seconds each from their corpus in fuzz/.
    as_owner cmake --preset sanitize
    as_owner cmake --build --preset sanitize
    as_owner "${headless[@]}" ctest --preset sanitize -j "$jobs"
    ;;
coverage)
    as_owner cmake --preset coverage
    as_owner cmake --build --preset coverage
    as_owner find build-coverage -name '*.gcda' -delete
    as_owner "${headless[@]}" ctest --preset coverage -j "$jobs"
    # Only the program's folders, and only this build's data: other build
    # trees under the root may hold stale notes. Branches the compiler adds
    # for exceptions are not decisions of the code.
    report=(gcovr build-coverage --root . --object-directory build-coverage
            --filter "$PWD/shell/" --filter "$PWD/main_window/" --filter "$PWD/development/"
            --filter "$PWD/cadence/" --filter "$PWD/table/" --exclude '.*/ui_.*' --exclude '.*moc_.*'
            --exclude-throw-branches --exclude-unreachable-branches)
    as_owner "${report[@]}" --html-details build-coverage/coverage.html --print-summary \
        --sort-percentage --txt build-coverage/coverage.txt
    cat build-coverage/coverage.txt
    echo "Branches:"
    as_owner "${report[@]}" --branches
    ;;
esac
