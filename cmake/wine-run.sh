#!/bin/sh
# Starts a Windows program under the project's private Wine prefix (build/wine unless
# WINEPREFIX says otherwise), quietly and with a hard time limit so that a hung test
# can never stall a run.
top=$(cd "$(dirname "$0")/.." && pwd)
: "${WINEPREFIX:=$top/build/wine}"
: "${WINEDEBUG:=-all}"
: "${WINEDLLOVERRIDES:=winemenubuilder.exe=d;mscoree,mshtml=}"
: "${MEMORION_WINE_TIMEOUT:=600}"
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
exec timeout -k 10 "$MEMORION_WINE_TIMEOUT" wine "$@"
