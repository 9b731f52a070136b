#!/usr/bin/env bash
# A longer fuzz run of the number rules than the test command's: every target
# for the given number of seconds (default 600), in the sanitizer build.
# Inputs that reach new code are kept in build-asan/fuzz/corpus/; copy the
# interesting ones into fuzz/corpus/ so the test command replays them.
set -euo pipefail

seconds=${1:-600}
cd "$(dirname "$0")/.."
build=${DENTIVEL_ASAN_DIR:-build-asan}

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DDENTIVEL_SANITIZE=ON
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
# shellcheck disable=SC2086
cmake --build "$build" -j "$(nproc)" --target $targets
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for target in $targets; do
    mkdir -p "$build/fuzz/corpus/$target"
    log="$build/fuzz/$target.log"
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -max_len=512 -print_final_stats=1 \
        "$build/fuzz/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
        failed=1
        grep -E -A2 'property broken|ERROR|runtime error' "$log" | head -20
    fi
    echo "$target: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') runs in $seconds s"
done
exit $failed
