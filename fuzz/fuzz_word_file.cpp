// Arbitrary bytes through the encoding detection, the piece splitting and the line grammar,
// and the texts they give through the judging of answers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "data/platform.h"
#include "data/word_entry.h"
#include "data/word_file.h"
#include "quiz/answer_judge.h"

namespace {

bool IsTrimmed(std::u16string_view text) {
    auto space = [](char16_t c) {
        return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0xA0 || c == 0x3000 ||
               (c >= 0x2000 && c <= 0x200A);
    };
    return text.empty() || (!space(text.front()) && !space(text.back()));
}

bool IsClean(std::u16string_view text) {
    return text.find(u'\\') == std::u16string_view::npos &&
           text.find(u'\n') == std::u16string_view::npos &&
           text.find(u'\0') == std::u16string_view::npos && text.size() <= 1022;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    WordEntries entries;
    DecodeWordFile(bytes, entries, SystemAnsiToUtf16);
    Check(CountWordEntries(bytes, SystemAnsiToUtf16) == entries.size());
    for (const WordEntry& e : entries) {
        Check(!e.first.empty() && !e.second.empty());
        Check(IsTrimmed(e.first) && IsTrimmed(e.second) && IsTrimmed(e.hint));
        Check(IsClean(e.first) && IsClean(e.second) && IsClean(e.hint));
        Check(JudgeAnswer(e.first, e.second, {}) == JudgeAnswer(e.second, e.first, {}));
    }
    return 0;
}
