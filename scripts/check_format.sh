#!/usr/bin/env bash
# Checks that every C++ source of the program, its tests, fuzz targets and benchmarks is laid
# out as .clang-format says; lists the files that are not. With --fix, lays them out instead.
set -euo pipefail
cd "$(dirname "$0")/.."

format=$(command -v clang-format || command -v clang-format-14 || true)
if [ -z "$format" ]; then
    echo "check_format.sh: clang-format is missing (package clang-format)"
    exit 1
fi
mapfile -t files < <(find src tests fuzz bench -name '*.cpp' -o -name '*.h' | sort)
if [ "${1:-}" = --fix ]; then
    "$format" -i --style=file "${files[@]}"
    exit 0
fi
unformatted=0
for file in "${files[@]}"; do
    if ! "$format" --style=file "$file" | cmp -s - "$file"; then
        echo "not formatted: $file"
        unformatted=$((unformatted + 1))
    fi
done
[ $unformatted -eq 0 ] || { echo "check_format.sh: run scripts/check_format.sh --fix"; exit 1; }
echo "format: ${#files[@]} files as .clang-format lays them out"
