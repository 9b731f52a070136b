#!/usr/bin/env bash
# Runs one test program as an X11 client of a private Xvfb server managed by
# openbox, so that the window manager's frames, placement and task-bar hints
# take part as on a desktop. Exits 77 (skipped), saying why, where Xvfb,
# openbox or Qt's xcb platform is missing or the server will not start here.
# usage: under_x11_wm.sh QT_PLUGIN_DIR PROGRAM [ARGUMENTS...]
set -euo pipefail
plugins=$1
shift

source "$(dirname "$0")/check.sh"
command -v Xvfb >/dev/null || skip "Xvfb is not installed (package xvfb)"
command -v openbox >/dev/null || skip "openbox is not installed (package openbox)"
[[ -e "$plugins/platforms/libqxcb.so" ]] ||
    skip "Qt's xcb platform is not installed (package qt6-qpa-plugins)"

runtime=$(mktemp -d /tmp/dentivel-x11-XXXXXX)
xvfb_pid=
openbox_pid=
cleanup() {
    for pid in $openbox_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$runtime"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts
# connections, so parallel runs never meet.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp \
    >"$runtime/xvfb.log" 2>&1 &
xvfb_pid=$!
number=
for _ in $(seq 100); do
    read -r -t 0.1 -u "$display_fd" number && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
done
if [[ -z "$number" ]]; then
    cat "$runtime/xvfb.log"
    skip "Xvfb would not start here"
fi
export DISPLAY=":$number"

# openbox runs its start-up command once it manages the screen.
DISPLAY=$DISPLAY openbox --sm-disable --startup "touch $runtime/managed" \
    >"$runtime/openbox.log" 2>&1 &
openbox_pid=$!
for _ in $(seq 100); do
    [[ -e "$runtime/managed" ]] && break
    kill -0 "$openbox_pid" 2>/dev/null || break
    sleep 0.1
done
if [[ ! -e "$runtime/managed" ]]; then
    cat "$runtime/openbox.log"
    skip "openbox would not start here"
fi

# Qt's xcb platform, whatever the desktop this runs from asks for.
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
if ((status != 0)); then
    echo "--- openbox's log"
    tail -n 40 "$runtime/openbox.log"
fi
exit "$status"
