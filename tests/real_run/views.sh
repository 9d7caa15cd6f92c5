#!/usr/bin/env bash
# The real program's views, reached with their keys: home, browse (F3) with every entry opened
# by keypad plus, test (F7), graph (F8), setup (F9) and about (F10); Escape goes home from
# browse and about. Each view is looked at from outside as it first shows: its controls inside
# it, their texts whole, "< Back" across the bottom. Run under other users' conditions too
# (RR_CONDITION). The pictures are left for the README; the program must still close normally
# and store its 16 values.
#
# Usage: views.sh path/to/memorion.exe     Exit 77 (skipped) without Xvfb or xdotool.
RR_NAME=real_views
source "$(dirname "$0")/common.sh"
rr_begin "${1:-}"

# Imported DLLs are looked for beside the program first: only those Windows takes from the
# system folder or the manifest (oleacc.dll is loaded from the system folder by hand).
imports=$(x86_64-w64-mingw32-objdump -p "$EXE" | sed -n 's/^\tDLL Name: //p' | tr A-Z a-z | sort)
[ "$(echo $imports)" = "advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll normaliz.dll ole32.dll shell32.dll user32.dll" ] || fail "memorion.exe imports $(echo $imports)"

# A list with hints, in file order, so that the browse view shows entries, answers and hints.
rr_preset WordOrder REG_DWORD 2
rr_preset SelectionList REG_BINARY "$(rr_selection_hex English-Spanish.mrn)"
rr_preset ScoreList REG_BINARY "$(rr_le32 55)$(rr_le32 80)"

rr_start
rr_check_view home
heard=$(rr_inspect accessible 600)
[[ $heard == *"|Word files|"* ]] || fail "the file list is heard as \"$heard\""
home=$(rr_hash)
rr_press F3
rr_check_view browse
rr_press KP_Add
rr_shot browse-view docs
rr_press Escape
[ "$(rr_hash)" = "$home" ] || fail "Escape in the browse view did not lead back home"
rr_press F7
rr_check_view test
rr_press F8
rr_check_view graph
# What a screen reader in another process hears of the chart (role 17: a chart) and the link.
heard=$(rr_inspect accessible 609)
[ "$heard" = "17|Scores|55%, 80%" ] || fail "the chart is heard as \"$heard\""
rr_press Delete
heard=$(rr_inspect accessible 609)
[ "$heard" = "17|Scores|No scores" ] || fail "the cleared chart is heard as \"$heard\""
rr_press F9
rr_check_view setup
rr_shot setup-view docs
rr_press F10
rr_check_view about
heard=$(rr_inspect accessible 628)
[[ $heard == 30\|*\|http* ]] || fail "the link is heard as \"$heard\""
rr_shot about-view docs
rr_press Escape
[ "$(rr_hash)" = "$home" ] || fail "Escape in the about view did not lead back home"
rr_close

rr_expect_all_values
rr_log "PASSED"
