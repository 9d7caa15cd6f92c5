#!/usr/bin/env bash
# The release zip as a user meets it: unpacked into a new folder of a Wine prefix made anew,
# the program started from there completes a whole test, and its score is in the registry.
# That is test_score.sh on the unpacked program (rr_begin unpacks a zip); its pictures stay
# out of docs/, which the build's own program supplies.
#
# Usage: package.sh path/to/memorion-<version>-win64.zip     Exit 77 (skipped) without Xvfb.
RR_NAME=real_package MEMORION_UPDATE_DOCS=0 exec "$(dirname "$0")/test_score.sh" \
    "${1:?usage: package.sh path/to/memorion-<version>-win64.zip}"
