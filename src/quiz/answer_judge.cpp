#include "quiz/answer_judge.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

// Marks that nobody sees and lists copied from web pages are full of: direction marks,
// embeddings, overrides and isolates, the zero-width space, the word joiner and a byte-order
// mark. The zero-width joiner and non-joiner are not among them: some scripts spell with them.
bool IsInvisibleMark(char16_t c) noexcept {
    return c == 0x200B || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           c == 0x2060 || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

bool IsNoBreakSpace(char16_t c) noexcept {
    return c == 0x00A0 || c == 0x2007 || c == 0x202F;
}

// What lower-casing leaves apart: the final sigma, and capitals whose small letter does not map
// back to them, which not every case table has (Wine's has none of these, Windows' has them).
char16_t FoldLowerCase(char16_t c) noexcept {
    static constexpr std::pair<char16_t, char16_t> kFolds[] = {
        {0x03C2, 0x03C3},                    // final sigma
        {0x1E9E, 0x00DF},                    // capital sharp s
        {0x0130, u'i'},                      // capital I with dot above
        {0x01C5, 0x01C6}, {0x01C8, 0x01C9},  // the title-case digraphs Dz with caron, Lj,
        {0x01CB, 0x01CC}, {0x01F2, 0x01F3},  // Nj and Dz
    };
    for (const auto& [from, to] : kFolds) {
        if (c == from) return to;
    }
    return c;
}

std::u16string AsRead(std::u16string_view text, const AnswerRules& rules) {
    std::u16string read;
    read.reserve(text.size());
    for (const char16_t c : text) {
        if (!IsInvisibleMark(c)) read += IsNoBreakSpace(c) ? u' ' : c;
    }
    if (rules.normalize) rules.normalize(read);
    if (!rules.caseSensitive && rules.lowerCase) {
        rules.lowerCase(read);
        std::transform(read.begin(), read.end(), read.begin(), FoldLowerCase);
    }
    return read;
}

}  // namespace

bool JudgeAnswer(std::u16string_view typed, std::u16string_view expected,
                 const AnswerRules& rules) {
    return typed == expected || AsRead(typed, rules) == AsRead(expected, rules);
}
