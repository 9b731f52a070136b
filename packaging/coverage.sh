#!/usr/bin/env bash
# Line and branch coverage of the program's own folders by the tests a
# contributor runs (`ctest -LE system`: no package, print server, compositor
# or clang-format): builds with --coverage in build-coverage/, runs them
# headless, prints gcovr's figures per file and writes an HTML report next to
# them.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
build=${DENTIVEL_COVERAGE_DIR:-build-coverage}

packages=(gcovr)
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        sudo=()
        [[ $EUID -ne 0 ]] && sudo=(sudo)
        "${sudo[@]}" apt-get update
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "$package"
    fi
done

# -O0 keeps one branch per source condition, so the figures point at code.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS="--coverage"
cmake --build "$build" -j "$(nproc)"
find "$build" -name '*.gcda' -delete

unset QT_QPA_PLATFORMTHEME
export QT_QPA_PLATFORM=offscreen
(cd "$build" && ctest -j "$(nproc)" -LE system --output-on-failure)

# Branches the compiler adds for exceptions are not decisions of the code.
filters=(--filter "$root/shell/" --filter "$root/main_window/" --filter "$root/development/"
         --filter "$root/cadence/" --filter "$root/table/" --exclude '.*/ui_.*' --exclude '.*moc_.*')
# Only this build's data: other build trees under the root may hold stale notes.
gcovr "$build" --root "$root" --object-directory "$build" "${filters[@]}" \
    --exclude-throw-branches --exclude-unreachable-branches \
    --html-details "$build/coverage.html" --print-summary --sort-percentage \
    --txt "$build/coverage.txt"
cat "$build/coverage.txt"
echo "Branches:"
gcovr "$build" --root "$root" --object-directory "$build" "${filters[@]}" \
    --exclude-throw-branches --exclude-unreachable-branches --branches
