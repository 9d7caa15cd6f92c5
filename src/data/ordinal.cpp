#include "data/ordinal.h"

#include <algorithm>

int OrdinalCompare(std::u16string_view a, std::u16string_view b) noexcept {
    // char16_t is unsigned, so code units compare as the numbers they are.
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}
