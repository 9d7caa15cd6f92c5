#pragma once
// The user's choice of word files: the counts the home view shows, the SelectionList that the
// list's selection turns into, and the list positions a stored SelectionList selects again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/word_library.h"

struct SelectionSummary {
    uint32_t selectedWords = 0;
    uint32_t totalWords = 0;
    uint32_t selectedFiles = 0;
    uint32_t totalFiles = 0;

    friend bool operator==(const SelectionSummary&, const SelectionSummary&) = default;
};

// Counts the first itemCount files of the library (the list's items) and those of them at the
// selected positions, and gives the names of the selected files in library order: the new
// SelectionList. Positions may come in any order; repeated or out-of-range ones count nothing.
SelectionSummary ComputeSelectionSummary(const WordLibrary& library, size_t itemCount,
                                         const std::vector<size_t>& selectedPositions,
                                         std::vector<std::u16string>& selectionList);

struct RestoredSelection {
    std::vector<size_t> positions;  // ascending
    std::optional<size_t> caret;    // the first file the stored names selected
};

// Which of the library's files a stored selection names: each name its file exactly or, where
// none has it exactly, those the file system takes for it, without regard to case.
std::vector<bool> SelectedFiles(const WordLibrary& library,
                                const std::vector<std::u16string>& selectionList);

// The positions of the files whose names occur in the stored selection; when none does and
// the library is not empty, the first file alone, with no caret.
RestoredSelection RestoreSelection(const WordLibrary& library,
                                   const std::vector<std::u16string>& selectionList);
