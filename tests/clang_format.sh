#!/usr/bin/env bash
# Fails, naming the files, when clang-format would change any C++ source or
# header of the project; skips (77) where clang-format is not installed.
set -euo pipefail
source_dir=$1
cd "$source_dir"
if ! command -v clang-format >/dev/null; then
    echo "clang-format is not installed"
    exit 77
fi
mapfile -t files < <(find . \( -path './build*' -o -path './.git' \) -prune -o \
                          \( -name '*.cpp' -o -name '*.h' \) -print | sort)
unformatted=()
for file in "${files[@]}"; do
    if ! clang-format --dry-run --Werror "$file" 2>/dev/null; then
        unformatted+=("$file")
    fi
done
if ((${#unformatted[@]})); then
    echo "clang-format would change:"
    printf '  %s\n' "${unformatted[@]}"
    echo "run: clang-format -i ${unformatted[*]}"
    exit 1
fi
echo "${#files[@]} files formatted as .clang-format asks"
