#pragma once
#include <string>
#include <vector>

// One accepted line of a word file. All three fields are stored trimmed; first and second are
// never empty, hint may be.
struct WordEntry {
    std::u16string first;
    std::u16string second;
    std::u16string hint;

    friend bool operator==(const WordEntry&, const WordEntry&) = default;
};

using WordEntries = std::vector<WordEntry>;
