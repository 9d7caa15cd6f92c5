#pragma once
// The decisions of the home view's file commands that need no window: the name Rename
// proposes, and which file stays selected after a deletion.
#include <string>
#include <vector>

#include "data/word_library.h"

// Every listed file ends in ".mrn"; the user edits the name without it.
std::u16string RenameProposal(const std::u16string& fileName);

// The selection to restore after `deleted` (in list order) were all deleted from `library`
// (the library as it was before): the current selection plus the file listed just above the
// first deleted one, so that the selection stays near where it was. A first deleted file at
// the top adds nothing and the refilled list falls back to its first file.
std::vector<std::u16string> SelectionAfterDelete(const WordLibrary& library,
                                                 const std::vector<std::u16string>& deleted,
                                                 std::vector<std::u16string> selection);
