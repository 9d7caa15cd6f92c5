#!/usr/bin/env bash
# The real program's first start, with the starter lists and an empty registry key: its window
# comes up with its title, Shift+Down adds the second list to the first, and closed with Alt+F4
# the program ends with exit code 1, having stored all 16 values, "SelectionList" exactly those
# two names. Leaves the home view's picture for the README.
#
# Usage: selection.sh path/to/memorion.exe     Exit 77 (skipped) without Xvfb or xdotool.
RR_NAME=real_selection
source "$(dirname "$0")/common.sh"
rr_begin "${1:-}"

# The list shows the data folder's files in ordinal order, the first one selected at a first start.
mapfile -t files < <(cd "$(dirname "$EXE")/data" && ls -- *.mrn | LC_ALL=C sort)
[ ${#files[@]} -ge 2 ] || fail "fewer than two starter lists beside $EXE"

rr_start
rr_key Home          # the first list alone, wherever the focus starts
rr_press shift+Down  # and the one below it
rr_shot home-view docs
rr_close

hex=$(rr_value_hex SelectionList) || exit 1
stored=$(rr_decode_selection "$hex") || exit 1
expected=$(printf '%s\n' "${files[0]}" "${files[1]}")
if [ "$stored" != "$expected" ]; then
    echo "stored:"; echo "$stored"; echo "expected:"; echo "$expected"
    fail "SelectionList does not hold exactly the two selected lists"
fi
rr_log "SelectionList holds ${files[0]} and ${files[1]}"
rr_expect_all_values
rr_log "PASSED"
