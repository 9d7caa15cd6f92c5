// Native stand-ins for the system seams, so that the core runs, is tested, fuzzed and
// benchmarked on Linux. Paths are written as on Windows, with backslashes; the folder search
// matches its wildcards without regard to case as Windows does, and the ANSI code page is
// Windows-1252, the one the Windows test runs use.
#include "data/platform.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>

namespace {

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Backslashes become slashes; a lone surrogate becomes U+FFFD.
std::string NativePath(std::u16string_view path) {
    std::string out;
    out.reserve(path.size());
    for (size_t i = 0; i < path.size(); ++i) {
        char32_t c = path[i];
        if (c == u'\\') {
            c = u'/';
        } else if (c >= 0xD800 && c <= 0xDBFF && i + 1 < path.size() && path[i + 1] >= 0xDC00 &&
                   path[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (path[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(c, out);
    }
    return out;
}

// File names on Linux are bytes; those that are not UTF-8 get U+FFFD for each stray byte.
std::u16string FromNativeName(std::string_view name) {
    std::u16string out;
    size_t i = 0;
    while (i < name.size()) {
        const auto b = static_cast<unsigned char>(name[i]);
        char32_t c = 0xFFFD;
        size_t length = 1;
        if (b < 0x80) {
            c = b;
        } else {
            const size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
            if (need != 0 && i + need <= name.size()) {
                char32_t v = b & (0x3F >> (need - 1));
                bool ok = true;
                for (size_t k = 1; k < need && ok; ++k) {
                    const auto t = static_cast<unsigned char>(name[i + k]);
                    ok = (t & 0xC0) == 0x80;
                    v = (v << 6) | (t & 0x3F);
                }
                const char32_t least = need == 2 ? 0x80 : need == 3 ? 0x800 : 0x10000;
                if (ok && v >= least && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF)) {
                    c = v;
                    length = need;
                }
            }
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += length;
    }
    return out;
}

char16_t FoldCase(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    // Latin-1 small letters, except the division sign and y with diaeresis.
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
    return c;
}

// The DOS wildcards of a search pattern: '*' any run of characters, '?' any one character.
bool WildcardMatch(std::u16string_view pattern, std::u16string_view name) {
    size_t p = 0, n = 0, starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || FoldCase(pattern[p]) == FoldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

class PosixFileSystem final : public FileSystem {
public:
    bool ReadFileBytes(const std::u16string& path, std::string& bytes) override {
        bytes.clear();
        std::FILE* file = std::fopen(NativePath(path).c_str(), "rb");
        if (!file) return false;
        try {
            std::error_code error;
            const auto size = std::filesystem::file_size(NativePath(path), error);
            bytes.resize((error ? 0 : static_cast<size_t>(size)) + 1);
            size_t used = 0;
            for (;;) {
                if (used == bytes.size()) bytes.resize(bytes.size() * 2);
                const size_t got = std::fread(bytes.data() + used, 1, bytes.size() - used, file);
                if (got == 0) break;
                used += got;
            }
            bytes.resize(used);
        } catch (const std::bad_alloc&) {
            bytes.clear();
            bytes.shrink_to_fit();
            std::fclose(file);
            return false;
        }
        std::fclose(file);
        return true;
    }

    std::vector<std::u16string> FindFiles(const std::u16string& pattern) override {
        std::vector<std::u16string> names;
        const size_t slash = pattern.find_last_of(u'\\');
        const std::u16string_view folder = slash == std::u16string::npos
                                               ? std::u16string_view(u".")
                                               : std::u16string_view(pattern).substr(0, slash + 1);
        // Without a backslash, npos + 1 is 0: the whole pattern.
        const std::u16string_view wildcard = std::u16string_view(pattern).substr(slash + 1);
        std::error_code error;
        std::filesystem::directory_iterator it(NativePath(folder), error);
        if (error) return names;
        for (const auto& entry : it) {
            std::error_code statusError;
            if (entry.is_directory(statusError)) continue;
            std::u16string name = FromNativeName(entry.path().filename().native());
            if (WildcardMatch(wildcard, name)) names.push_back(std::move(name));
        }
        return names;
    }
};

// Windows-1252 bytes 0x80 to 0x9F; the five unassigned ones map to the C1 controls of the same
// value, as Windows maps them.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

FileSystem& SystemFileSystem() {
    static PosixFileSystem system;
    return system;
}

void SystemAnsiToUtf16(std::string_view bytes, std::u16string& out) {
    static constexpr auto kTable = [] {
        std::array<char16_t, 256> table{};
        for (unsigned b = 0; b < 256; ++b)
            table[b] = b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : static_cast<char16_t>(b);
        return table;
    }();
    out.resize(bytes.size());
    char16_t* to = out.data();
    for (const char ch : bytes) *to++ = kTable[static_cast<unsigned char>(ch)];
}

std::u16string FileNameKey(std::u16string_view name) {
    std::u16string key(name);
    for (char16_t& c : key) c = FoldCase(c);
    return key;
}
