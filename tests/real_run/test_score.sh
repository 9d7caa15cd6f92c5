#!/usr/bin/env bash
# A whole test in the real program: one starter list, asked in file order and in reverse (so
# that every expected answer is the plain-ASCII English side), every question answered from
# the file, one of them wrongly and then accepted as offered; the last correct answer switches
# to the graph, and after the close the registry's "ScoreList" holds the one expected score.
# Leaves pictures of a test in progress and of the graph for the README.
#
# Usage: test_score.sh path/to/memorion.exe     Exit 77 (skipped) without Xvfb or xdotool.
#        test_score.sh path/to/memorion-<version>-win64.zip   (the program unpacked from it)
RR_NAME=${RR_NAME:-real_test_score}  # package.sh runs this scenario under its own name
source "$(dirname "$0")/common.sh"
rr_begin "${1:-}"

list=English-German.mrn  # ANSI text in code page 1252
charset=CP1252
wrong_at=4               # the fifth question gets a wrong answer
shot_at=11               # the picture is taken at the twelfth question, which has a hint
file="$(dirname "$EXE")/data/$list"
# Under another code page, a word file of ANSI text in that code page, from a folder of its
# own; each question shown must be the word the file holds. In code page 932 a character's
# second byte may be the backslash's, and must not split a field.
case "${RR_CONDITION:-}" in
cp1250 | cp932)
    charset=${RR_CONDITION^^}
    file=$(echo "$(dirname "$0")"/words/*-"$RR_CONDITION".mrn)
    list=$(basename "$file")
    shot_at=-1
    mkdir -p "$PREFIX/drive_c/words"
    cp "$file" "$PREFIX/drive_c/words/" || fail "no word file for $RR_CONDITION"
    rr_preset DataFolder REG_SZ 'C:\words\'
    ;;
esac

# The expected answers: the first field of every accepted line, trimmed, in file order; the
# questions: the second.
fields() {
    iconv -f "$charset" -t UTF-8 "$file" | awk -F'\\' -v field="$1" '
        function trim(s) { gsub(/^[ \t\r\v\f]+|[ \t\r\v\f]+$/, "", s); return s }
        NF >= 2 && trim($1) != "" && trim($2) != "" { print trim($field) }'
}
mapfile -t answers < <(fields 1)
mapfile -t questions < <(fields 2)
n=${#answers[@]}
[ "$n" -gt "$wrong_at" ] || fail "$list holds only $n entries"
for a in "${answers[@]}"; do
    [[ $a =~ ^[\ -~]+$ ]] || fail "answer \"$a\" cannot be typed as plain ASCII"
done
expected_score=$((100 - 100 / n))
rr_log "$list: $n entries, one wrong answer must score $expected_score"

rr_preset TestingDirection REG_DWORD 1  # Reverse: the English side is expected
rr_preset WordOrder REG_DWORD 2         # Normal: the file's order
rr_preset LazyRepeat REG_DWORD 1        # the wrong one is asked again at the end
rr_preset CaseSensitive REG_DWORD 1
rr_preset SelectionList REG_BINARY "$(rr_selection_hex "$list")"

rr_start
rr_press F7

# The answer field is the one white field of the test view (the question and hint fields are
# read-only, hence grey): the first white band below the menu bar in the middle column.
read -r width height < <(xdotool getwindowgeometry "$window" | awk '/Geometry/ { split($2, g, "x"); print g[1], g[2] }')
field=$(import -window "$window" -crop "1x${height}+$((width / 2))+0" +repage txt:- 2>/dev/null | awk -F'[,: ]+' '
    NR > 1 { white = ($0 ~ /#FFFFFF/) }
    NR > 1 && white && $2 > 60 { if (start == "") start = $2; last = $2 }
    NR > 1 && !white && start != "" { if (last - start >= 8) { print start, last; exit } start = "" }')
read -r field_top field_bottom <<<"$field"
[ -n "${field_bottom:-}" ] || fail "no empty answer field found in the test view"
field_mid=$(((field_top + field_bottom) / 2))
rr_log "answer field rows $field_top to $field_bottom"

# The typed text starts near the field's left edge; once that stretch is all white again the
# flash is over and the next question has emptied the field.
text_patch() { rr_region 9 $((field_mid - 3)) 16 7; }
# The right end of the field stays free of text: its colour tells the flash state.
free_patch() { rr_region $((width - 40)) $((field_mid - 3)) 20 7; }

wait_for() {  # wait_for WHAT COMMAND...: polls COMMAND for at most 10 s
    local what=$1 _
    shift
    for _ in $(seq 200); do
        "$@" && return 0
        sleep 0.05
    done
    fail "timed out waiting for $what"
}
field_emptied() { local r; r=$(text_patch); [ "${r%% *}" = 255 ]; }
field_yellow() { local r; r=$(free_patch); [ "${r##* }" = 255,255,192 ]; }
graph_menu() { local r; r=$(rr_region 45 24 40 16); [ "${r%% *}" -lt 128 ]; }

answer() {  # answer TEXT: types it and presses Enter
    rr_type "$1"
    rr_key Return
}
# The question field must show the word as the file has it, decoded from its code page.
expect_question() {
    [ -n "${RR_CONDITION:-}" ] || return 0
    local shown
    shown=$(rr_inspect text 603) || fail "no question field: $(cat "$rr_work/inspect.err")"
    [ "$shown" = "${questions[$1]}" ] || fail "question $(($1 + 1)) shows \"$shown\", the file holds \"${questions[$1]}\""
}

for ((i = 0; i < n; i++)); do
    expect_question $i
    if [ $i -eq $shot_at ]; then
        rr_type "${answers[i]:0:5}"
        sleep 0.3
        rr_shot test-view docs
        rr_type "${answers[i]:5}"
        rr_key Return
    elif [ $i -eq $wrong_at ]; then
        answer "${answers[i]}x"
        wait_for "the expected answer after a wrong one" field_yellow
        rr_key Return  # accepts the offered answer
    else
        answer "${answers[i]}"
    fi
    wait_for "question $((i + 2))" field_emptied
done
# The wrongly answered question comes back last.
expect_question $wrong_at
answer "${answers[wrong_at]}"
wait_for "the graph after the last answer" graph_menu
rr_settle
rr_shot graph-view docs
rr_close

hex=$(rr_value_hex ScoreList) || exit 1
scores=$(rr_decode_scores "$hex") || exit 1
[ "$scores" = "$expected_score" ] || fail "ScoreList holds \"$(echo $scores)\", expected $expected_score"
rr_log "ScoreList holds the score $expected_score"
# setup.sh, which runs this scenario from the installed program, goes on from here.
[[ ${BASH_SOURCE[0]} != "$0" ]] || rr_log "PASSED"
