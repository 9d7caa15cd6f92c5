# Shared by the scenarios that drive the real memorion.exe under Xvfb with xdotool, in the Wine
# prefix build/wine-real (build/wine-package for the release zip, build/wine-setup for the
# setup), where the program may use its real registry key. Sourced, not run.
#
# A scenario sets RR_NAME, sources this file and calls rr_begin with the path of the exe; every
# run then starts from an empty registry key, and Xvfb and the prefix's server are stopped on
# exit whatever happens. Screenshots go to build/real-run/; with MEMORION_UPDATE_DOCS=1 those
# meant for the README are also copied into docs/.

set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/common.sh"

RR_NAME=${RR_NAME:-real_run}${RR_CONDITION:+_$RR_CONDITION}
PREFIX="$TOP/build/wine-real"
OUT="$TOP/build/real-run"
DOCS="$TOP/docs"
KEY='HKCU\Software\Korvanta\Memorion'
TITLE='Memorion 1.2 by Dorsel'
window=""
app_pid=""
xvfb_pid=""
rr_work=""

rr_log() { echo "$RR_NAME: $*"; }

# fail MESSAGE: ends the scenario. Inside $(...) it ends only that subshell, with status 1 and
# the message on stderr, so such calls are written as x=$(...) || exit 1.
fail() {
    echo "$RR_NAME: FAILED: $*" >&2
    [ -n "$window" ] && [ "$BASH_SUBSHELL" -eq 0 ] && rr_shot "failure-$RR_NAME" >/dev/null 2>&1
    exit 1
}

rr_cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    # Only this prefix's server: the window tests' prefix keeps its own running.
    WINEPREFIX="$PREFIX" timeout 30 wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    [ -n "$rr_work" ] && rm -rf "$rr_work"
}

# rr_begin EXE: skips (77) without the display tools; otherwise takes the prefix for this
# scenario alone, starts a display of our own and empties the program's registry key.
# Given the release zip instead, it runs the program as a user who downloaded it would: from a
# new folder of a prefix made anew, which has never seen the program. Given the setup, it
# installs it into such a prefix and runs what the Start menu's shortcut starts.
rr_begin() {
    EXE=${1:?usage: $RR_NAME path/to/memorion.exe}
    local tool
    for tool in Xvfb xdotool import wine wineserver flock iconv; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            rr_log "SKIPPED: $tool is not installed (test.sh installs the display packages)"
            exit 77
        fi
    done
    local zip="" setup=""
    [[ $EXE == *.zip ]] && zip=$(realpath "$EXE") && PREFIX="$TOP/build/wine-package"
    [[ $EXE == *-setup.exe ]] && setup=$(realpath "$EXE") && PREFIX="$TOP/build/wine-setup"
    mkdir -p "$OUT"
    rr_work=$(mktemp -d)
    trap rr_cleanup EXIT

    # One scenario at a time in the prefix, also across build directories.
    exec 9>"$PREFIX.lock"
    flock -w 300 9 || fail "${PREFIX#"$TOP/"} stayed in use for 5 minutes"

    # A display of our own; Xvfb picks a free number and tells it.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$rr_work/display" \
        2>"$rr_work/xvfb.log" &
    xvfb_pid=$!
    local _
    for _ in $(seq 100); do
        [ -s "$rr_work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$rr_work/xvfb.log")"
        sleep 0.1
    done
    [ -s "$rr_work/display" ] || fail "Xvfb gave no display number"
    export DISPLAY=":$(head -n1 "$rr_work/display")"

    [ -n "$zip$setup" ] && rm -rf "$PREFIX"
    wine_prefix "$PREFIX" x11
    [ -n "$zip" ] && rr_unpack "$zip"
    # A server left from an interrupted run would still talk to a display that is gone.
    rr_new_server
    [ -n "$setup" ] && rr_install "$setup"
    # Another user's system, or the usual one: each run sets its own.
    wine_condition "${RR_CONDITION:-}" || fail "no such condition"
    [ -n "${RR_CONDITION:-}" ] && rr_log "under the condition ${RR_CONDITION}"
    # Every run starts as a first start.
    timeout 60 wine reg delete "$KEY" /f >/dev/null 2>&1 </dev/null
}

# rr_new_server: stops the prefix's server and starts one that stays up until the scenario
# ends. A server that exits on its own, a few seconds after its last process, can take a
# process that starts at that moment down with it: a preset or the program's start then
# failed here about once in a hundred.
rr_new_server() {
    timeout 30 wineserver -k 2>/dev/null
    timeout 30 wineserver -w 2>/dev/null
    wineserver -p 2>/dev/null
}

# rr_unpack ZIP: unpacks the release into a new folder on the prefix's drive C: and points EXE
# at the program there. The zip holds one folder, and in it only the program, its read-me and
# licence and the starter lists.
rr_unpack() {
    local dir="$PREFIX/drive_c/Portable Apps" top files expected
    mkdir -p "$dir" && (cd "$dir" && cmake -E tar xf "$1") || fail "could not unpack $1"
    top=$(ls "$dir")
    [ -d "$dir/$top" ] || fail "the zip holds not one folder but: $(echo $top)"
    files=$(cd "$dir/$top" && find . -type f | sort)
    expected=$( (printf './%s\n' LICENSE.txt README.txt memorion.exe
        cd "$TOP/samples" && printf './data/%s\n' *.mrn) | sort)
    [ "$files" = "$expected" ] || fail "the zip holds:"$'\n'"$files"$'\n'"expected:"$'\n'"$expected"
    EXE="$dir/$top/memorion.exe"
    rr_log "unpacked into C:\\${dir#"$PREFIX/drive_c/"}\\$top"
}

# rr_install SETUP: installs the release silently into a folder of the user's choice and points
# EXE at the program that the Start menu's shortcut (LINK) starts.
rr_install() {
    INSTALLED="$PREFIX/drive_c/Apps/Memorion"
    LINK="$PREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Memorion.lnk"
    timeout 120 wine "$1" /S '/D=C:\Apps\Memorion' >/dev/null 2>&1 </dev/null || fail "the setup ended with code $?"
    EXE=$(strings -a "$LINK" | grep -m1 -i '^C:\\.*\.exe$') || fail "no shortcut to a program in the Start menu"
    rr_log "installed; the Start menu's shortcut starts $EXE"
    EXE="$PREFIX/drive_c/$(tr '\\' / <<<"${EXE:3}")"
}

# rr_inspect ARGUMENTS...: memorion_inspect (real_run/inspect.cpp) on the running program.
# A look that fails is taken once more: a Wine process here, rarely, ends at its start.
rr_inspect() {
    [ -n "${MEMORION_INSPECT:-}" ] || fail "MEMORION_INSPECT names no inspector"
    local status attempt
    for attempt in 1 2; do
        status=0
        timeout 60 wine "$MEMORION_INSPECT" "$@" >"$rr_work/inspect" 2>"$rr_work/inspect.err" \
            </dev/null || status=$?
        [ $status -eq 0 ] && break
        [ $attempt = 1 ] && echo "$RR_NAME: inspector: code $status, $(tail -c 300 "$rr_work/inspect.err"); once more" >&2
        sleep 0.5
    done
    tr -d '\r' <"$rr_work/inspect"
    return $status
}

# rr_check_view WHAT: fails when the view that shows has a control outside it, a text cut
# off or its "< Back" button out of place.
rr_check_view() {
    local report
    report=$(rr_inspect layout) || fail "$1:"$'\n'"$report"
    rr_log "$1: $report"
}

# rr_preset NAME TYPE DATA: stores a value before the program starts (reg add syntax).
rr_preset() {
    wine_reg_add "$KEY" /v "$1" /t "$2" /d "$3" || fail "could not preset $1"
}

# rr_selection_hex NAME...: the "SelectionList" layout of the names, as one hex string.
rr_selection_hex() {
    local hex name
    hex=$(rr_le32 $#)
    for name in "$@"; do
        hex+=$(rr_le32 $((${#name} + 1)))
        hex+=$(printf '%s' "$name" | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -d " \n")0000
    done
    echo "$hex"
}

rr_le32() { printf '%02x%02x%02x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }

# rr_hash: a digest of what the window shows now.
rr_hash() { import -window "$window" rgb:- 2>/dev/null | md5sum | cut -d' ' -f1; }

# rr_settle [BEFORE]: waits (at most 20 s) until the window shows something other than BEFORE
# and has stopped changing.
rr_settle() {
    local before=${1:-} last="" now _
    for _ in $(seq 100); do
        now=$(rr_hash)
        if [ "$now" != "$before" ] && [ "$now" = "$last" ]; then
            return 0
        fi
        last=$now
        sleep 0.2
    done
    fail "the window did not settle${before:+ after a change}"
}

rr_focus() { xdotool windowfocus --sync "$window" >/dev/null 2>&1; }

# rr_press KEY...: presses keys in the window and waits for the picture they cause.
rr_press() {
    local before
    before=$(rr_hash)
    rr_key "$@"
    rr_settle "$before"
}

# rr_key KEY...: presses keys in the window, whether or not they change what it shows.
rr_key() {
    rr_focus
    xdotool key --clearmodifiers "$@" >/dev/null 2>&1
}

# rr_type TEXT: types plain ASCII text into the window.
rr_type() {
    rr_focus
    xdotool type --clearmodifiers --delay 15 -- "$1" >/dev/null 2>&1
}

# rr_start: starts the program and waits for its window, painted. A start that ends before any
# window of the program exists is told, with its exit code and output, and made once more on a
# new server; a second one fails the scenario.
rr_start() {
    xdotool mousemove 0 0 >/dev/null 2>&1  # keeps the pointer off the window's controls
    local attempt _ code
    for attempt in 1 2; do
        timeout 300 wine "$EXE" >"$rr_work/app.log" 2>&1 </dev/null &
        app_pid=$!
        for _ in $(seq 120); do
            window=$(xdotool search --name "^${TITLE}\$" 2>/dev/null | head -n1)
            [ -n "$window" ] && break 2
            kill -0 "$app_pid" 2>/dev/null || break
            sleep 0.5
        done
        kill -0 "$app_pid" 2>/dev/null && fail "no window titled \"$TITLE\" within 60 s"
        wait "$app_pid"
        code=$?
        app_pid=""
        local log
        log=$(tail -c 600 "$rr_work/app.log")
        [ "$attempt" = 2 ] && fail "the program ended (code $code) before its window appeared: $log"
        rr_log "the program ended (code $code) before its window appeared; starting it again: $log"
        rr_new_server
    done
    rr_log "window $window \"$TITLE\" is up"
    rr_settle
}

# rr_shot NAME [docs]: saves what the window shows as build/real-run/NAME.png (and, for the
# README's pictures when MEMORION_UPDATE_DOCS=1, as docs/NAME.png). Only the program's window
# is taken, without the dates ImageMagick would write, so that an unchanged view gives the
# same file.
rr_shot() {
    local file="$OUT/$1${RR_CONDITION:+-$RR_CONDITION}.png"
    timeout 30 import -window "$window" -strip -define png:exclude-chunks=date,time \
        "$file" 2>/dev/null || fail "no screenshot $1"
    rr_log "screenshot $file"
    if [ "${2:-}" = docs ] && [ "${MEMORION_UPDATE_DOCS:-0}" = 1 ] && [ -z "${RR_CONDITION:-}" ]; then
        mkdir -p "$DOCS"
        cp "$file" "$DOCS/$1.png"
        rr_log "copied to docs/$1.png"
    fi
}

# rr_region X Y W H: the darkest and the brightest channel value in that part of the window,
# and its mean colour, as "min max r,g,b".
rr_region() {
    import -window "$window" -crop "$3x$4+$1+$2" +repage \
        -format '%[fx:int(255*minima)] %[fx:int(255*maxima)] %[fx:int(255*mean.r+.5)],%[fx:int(255*mean.g+.5)],%[fx:int(255*mean.b+.5)]\n' \
        info: 2>/dev/null
}

# rr_close: Alt+F4 until the program ends; it must end with exit code 1.
rr_close() {
    local closed="" _ code
    for _ in 1 2 3 4 5; do
        rr_focus
        xdotool key --clearmodifiers alt+F4 >/dev/null 2>&1
        for _ in $(seq 20); do
            kill -0 "$app_pid" 2>/dev/null || { closed=yes; break; }
            sleep 0.25
        done
        [ -n "$closed" ] && break
    done
    [ -n "$closed" ] || fail "the window did not close on Alt+F4"
    wait "$app_pid"
    code=$?
    app_pid=""
    window=""
    [ "$code" -eq 1 ] || fail "exit code $code, expected 1"
    rr_log "closed, exit code 1"
    # The registry reaches user.reg when the server stops.
    timeout 30 wineserver -k 2>/dev/null
    timeout 30 wineserver -w 2>/dev/null
}

# rr_value_names: the names of the values stored under the key, sorted (after rr_close).
rr_value_names() {
    awk '
        /^\[/ { inside = ($0 ~ /^\[Software\\\\Korvanta\\\\Memorion\]/); next }
        inside && /^"/ { sub(/"=.*/, ""); sub(/^"/, ""); print }
    ' "$PREFIX/user.reg" | sort
}

# rr_expect_all_values: the key must hold exactly the 16 settings values (after rr_close).
rr_expect_all_values() {
    local values expected
    values=$(rr_value_names)
    expected=$(printf '%s\n' CaseSensitive ConfirmExit CustomFont DataFolder FontSize \
        LazyRepeat ScoreList SelectionList ShowHint TestingDirection UserFont WinDluH WinDluW \
        WinX WinY WordOrder | sort)
    if [ "$values" != "$expected" ]; then
        echo "stored values:"; echo "$values"
        fail "the registry key does not hold the 16 settings values"
    fi
    rr_log "all 16 values stored under $KEY"
}

# rr_value_hex NAME: the data of a REG_BINARY value as a plain hex string (empty for a value of
# length zero); fails when the value is missing or of another type.
rr_value_hex() {
    local data
    data=$(awk -v name="\"$1\"=" '
        /^\[/ { inside = ($0 ~ /^\[Software\\\\Korvanta\\\\Memorion\]/); next }
        inside && index($0, name) == 1 {
            line = substr($0, length(name) + 1)
            while (sub(/\\$/, "", line) && (getline more) > 0) {
                sub(/^[ \t]+/, "", more)
                line = line more
            }
            print line
            exit
        }
    ' "$PREFIX/user.reg")
    case "$data" in
        hex:*) data=${data#hex:}; echo "${data//,/}" ;;
        *) fail "\"$1\" is not stored as REG_BINARY: ${data:-missing}" ;;
    esac
}

# rr_u32 HEX OFFSET: the little-endian unsigned 32-bit number at that byte offset.
rr_u32() {
    local h=${1:$(($2 * 2)):8}
    [ ${#h} -eq 8 ] || fail "value too short for a number at offset $2"
    echo $((16#${h:6:2}${h:4:2}${h:2:2}${h:0:2}))
}

# rr_decode_selection HEX: the names of a "SelectionList" value, one a line; fails on a value
# whose size does not match its records exactly.
rr_decode_selection() {
    local hex=$1 n off=4 i len body
    n=$(rr_u32 "$hex" 0) || exit 1
    for ((i = 0; i < n; i++)); do
        len=$(rr_u32 "$hex" $off) || exit 1
        body=${hex:$(((off + 4) * 2)):$((len * 4))}
        [ ${#body} -eq $((len * 4)) ] || fail "SelectionList record $i runs past the value"
        [ "${body: -4}" = 0000 ] || fail "SelectionList name $i lacks its zero unit"
        body=${body:0:$(((len - 1) * 4))}
        printf '%b' "$(sed 's/../\\x&/g' <<<"$body")" | iconv -f UTF-16LE -t UTF-8
        echo
        off=$((off + 4 + 2 * len))
    done
    [ $((off * 2)) -eq ${#hex} ] || fail "SelectionList has $((${#hex} / 2 - off)) bytes too many"
}

# rr_decode_scores HEX: the records of a "ScoreList" value, oldest first, one a line.
rr_decode_scores() {
    local hex=$1 off
    [ $((${#hex} % 8)) -eq 0 ] || fail "ScoreList size is not a multiple of 4"
    for ((off = 0; off * 2 < ${#hex}; off += 4)); do
        rr_u32 "$hex" $off
    done
}
