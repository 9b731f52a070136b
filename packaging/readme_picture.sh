#!/usr/bin/env bash
# The README's picture, taken from the real program: the built dentivel on a
# private X display under openbox, in French, brought from its splash through
# the warning window by keys, a worked example typed into the main window
# and calculated, then that window with its frame captured.
# usage: packaging/readme_picture.sh [BUILD_DIR]   writes docs/main-window.png
# Needs xvfb, openbox, xdotool and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(cd "${1:-build}" && pwd)/dentivel
for tool in Xvfb openbox xdotool import; do
    command -v "$tool" >/dev/null ||
        { echo "$tool is missing (packages xvfb openbox xdotool imagemagick)" >&2; exit 1; }
done
display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids=($!)
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
env -u QT_QPA_PLATFORMTHEME QT_QPA_PLATFORM=xcb LANG=fr_FR.UTF-8 LC_ALL= "$program" >/dev/null 2>&1 &
pids+=($!)
# window TITLE: waits for the shown window of that title, prints its id.
window() { xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1; }
keys() { sleep 0.5; xdotool key --delay 80 "$@"; }
splash=$(xdotool search --sync --onlyvisible --pid "${pids[2]}" | head -n 1)
xdotool windowactivate --sync "$splash"
keys Return
xdotool windowactivate --sync "$(window Avertissement)"
keys Return
main=$(window 'Dentivel V 3.03')
xdotool windowactivate --sync "$main"
# A 17 sprocket, then the two chainrings (the order of the keyboard's
# focus), and a click on "Calculer" (its place in the window's design).
keys 1 7 Tab 3 9 Tab 5 3
xdotool mousemove --window "$main" 184 196 click 1
sleep 1
mkdir -p docs
import -window "$main" -frame docs/main-window.png
echo "docs/main-window.png: $(identify -format '%wx%h' docs/main-window.png)"
