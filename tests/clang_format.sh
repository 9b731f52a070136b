#!/usr/bin/env bash
# Fails, naming the files, when clang-format would change any C++ source or
# header of the project; skips (77) where clang-format is not installed.
set -euo pipefail
source_dir=$1
source "$(dirname "$0")/support/check.sh"
cd "$source_dir"
need clang-format
mapfile -t files < <(find . \( -path './build*' -o -path './.git' \) -prune -o \
                          \( -name '*.cpp' -o -name '*.h' \) -print | sort)
# One run over every file; each one it would change is named in a warning.
status=0
report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1) || status=$?
mapfile -t unformatted < <(sed -nE 's/^(\.\/[^:]+):[0-9]+:[0-9]+: (warning|error):.*/\1/p' \
                               <<<"$report" | sort -u)
if ((status != 0 && ${#unformatted[@]} == 0)); then
    echo "$report"
    exit 1
fi
if ((${#unformatted[@]})); then
    echo "clang-format would change:"
    printf '  %s\n' "${unformatted[@]}"
    echo "run: clang-format -i ${unformatted[*]}"
    exit 1
fi
echo "${#files[@]} files formatted as .clang-format asks"
