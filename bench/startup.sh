#!/usr/bin/env bash
# Start-up time and peak memory of Dentivel beside an empty Qt Widgets window,
# measured from outside as a user sees it: from starting the process to its
# first window being mapped on a virtual X display.
# usage: bench/startup.sh [BUILD_DIR] [RUNS]     (needs xvfb and xdotool)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-15}
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (packages xvfb, xdotool)" >&2; exit 1; }
done

display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME

# One start: prints "milliseconds peak-kB" for the program's first window.
measure() {
    local program=$1 class=$2 start shown pid peak
    start=$(date +%s%N)
    "$program" >/dev/null 2>&1 &
    pid=$!
    shown=
    for _ in $(seq 20000); do
        if xdotool search --onlyvisible --class "^$class\$" >/dev/null 2>&1; then
            shown=$(date +%s%N)
            break
        fi
    done
    # Let the first paint finish before reading the high-water mark.
    sleep 0.3
    peak=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    [[ -n "$shown" ]] || { echo "no window from $program" >&2; exit 1; }
    echo "$(( (shown - start) / 1000000 )) $peak"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# A first start of each warms the disk cache; it is not counted.
measure "$build/bench/dentivel_empty_window" dentivel_empty_window >/dev/null
measure "$build/dentivel" dentivel >/dev/null
: >"/tmp/dentivel-bench-empty.$$"
: >"/tmp/dentivel-bench-app.$$"
for _ in $(seq "$runs"); do
    measure "$build/bench/dentivel_empty_window" dentivel_empty_window >>"/tmp/dentivel-bench-empty.$$"
    measure "$build/dentivel" dentivel >>"/tmp/dentivel-bench-app.$$"
done
empty_ms=$(cut -d' ' -f1 "/tmp/dentivel-bench-empty.$$" | median)
empty_kb=$(cut -d' ' -f2 "/tmp/dentivel-bench-empty.$$" | median)
app_ms=$(cut -d' ' -f1 "/tmp/dentivel-bench-app.$$" | median)
app_kb=$(cut -d' ' -f2 "/tmp/dentivel-bench-app.$$" | median)
rm -f "/tmp/dentivel-bench-empty.$$" "/tmp/dentivel-bench-app.$$"

printf '%-24s %12s %14s\n' "median of $runs starts" "to window" "peak memory"
printf '%-24s %9s ms %11s kB\n' "empty Qt window" "$empty_ms" "$empty_kb"
printf '%-24s %9s ms %11s kB\n' "Dentivel splash" "$app_ms" "$app_kb"
printf '%-24s %12s %14s\n' "ratio" "$(awk "BEGIN {printf \"%.2f\", $app_ms / $empty_ms}")" \
    "$(awk "BEGIN {printf \"%.2f\", $app_kb / $empty_kb}")"
