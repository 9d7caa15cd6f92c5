#pragma once
// The decisions of the home view's file commands that need no window: the name Rename
// proposes, which typed names are refused, and which file stays selected after a deletion.
#include <string>
#include <string_view>
#include <vector>

#include "data/word_library.h"

// Every listed file ends in ".mrn"; the user edits the name without it.
std::u16string RenameProposal(const std::u16string& fileName);

// Whether a name typed for New or Rename (without ".mrn") gives a file directly in the data
// folder. Windows reads slashes and backslashes as folders, a colon as a drive or a stream, and
// a name whose part before its first dot, less trailing blanks, is NUL, CON, PRN, AUX, COM0-9 or
// LPT0-9 as that device: the file would be made elsewhere, or never.
bool IsPlainFileName(std::u16string_view name);

// The selection to restore after `deleted` (in list order) were all deleted from `library`
// (the library as it was before): the current selection plus the file listed just above the
// first deleted one, so that the selection stays near where it was. A first deleted file at
// the top adds nothing and the refilled list falls back to its first file.
std::vector<std::u16string> SelectionAfterDelete(const WordLibrary& library,
                                                 const std::vector<std::u16string>& deleted,
                                                 std::vector<std::u16string> selection);
