#!/usr/bin/env bash
# The real program, out of process: memorion.exe under Xvfb in a Wine prefix of its own
# (build/wine-real), so that it may use the real registry key. Its window must appear with its
# title; closed with Alt+F4 the program must end with exit code 1, and the registry must then
# hold all 16 settings values. A screenshot of the first view is left in build/real-run/.
#
# Usage: real_run.sh path/to/memorion.exe     Exit 77 (skipped) without Xvfb or xdotool.
set -uo pipefail

EXE=${1:?usage: real_run.sh path/to/memorion.exe}
source "$(dirname "$0")/../scripts/common.sh"

for tool in Xvfb xdotool wine wineserver; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "real_run: SKIPPED: $tool is not installed (test.sh installs the display packages)"
        exit 77
    fi
done

PREFIX="$TOP/build/wine-real"
OUT="$TOP/build/real-run"
KEY='HKCU\Software\Korvanta\Memorion'
TITLE='Memorion 1.2 by Dorsel'
mkdir -p "$OUT"
work=$(mktemp -d)
xvfb_pid=""
app_pid=""

fail() {
    echo "real_run: FAILED: $*"
    exit 1
}

cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    # Only this prefix's server: the window tests' prefix keeps its own running.
    WINEPREFIX="$PREFIX" timeout 30 wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own; Xvfb picks a free number and tells it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb gave no display number"
export DISPLAY=":$(head -n1 "$work/display")"

wine_prefix "$PREFIX" x11
# Every run starts as a first start.
timeout 60 wine reg delete "$KEY" /f >/dev/null 2>&1 </dev/null
timeout 60 wineserver -w 2>/dev/null

timeout 120 wine "$EXE" >"$work/app.log" 2>&1 </dev/null &
app_pid=$!

window=""
for _ in $(seq 120); do
    window=$(xdotool search --name "^${TITLE}\$" 2>/dev/null | head -n1)
    [ -n "$window" ] && break
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended before its window appeared"
    sleep 0.5
done
[ -n "$window" ] || fail "no window titled \"$TITLE\" within 60 s"
echo "real_run: window $window \"$TITLE\" is up"

sleep 1  # let it paint before the picture is taken
if command -v import >/dev/null 2>&1; then
    timeout 30 import -window root "$OUT/home-view.png" 2>/dev/null \
        && echo "real_run: screenshot in $OUT/home-view.png"
fi

closed=""
for _ in 1 2 3 4 5; do
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 \
        || xdotool windowfocus --sync "$window" >/dev/null 2>&1
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
[ "$code" -eq 1 ] || fail "exit code $code, expected 1"
echo "real_run: exit code 1"

# The registry reaches user.reg when the server stops.
timeout 30 wineserver -k 2>/dev/null
timeout 30 wineserver -w 2>/dev/null
values=$(awk '
    /^\[/ { inside = ($0 ~ /^\[Software\\\\Korvanta\\\\Memorion\]/) ; next }
    inside && /^"/ { sub(/"=.*/, ""); sub(/^"/, ""); print }
' "$PREFIX/user.reg" | sort)
expected=$(printf '%s\n' CaseSensitive ConfirmExit CustomFont DataFolder FontSize LazyRepeat \
    ScoreList SelectionList ShowHint TestingDirection UserFont WinDluH WinDluW WinX WinY \
    WordOrder | sort)
if [ "$values" != "$expected" ]; then
    echo "stored values:"; echo "$values"
    fail "the registry key does not hold the 16 settings values"
fi
echo "real_run: all 16 values stored under $KEY"
echo "real_run: PASSED"
