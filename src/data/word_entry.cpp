#include "data/word_entry.h"

#include <algorithm>

namespace {
// Large enough that a big file costs few allocations, small enough that a list of ten words
// does not hold on to much.
constexpr size_t kBlockUnits = 32 * 1024;
}  // namespace

std::u16string_view WordEntries::Store(std::u16string_view text) {
    if (text.empty()) return {};
    if (text.size() > freeSize_) {
        // A word file's fields are 1022 units at most; a longer text appended from elsewhere
        // still fits, in a block of its length.
        const size_t units = std::max(kBlockUnits, text.size());
        blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(units));
        free_ = blocks_.back().get();
        freeSize_ = units;
    }
    char16_t* at = free_;
    std::copy(text.begin(), text.end(), at);
    free_ += text.size();
    freeSize_ -= text.size();
    return {at, text.size()};
}

void WordEntries::Append(std::u16string_view first, std::u16string_view second,
                         std::u16string_view hint) {
    WordEntry e;
    e.first = Store(first);
    e.second = Store(second);
    e.hint = Store(hint);
    entries_.push_back(e);
}
