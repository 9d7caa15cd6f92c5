#pragma once
// File names and question texts compare by UTF-16 code unit, case-sensitive, with no locale
// collation, so that every list comes out in the same order on every machine and language.
// char16_t is unsigned, so the string views' own comparisons do exactly that.
#include <string_view>

// Negative, zero or positive as a sorts before, equal to or after b. A prefix sorts first.
inline int OrdinalCompare(std::u16string_view a, std::u16string_view b) noexcept {
    return a.compare(b);
}

struct OrdinalLess {
    bool operator()(std::u16string_view a, std::u16string_view b) const noexcept { return a < b; }
};
