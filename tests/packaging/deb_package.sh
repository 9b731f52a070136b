#!/usr/bin/env bash
# Builds the Debian package, checks what it declares and holds, unpacks it
# into a scratch root and starts the unpacked program headless: it must come
# up and show its first window.
# usage: deb_package.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIPPED: $tool is not installed"
        exit 77
    fi
done
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/dentivel_*.deb)
echo "package: $(basename "$deb")"

[[ "$(dpkg-deb -f "$deb" Package)" == dentivel ]]
[[ "$(dpkg-deb -f "$deb" Version)" == 3.03 ]]
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for library in libqt6widgets6 libqt6svg6 libqt6printsupport6 qt6-qpa-plugins; do
    [[ "$depends" == *"$library"* ]] || { echo "FAIL: does not depend on $library"; exit 1; }
done
recommends=$(dpkg-deb -f "$deb" Recommends)
[[ "$recommends" == *qt6-wayland* ]] || { echo "FAIL: does not recommend qt6-wayland"; exit 1; }
# Every dependency must be satisfiable here, as it is on any Debian 12.
IFS=',' read -ra entries <<<"$depends"
for entry in "${entries[@]}"; do
    name=$(sed -E 's/^ *([^ (|]+).*/\1/' <<<"$entry")
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "install ok installed" ||
        { echo "FAIL: dependency $name is not installed"; exit 1; }
done
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/dentivel ./usr/share/applications/fr.dentivel.Dentivel.desktop \
    ./usr/share/metainfo/fr.dentivel.Dentivel.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/fr.dentivel.Dentivel.svg \
    ./usr/share/icons/hicolor/48x48/apps/fr.dentivel.Dentivel.png; do
    grep -q " $path\$" <<<"$contents" || { echo "FAIL: $path missing from the package"; exit 1; }
done

root=$work/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/dentivel
[[ -x "$program" ]]
# The unpacked program must not lean on the build tree.
if ldd "$program" | grep -q "$build"; then
    echo "FAIL: the packaged program loads libraries from the build tree"
    exit 1
fi

# Started with no display at all: it must still be running after a while.
unset DISPLAY WAYLAND_DISPLAY
QT_QPA_PLATFORM=offscreen "$program" >"$work/offscreen.log" 2>&1 &
pid=$!
pids+=("$pid")
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
    echo "FAIL: the installed program ended by itself"
    cat "$work/offscreen.log"
    exit 1
fi
kill "$pid"
echo "installed program runs headless (offscreen)"

# On a virtual X display its splash window must actually appear.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
    display=:$((90 + RANDOM % 400))
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=("$!")
    for _ in $(seq 50); do
        DISPLAY=$display xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
    DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" >"$work/xcb.log" 2>&1 &
    pids+=("$!")
    if ! DISPLAY=$display timeout 20 xdotool search --sync --onlyvisible --class dentivel >/dev/null; then
        echo "FAIL: no window of the installed program appeared"
        cat "$work/xcb.log"
        exit 1
    fi
    echo "installed program showed its splash window on a virtual display"
else
    echo "NOTE: Xvfb or xdotool missing, the window check on a display was not made"
fi
