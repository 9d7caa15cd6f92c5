#!/usr/bin/env bash
# The real program, out of process: memorion.exe under Xvfb in a Wine prefix of its own
# (build/wine-real), so that it may use the real registry key. Its window must appear with its
# title; closed with Alt+F4 the program must end with exit code 1, and the registry must then
# hold all 16 settings values. A screenshot of the first view is left in build/real-run/.
# The scenarios in real_run/ drive the program further; they share real_run/common.sh.
#
# Usage: real_run.sh path/to/memorion.exe     Exit 77 (skipped) without Xvfb or xdotool.
RR_NAME=real_run
source "$(dirname "$0")/real_run/common.sh"
rr_begin "${1:-}"

rr_start
rr_shot first-start
rr_close

rr_expect_all_values
rr_log "PASSED"
