#include "data/selection.h"

#include <algorithm>
#include <set>

#include "data/ordinal.h"
#include "data/platform.h"

SelectionSummary ComputeSelectionSummary(const WordLibrary& library, size_t itemCount,
                                         const std::vector<size_t>& selectedPositions,
                                         std::vector<std::u16string>& selectionList) {
    // A list that somehow holds more items than the library has files must not read past it.
    const size_t count = std::min(itemCount, library.size());
    std::vector<bool> selected(count, false);
    for (size_t p : selectedPositions) {
        if (p < count) selected[p] = true;
    }

    SelectionSummary s;
    selectionList.clear();
    for (size_t i = 0; i < count; ++i) {
        const WordFile& file = library[i];
        ++s.totalFiles;
        s.totalWords += file.entryCount;
        if (selected[i]) {
            ++s.selectedFiles;
            s.selectedWords += file.entryCount;
            selectionList.push_back(file.fileName);
        }
    }
    return s;
}

// The exact name first: where the folder holds two names that differ only in case (a Linux
// file system can), the one stored is the one chosen. The case-blind look is for a file whose
// case changed, and is made only for names left unmatched.
std::vector<bool> SelectedFiles(const WordLibrary& library,
                                const std::vector<std::u16string>& selectionList) {
    std::set<std::u16string_view, OrdinalLess> unmatched(selectionList.begin(),
                                                         selectionList.end());
    std::vector<bool> selected(library.size(), false);
    for (size_t i = 0; i < library.size(); ++i) selected[i] = unmatched.count(library[i].fileName);
    for (size_t i = 0; i < library.size(); ++i) {
        if (selected[i]) unmatched.erase(library[i].fileName);
    }
    if (unmatched.empty()) return selected;
    std::set<std::u16string> keys;
    for (std::u16string_view name : unmatched) keys.insert(FileNameKey(name));
    for (size_t i = 0; i < library.size(); ++i) {
        if (!selected[i]) selected[i] = keys.count(FileNameKey(library[i].fileName)) != 0;
    }
    return selected;
}

RestoredSelection RestoreSelection(const WordLibrary& library,
                                   const std::vector<std::u16string>& selectionList) {
    const std::vector<bool> selected = SelectedFiles(library, selectionList);
    RestoredSelection r;
    for (size_t i = 0; i < library.size(); ++i) {
        if (selected[i]) {
            r.positions.push_back(i);
            if (!r.caret) r.caret = i;
        }
    }
    if (r.positions.empty() && !library.empty()) r.positions.push_back(0);
    return r;
}
