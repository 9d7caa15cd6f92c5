#!/usr/bin/env bash
# The setup in a Wine prefix made anew: installed silently, the program its Start-menu shortcut
# starts completes a whole test (test_score.sh). The learner then changes a starter list and adds
# one; the setup is refused while the program runs, then upgrades in place; the uninstaller named
# by the uninstall entry takes the program away and leaves the learner's words and settings.
# Usage: setup.sh path/to/memorion-<version>-win64-setup.exe    Exit 77 (skipped) without Xvfb.
setup=$(realpath "${1:?usage: setup.sh path/to/memorion-<version>-win64-setup.exe}")
RR_NAME=real_setup MEMORION_UPDATE_DOCS=0
source "$(dirname "$0")/test_score.sh" "$setup"

# After each step: how many files beside data\ (the read-me is removed before the refused setup),
# then 1 for there, 0 for gone: shortcut, uninstall entry, settings (user.reg, the server stopped),
# a starter list as it came, the changed one as changed, the learner's own.
declare -A after=(
    #             files shortcut entry settings starter changed own
    [installed]="   4      1       1      1        1       0     0"
    [refused]="     3      1       1      1        1       1     1"
    [upgraded]="    4      1       1      1        1       1     1"
    [uninstalled]=" 0      0       0      1        0       1     1"
)
change='the change\die Veraenderung' own='mine\meins'
is() { "$@" 2>/dev/null && echo 1 || echo 0; }
expect() {
    local now=$(echo $(find "$INSTALLED" -maxdepth 1 -type f | wc -l) $(is test -f "$LINK") \
        $(is grep -qF '[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Memorion]' "$PREFIX/user.reg") \
        $(is grep -qF '[Software\\Korvanta\\Memorion]' "$PREFIX/user.reg") \
        $(is cmp "$TOP/samples/English-French.mrn" "$INSTALLED/data/English-French.mrn") \
        $(is grep -qF "$change" "$INSTALLED/data/English-German.mrn") $(is grep -qF "$own" "$INSTALLED/data/Own.mrn"))
    [ "$now" = "$(echo ${after[$1]})" ] || fail "$1: $now, expected $(echo ${after[$1]})"
    rr_log "$1: $now"
}
expect installed
printf '%s\r\n' "$change" >>"$INSTALLED/data/English-German.mrn"
printf '%s\r\n' "$own" >"$INSTALLED/data/Own.mrn"
rr_new_server
rr_start
rm "$INSTALLED/README.txt"
timeout 120 wine "$setup" /S >/dev/null 2>&1 </dev/null && fail "the setup went on while the program ran"
rr_log "the setup ended with code $? while the program ran"
rr_close
expect refused
timeout 120 wine "$setup" /S >/dev/null 2>&1 </dev/null || fail "the upgrade ended with code $?"
timeout 30 wineserver -k
timeout 30 wineserver -w
expect upgraded
# The uninstaller copies itself away and returns at once; the server ends when the copy has.
quiet=$(sed -n 's/^"QuietUninstallString"="\\"\(.*\)\\" \/S"$/\1/p' "$PREFIX/user.reg" | sed 's/\\\\/\\/g')
timeout 120 wine "$quiet" /S >/dev/null 2>&1 </dev/null || fail "QuietUninstallString: \"$quiet\" /S failed"
timeout 120 wineserver -w
expect uninstalled
rr_log "PASSED"
