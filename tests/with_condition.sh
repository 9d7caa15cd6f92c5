#!/usr/bin/env bash
# Runs a Windows test program under the conditions of another user's system (see
# wine_condition in scripts/common.sh), and puts the usual ones back afterwards.
#
# Usage: with_condition.sh CONDITION program.exe [arguments]
source "$(dirname "$0")/../scripts/common.sh"
condition=${1:?usage: with_condition.sh CONDITION program.exe [arguments]}
shift
wine_env "${WINEPREFIX:-$TOP/build/wine}"
trap 'wine_condition ""' EXIT
wine_condition "$condition" || exit 1
"$TOP/cmake/wine-run.sh" "$@"
