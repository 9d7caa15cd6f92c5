#include "data/word_file_commands.h"

namespace {
constexpr std::size_t kExtensionLength = 4;  // ".mrn"
}

std::u16string RenameProposal(const std::u16string& fileName) {
    if (fileName.size() < kExtensionLength) return {};
    return fileName.substr(0, fileName.size() - kExtensionLength);
}

std::vector<std::u16string> SelectionAfterDelete(const WordLibrary& library,
                                                 const std::vector<std::u16string>& deleted,
                                                 std::vector<std::u16string> selection) {
    if (deleted.empty()) return selection;
    const int first = FindFileIndex(library, deleted.front());
    if (first > 0) selection.push_back(library[static_cast<std::size_t>(first) - 1].fileName);
    return selection;
}
