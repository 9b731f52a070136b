#!/usr/bin/env bash
# Under Wine, as a user of the Windows build sees it: the time from Enter
# on the splash to the warning window, and from Enter on "Continuer" to the
# main window, beside Qt alone doing the same (dentivel_toolbar_window: Enter
# on a button to a window with a 13-picture toolbar). Medians of RUNS, on a
# private Xvfb under openbox, in a Wine prefix of its own.
# usage: bench/wine_windows.sh [BUILD_DIR] [RUNS]   (BUILD_DIR: build-windows)
set -euo pipefail
build=$(cd "${1:-build-windows}" && pwd)
runs=${2:-5}
for tool in wine xvfb-run openbox xdotool unzip; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
# A display of its own, as the Windows command's suite has.
[[ "${DENTIVEL_BENCH_DISPLAY:-}" == own ]] ||
    DENTIVEL_BENCH_DISPLAY=own exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build" "$runs"
work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
openbox >/dev/null 2>&1 &
wineboot --init 2>/dev/null
unzip -q "$build"/dentivel-*-windows-x64.zip -d "$work/app"
app=$(dirname "$(find "$work/app" -name dentivel.exe)")
cp "$build/bench/dentivel_toolbar_window.exe" "$app/"

now() { date +%s%N; }
# until_shown NAME: waits for a visible window so named, up to 20 s.
until_shown() {
    local end=$(($(now) + 20000000000))
    until xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
        (($(now) < end)) || { echo "no window '$1'" >&2; return 1; }
    done
}
# step CLASS NAME: Enter on the newest window of program CLASS, made the
# active one first, then the milliseconds until window NAME shows.
step() {
    local start window
    sleep 1
    window=$(xdotool search --onlyvisible --classname "$1" | tail -n 1)
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    sleep 0.2
    start=$(now)
    xdotool key Return
    until_shown "$2"
    echo $((($(now) - start) / 1000000))
}
median() { tr ' ' '\n' | sort -n | sed -n "$(((runs + 1) / 2))p"; }

warning=() main=() toolbar=()
for _ in $(seq "$runs"); do
    (cd "$app" && wine dentivel.exe >/dev/null 2>&1 &)
    # The splash has no title: the first window to show is it.
    until xdotool search --onlyvisible --classname 'dentivel.exe' >/dev/null 2>&1; do :; done
    warning+=("$(step dentivel.exe Avertissement)")
    main+=("$(step dentivel.exe 'Dentivel V [0-9.]*')")
    wineserver -k 2>/dev/null || true
    (cd "$app" && wine dentivel_toolbar_window.exe >/dev/null 2>&1 &)
    until_shown Yardstick
    toolbar+=("$(step dentivel_toolbar_window.exe Toolbar)")
    wineserver -k 2>/dev/null || true
done
echo "Enter on the splash to the warning:  median $(median <<<"${warning[*]}") ms (${warning[*]})"
echo "Enter on Continuer to the main window: median $(median <<<"${main[*]}") ms (${main[*]})"
echo "Qt alone, Enter to a toolbar window: median $(median <<<"${toolbar[*]}") ms (${toolbar[*]})"
