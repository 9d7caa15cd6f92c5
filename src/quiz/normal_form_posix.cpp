#include "quiz/normal_form.h"

#include <unicode/unorm2.h>

void PlatformNormalize(std::u16string& text) {
    // ICU passes lone surrogates through where NormalizeString refuses the whole text: such
    // text stays as it is here too, so that both judge it alike.
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c < 0xD800 || c > 0xDFFF) continue;
        if (c > 0xDBFF || i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF)
            return;
        ++i;
    }
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    if (U_FAILURE(status)) return;
    const auto length = static_cast<int32_t>(text.size());
    std::u16string out(text.size() + 8, u'\0');
    int32_t got = unorm2_normalize(nfc, text.data(), length, out.data(),
                                   static_cast<int32_t>(out.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        status = U_ZERO_ERROR;
        out.assign(static_cast<size_t>(got), u'\0');
        got = unorm2_normalize(nfc, text.data(), length, out.data(), got, &status);
    }
    if (U_FAILURE(status)) return;
    out.resize(static_cast<size_t>(got));
    text = std::move(out);
}
