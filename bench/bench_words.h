#pragma once
// Generated word files for the benchmarks: the same bytes on every run.
#include <cstdint>
#include <filesystem>
#include <string>

namespace bench {

// A fixed linear congruential generator: the same file on every run.
class Words {
public:
    std::string Word() {
        static constexpr char kLetters[] = "etaoinshrdlucmfwypvbgkjqxz";
        const size_t length = 4 + Next() % 7;
        std::string word;
        for (size_t i = 0; i < length; ++i) word += kLetters[Next() % 26];
        if (Next() % 10 == 0) word[Next() % length] = '\xE9';  // e acute in Windows-1252
        return word;
    }
    std::string Line() {
        std::string line = Word() + "\\" + Word();
        if (Next() % 3 != 0) line += "\\" + Word();
        return line + "\r\n";
    }

private:
    uint32_t Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    uint32_t state_ = 12345;
};

// Windows-style path of a native one, as the core expects it.
inline std::u16string CorePath(const std::filesystem::path& path) {
    std::u16string out;
    for (const char c : path.string()) out += c == '/' ? u'\\' : static_cast<char16_t>(c);
    return out;
}

}  // namespace bench
