#!/usr/bin/env bash
# Runs a Windows test program with another font standing in for "MS Shell Dlg", as on a system
# whose dialog font is wider than the one the templates were drawn with; the usual font is
# put back afterwards, whatever happens.
#
# Usage: with_dialog_font.sh FACE program.exe [arguments]
source "$(dirname "$0")/../scripts/common.sh"
face=${1:?usage: with_dialog_font.sh FACE program.exe [arguments]}
shift
wine_env "${WINEPREFIX:-$TOP/build/wine}"
trap 'wine_dialog_font Tahoma' EXIT
wine_dialog_font "$face"
"$TOP/cmake/wine-run.sh" "$@"
