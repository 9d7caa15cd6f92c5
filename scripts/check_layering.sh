#!/usr/bin/env bash
# The layering rule of the README's Layout, checked: each folder of src/ includes only itself
# and the folders listed below it there, and the portable core (quiz/, data/, settings/ and
# base/ beneath them) names Win32 headers, its own *_win32 headers among them, only in its
# *_win32 files. Prints every breach; exits non-zero when there is any.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t order < <(grep -oE '^src/[a-z_]+/ ' README.md | cut -d/ -f2)
core=" quiz data settings base "
win32='^#include <(windows|commctrl|commdlg|objbase|process|shellapi|shlobj)\.h>|^#include "[a-z_/]*_win32\.h"'
breaches=0

for ((i = 0; i < ${#order[@]}; i++)); do
    folder=${order[i]}
    below=" ${order[*]:i} "
    for file in src/"$folder"/*.h src/"$folder"/*.cpp; do
        [ -f "$file" ] || continue
        while IFS= read -r included; do
            if [[ " ${order[*]} " == *" $included "* && "$below" != *" $included "* ]]; then
                echo "$file includes $included/, which is listed above $folder/"
                breaches=$((breaches + 1))
            fi
        done < <(sed -nE 's|^#include "([a-z_]+)/.*|\1|p' "$file")
        if [[ "$core" == *" $folder "* && "$file" != *_win32.* ]] && grep -qE "$win32" "$file"; then
            echo "$file is portable core but includes $(grep -oE "$win32" "$file" | head -1 | cut -c10-)"
            breaches=$((breaches + 1))
        fi
    done
done

if [ ${#order[@]} -lt 2 ]; then
    echo "check_layering.sh: no folders found in README.md's Layout"
    exit 1
fi
[ $breaches -eq 0 ] || { echo "check_layering.sh: $breaches breach(es) of the layering rule"; exit 1; }
echo "layering: ${#order[@]} folders, every include downward"
