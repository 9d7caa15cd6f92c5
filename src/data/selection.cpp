#include "data/selection.h"

#include <algorithm>
#include <set>

#include "data/ordinal.h"

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

RestoredSelection RestoreSelection(const WordLibrary& library,
                                   const std::vector<std::u16string>& selectionList) {
    const std::set<std::u16string, OrdinalLess> names(selectionList.begin(), selectionList.end());
    RestoredSelection r;
    for (size_t i = 0; i < library.size(); ++i) {
        if (names.count(library[i].fileName) != 0) {
            r.positions.push_back(i);
            if (!r.caret) r.caret = i;
        }
    }
    if (r.positions.empty() && !library.empty()) r.positions.push_back(0);
    return r;
}
