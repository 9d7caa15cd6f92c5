#!/usr/bin/env bash
# Builds memorion.exe and starts it under Wine: on your display when there is one; otherwise
# on a private Xvfb screen, where it takes a screenshot, says where it is and closes the program.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$TOP"

ensure_packages $BUILD_PACKAGES $DISPLAY_PACKAGES

cmake --preset windows >/dev/null
cmake --build --preset windows --target memorion

# The program's own prefix, apart from the tests' one: its settings are the user's.
wine_prefix "$TOP/build/wine-app" x11
exe="$TOP/build/windows/memorion.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting Memorion on $DISPLAY"
    exec wine "$exe"
fi

# No display: a virtual screen of our own, a screenshot once the window is up.
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wine "$exe" &
app=$!
window=""
for _ in $(seq 60); do
    window=$(xdotool search --name '^Memorion' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    if ! kill -0 $app 2>/dev/null; then break; fi
    sleep 0.5
done

mkdir -p "$TOP/shots"
shot="$TOP/shots/memorion.png"
sleep 1
import -window root "$shot"
if [ -n "$window" ]; then
    echo "Memorion is running on the virtual display $display (window $window)."
else
    echo "Memorion started on the virtual display $display, but no window appeared."
fi
echo "Screenshot: $shot"

# Close it as a user would: Alt+F4 on its window (there is no window manager to ask).
rc=""
for _ in 1 2 3 4 5; do
    [ -n "$window" ] || break
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    xdotool key --clearmodifiers alt+F4 >/dev/null 2>&1 || true
    for _ in $(seq 20); do
        kill -0 $app 2>/dev/null || break 2
        sleep 0.25
    done
done
if kill -0 $app 2>/dev/null; then
    echo "memorion.exe did not close; stopping it"
    wineserver -k 2>/dev/null || true
fi
wait $app 2>/dev/null && rc=0 || rc=$?
echo "memorion.exe exited with code $rc"
wineserver -k 2>/dev/null || true
