#include "data/word_file_commands.h"

namespace {
constexpr std::size_t kExtensionLength = 4;  // ".mrn"

bool IsDeviceName(std::u16string_view base) {
    while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
    std::u16string upper(base);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    if (upper == u"NUL" || upper == u"CON" || upper == u"PRN" || upper == u"AUX") return true;
    // Newer Windows also reads superscript one to three as port numbers.
    return upper.size() == 4 && (upper.starts_with(u"COM") || upper.starts_with(u"LPT")) &&
           std::u16string_view(u"0123456789\u00B9\u00B2\u00B3").find(upper[3]) !=
               std::u16string_view::npos;
}
}  // namespace

std::u16string RenameProposal(const std::u16string& fileName) {
    if (fileName.size() < kExtensionLength) return {};
    return fileName.substr(0, fileName.size() - kExtensionLength);
}

bool IsPlainFileName(std::u16string_view name) {
    if (name.find_first_of(u"\\/:") != std::u16string_view::npos) return false;
    return !IsDeviceName(name.substr(0, name.find(u'.')));
}

std::vector<std::u16string> SelectionAfterDelete(const WordLibrary& library,
                                                 const std::vector<std::u16string>& deleted,
                                                 std::vector<std::u16string> selection) {
    if (deleted.empty()) return selection;
    const int first = FindFileIndex(library, deleted.front());
    if (first > 0) selection.push_back(library[static_cast<std::size_t>(first) - 1].fileName);
    return selection;
}
