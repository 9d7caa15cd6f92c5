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
        // A text longer than a block gets a block of its own; the current block's free tail
        // stays usable for the texts that follow.
        if (text.size() > kBlockUnits / 4) {
            blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(text.size()));
            std::copy(text.begin(), text.end(), blocks_.back().get());
            return {blocks_.back().get(), text.size()};
        }
        blocks_.push_back(std::make_unique_for_overwrite<char16_t[]>(kBlockUnits));
        free_ = blocks_.back().get();
        freeSize_ = kBlockUnits;
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
