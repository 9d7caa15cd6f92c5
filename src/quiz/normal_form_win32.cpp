#include "quiz/normal_form.h"

#include <windows.h>

#include <algorithm>
#include <utility>

void PlatformNormalize(std::u16string& text) {
    // Nothing below U+0300 composes with anything: most answers need no call at all.
    if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x300; })) return;
    const auto* source = reinterpret_cast<LPCWSTR>(text.data());
    const int length = static_cast<int>(text.size());
    int capacity = NormalizeString(NormalizationC, source, length, nullptr, 0);
    // The first size is an estimate; a buffer found too small answers with a better one.
    for (int attempt = 0; attempt < 3 && capacity > 0; ++attempt) {
        std::u16string out(static_cast<size_t>(capacity), u'\0');
        const int got = NormalizeString(NormalizationC, source, length,
                                        reinterpret_cast<LPWSTR>(out.data()), capacity);
        if (got > 0) {
            out.resize(static_cast<size_t>(got));
            text = std::move(out);
            return;
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return;
        capacity = -got;
    }
}
