#!/usr/bin/env bash
# Runs one test program as a native Wayland client of a private weston: the
# headless backend drawing with pixman into memory, on a socket of its own in
# a runtime directory of its own, with the screenshot protocol enabled and a
# black desktop without panel, so that a screenshot shows the windows alone.
# Exits 77 (skipped), saying why, where weston or Qt's Wayland platform is
# missing or weston cannot start here.
# usage: under_weston.sh QT_PLUGIN_DIR PROGRAM [ARGUMENTS...]
set -euo pipefail
plugins=$1
shift

source "$(dirname "$0")/check.sh"
for tool in weston weston-screenshooter; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (package weston)"
done
[[ -e "$plugins/platforms/libqwayland-generic.so" ]] ||
    skip "Qt's Wayland platform is not installed (package qt6-wayland)"

runtime=$(mktemp -d /tmp/dentivel-weston-XXXXXX)
chmod 700 "$runtime"
weston_pid=
cleanup() {
    if [[ -n "$weston_pid" ]]; then
        kill "$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap cleanup EXIT

cat >"$runtime/weston.ini" <<'EOF'
[core]
idle-time=0

[shell]
background-color=0xff000000
panel-position=none
locking=false
animation=none
close-animation=none
startup-animation=none
focus-animation=none
EOF

socket=dentivel-test
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --use-pixman \
    --width=1280 --height=1024 --socket="$socket" --debug \
    --config="$runtime/weston.ini" >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [[ -S "$runtime/$socket" ]] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if [[ ! -S "$runtime/$socket" ]]; then
    cat "$runtime/weston.log"
    skip "weston would not start here"
fi

# Qt's own decorations, whatever the desktop this runs from asks for.
unset DISPLAY QT_WAYLAND_DISABLE_WINDOWDECORATION QT_WAYLAND_DECORATION QT_WAYLAND_SHELL_INTEGRATION
# The headless backend has no seat. Qt 6.4's Wayland text input then follows
# a null input device as soon as a text field takes the focus, which a
# desktop session, always with a seat, never meets: compose input instead.
export QT_IM_MODULE=compose
run() {
    set +e
    XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland "$@" 2>&1 |
        tee "$runtime/output"
    status=${PIPESTATUS[0]}
    set -e
}
run "$@"
# Qt before 6.5 destroys a window's frame callback on hiding it without the
# lock its frame-event thread takes (fixed upstream in 6.5): now and then the
# two destroy it both, and libwayland aborts. That is Qt's race, not this
# program's; it gets one more run, and a second abort fails as any other.
if ((status != 0)) &&
    grep -q "wl_proxy_unref: Assertion .proxy->refcount > 0' failed" "$runtime/output" &&
    grep -q "Using QtTest library 6\.[0-4]\." "$runtime/output"; then
    echo "RETRIED: Qt's Wayland client hit its frame-callback race (Qt < 6.5); running once more"
    run "$@"
fi
if ((status != 0)); then
    echo "--- weston's log"
    tail -n 40 "$runtime/weston.log"
fi
exit "$status"
