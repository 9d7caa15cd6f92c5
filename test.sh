#!/usr/bin/env bash
# Builds everything and runs every test: the portable core natively, plainly and under
# AddressSanitizer and UndefinedBehaviorSanitizer (where a finding fails its test), then the
# whole program cross-built for Windows with its tests under Wine. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$TOP"

ensure_packages $BUILD_PACKAGES $DISPLAY_PACKAGES

status=0

echo "== rules: layering and format"
scripts/check_layering.sh || status=1
scripts/check_format.sh || status=1

echo "== native: portable core"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native || status=1

echo "== native: the core tests again under the sanitizers"
cmake --preset native-asan >/dev/null
cmake --build --preset native-asan
ctest --preset native-asan || status=1

echo "== windows: the program under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows
wine_prefix "$TOP/build/wine" null
# One server for the whole run: without it every test pays for the server to linger.
wineserver -p 2>/dev/null || true   # an already running server does as well
# Start the prefix's background services now, away from ctest's output pipes: a service that
# inherits a test's stdout keeps ctest waiting for it until the test times out.
timeout 120 wine wineboot >/dev/null 2>&1 </dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
ctest --preset windows --output-junit junit-windows.xml || status=1
wineserver -k 2>/dev/null || true
trap - EXIT

if [ $status -ne 0 ]; then
    echo "test.sh: some tests failed"
fi
exit $status
