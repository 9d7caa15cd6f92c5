#include "data/word_file.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

namespace {

// The read buffer of a line holds 1023 characters with its terminating zero, so a longer line
// arrives as several pieces, each a line of its own.
constexpr size_t kPieceUnits = 1022;

// Without a mark, the encoding is decided line by line.
enum class Encoding { ByLine, Utf8, Utf16Le, Utf16Be };

// ---------------------------------------------------------------------------------------------
// The line grammar, once for text known to be ASCII (bytes straight from the file, the common
// case, with no conversion at all) and once for UTF-16. Both go through the same template, so
// counting and loading cannot disagree about which lines they accept.

inline bool IsWordSpace(char c) noexcept {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

inline bool IsWordSpace(char16_t c) noexcept {
    if (c <= 0xFF) return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0xA0;
    // Above Latin-1: the characters that Unicode classifies as white space.
    return c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

template <class Char>
std::basic_string_view<Char> Trim(std::basic_string_view<Char> text) noexcept {
    size_t begin = 0, end = text.size();
    while (begin < end && IsWordSpace(text[begin])) ++begin;
    while (end > begin && IsWordSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

template <class Char>
struct Fields {
    std::basic_string_view<Char> first, second, hint;
};

// The backslash is the only separator: there is no escape, so no field can hold one. A line
// without a backslash has no second field and is rejected; text after a third is ignored.
template <class Char>
bool SplitWordLine(std::basic_string_view<Char> line, Fields<Char>& fields) noexcept {
    constexpr Char kSeparator = static_cast<Char>('\\');
    using View = std::basic_string_view<Char>;
    const size_t firstEnd = line.find(kSeparator);
    if (firstEnd == View::npos) return false;
    fields.first = Trim(line.substr(0, firstEnd));
    if (fields.first.empty()) return false;
    View rest = line.substr(firstEnd + 1);
    const size_t secondEnd = rest.find(kSeparator);
    fields.second = Trim(rest.substr(0, secondEnd));
    if (fields.second.empty()) return false;
    if (secondEnd == View::npos) {
        fields.hint = {};
    } else {
        rest = rest.substr(secondEnd + 1);
        fields.hint = Trim(rest.substr(0, rest.find(kSeparator)));
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Decoding.

// The length of the well-formed UTF-8 character at p (no overlong forms, no surrogates,
// nothing above U+10FFFF), or 0 when the bytes there do not form one.
size_t Utf8CharLength(const unsigned char* p, const unsigned char* end) noexcept {
    const unsigned lead = p[0];
    const size_t available = static_cast<size_t>(end - p);
    auto follows = [&](size_t i) { return (p[i] & 0xC0) == 0x80; };
    if (lead < 0x80) return 1;
    if (lead < 0xC2) return 0;
    if (lead < 0xE0) return available >= 2 && follows(1) ? 2 : 0;
    if (lead < 0xF0) {
        if (available < 3) return 0;
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        return p[1] >= low && p[1] <= high && follows(2) ? 3 : 0;
    }
    if (lead < 0xF5) {
        if (available < 4) return 0;
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        return p[1] >= low && p[1] <= high && follows(2) && follows(3) ? 4 : 0;
    }
    return 0;
}

// A line without a mark is taken for UTF-8 only when all of it is well-formed UTF-8 and some
// of it is not ASCII: ANSI lines with accented letters are practically never valid UTF-8, so
// ANSI files read as they always did, and a UTF-8 list that got one line in the ANSI code page
// (two files joined into one) keeps its other lines.
bool LooksLikeUtf8(const unsigned char* p, const unsigned char* end) noexcept {
    bool multiByte = false;
    while (p < end) {
        if (end - p >= 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                p += 8;
                continue;
            }
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const size_t length = Utf8CharLength(p, end);
        if (length == 0) return false;
        multiByte = true;
        p += length;
    }
    return multiByte;
}

// The same for one line. An ANSI line gives itself away at its first non-ASCII byte (an
// accented letter before a plain one starts no UTF-8 character), found eight bytes at a time:
// every accented line of an ANSI file is asked, and the answer must cost next to nothing.
inline bool LineLooksLikeUtf8(const unsigned char* p, const unsigned char* end) noexcept {
    if constexpr (std::endian::native == std::endian::little) {
        for (; end - p >= 8; p += 8) {
            uint64_t word;
            std::memcpy(&word, p, 8);
            if (const uint64_t highs = word & 0x8080808080808080ull) {
                p += std::countr_zero(highs) / 8;
                break;
            }
        }
    }
    while (p < end && *p < 0x80) ++p;
    return p < end && Utf8CharLength(p, end) != 0 && LooksLikeUtf8(p, end);
}

Encoding DetectEncoding(std::string_view bytes, size_t& start) noexcept {
    static constexpr std::pair<std::string_view, Encoding> kMarks[] = {
        {"\xFF\xFE", Encoding::Utf16Le},
        {"\xFE\xFF", Encoding::Utf16Be},
        {"\xEF\xBB\xBF", Encoding::Utf8},
    };
    for (const auto& [mark, encoding] : kMarks) {
        if (bytes.starts_with(mark)) {
            start = mark.size();
            return encoding;
        }
    }
    start = 0;
    return Encoding::ByLine;
}

// A UTF-8 piece cut at its length limit ends before a character that the cut would split.
const char* Utf8PieceEnd(const char* cut, const char* fileEnd) noexcept {
    const auto* c = reinterpret_cast<const unsigned char*>(cut);
    const auto* end = reinterpret_cast<const unsigned char*>(fileEnd);
    if ((c[0] & 0xC0) != 0x80) return cut;
    for (size_t back = 1; back <= 3; ++back) {
        if ((c[-static_cast<ptrdiff_t>(back)] & 0xC0) == 0x80) continue;
        // Malformed bytes are single replacement characters: nothing to keep together.
        return Utf8CharLength(c - back, end) > back ? cut - back : cut;
    }
    return cut;
}

inline bool IsHighSurrogate(char16_t c) noexcept {
    return c >= 0xD800 && c <= 0xDBFF;
}

inline bool IsLowSurrogate(char16_t c) noexcept {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The marks that decomposed text (as macOS saves it) puts after a letter: the blocks of
// combining marks, the kana sound marks, and the Hangul vowels and final consonants that join
// an initial consonant into a syllable.
inline bool IsCombiningMark(char16_t c) noexcept {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1160 && c <= 0x11FF) ||
           (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
           (c >= 0x20D0 && c <= 0x20FF) || c == 0x3099 || c == 0x309A ||
           (c >= 0xFE20 && c <= 0xFE2F);
}

// The length of a UTF-16 piece cut at its limit, given the unit after the cut: it ends before
// a surrogate pair the cut would split, and before a letter whose combining marks would
// otherwise begin the next piece alone. A letter whose marks fill the piece is cut where it
// stands, so that every piece holds something.
size_t Utf16PieceLength(const char16_t* units, size_t length, char16_t next) noexcept {
    if (IsHighSurrogate(units[length - 1]) && IsLowSurrogate(next)) return length - 1;
    if (!IsCombiningMark(next)) return length;
    size_t start = length;
    while (start > 0 && IsCombiningMark(units[start - 1])) --start;
    if (start == 0) return length;
    --start;  // the letter the marks belong to
    if (start > 0 && IsLowSurrogate(units[start]) && IsHighSurrogate(units[start - 1])) --start;
    return start > 0 ? start : length;
}

// Malformed bytes (possible only in a file with the UTF-8 mark) become U+FFFD, one each.
size_t DecodeUtf8(const unsigned char* p, size_t size, char16_t* out) noexcept {
    const unsigned char* end = p + size;
    char16_t* to = out;
    while (p < end) {
        const size_t length = Utf8CharLength(p, end);
        char32_t c = 0xFFFD;
        if (length != 0) {
            // The lead keeps the bits its length marker leaves; each follower adds six.
            c = length == 1 ? p[0] : p[0] & (0x7Fu >> length);
            for (size_t i = 1; i < length; ++i) c = (c << 6) | (p[i] & 0x3Fu);
        }
        p += length == 0 ? 1 : length;
        if (c >= 0x10000) {
            *to++ = static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            *to++ = static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            *to++ = static_cast<char16_t>(c);
        }
    }
    return static_cast<size_t>(to - out);
}

// True when the piece is ASCII without a zero byte, the answer for nearly every line of a real
// file. Eight bytes at a time: (w - 0x01..01) & ~w has some high bit set if and only if a byte
// of w is zero.
inline bool ScanPiece(const char* p, size_t size) noexcept {
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    uint64_t any = 0, zero = 0;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t w;
        std::memcpy(&w, p + i, 8);
        any |= w;
        zero |= (w - kOnes) & ~w;
    }
    for (; i < size; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        any |= b;
        zero |= b == 0 ? 0x80u : 0u;
    }
    return ((any | zero) & kHighs) == 0;
}

// Splits the bytes into pieces and hands each piece's text (up to its first zero character)
// to handle: as a std::string_view when the text is ASCII, else as a std::u16string_view.
class PieceReader {
public:
    explicit PieceReader(AnsiToUtf16Fn ansiToUtf16) : ansiToUtf16_(ansiToUtf16) {}

    template <class Handler>
    void ForEachPiece(std::string_view bytes, Handler&& handle) {
        size_t start = 0;
        const Encoding encoding = DetectEncoding(bytes, start);
        if (encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be)
            Utf16Pieces(bytes.substr(start), encoding == Encoding::Utf16Le, handle);
        else
            BytePieces(bytes.substr(start), encoding == Encoding::Utf8, handle);
    }

private:
    template <class Handler>
    void BytePieces(std::string_view bytes, bool marked, Handler& handle) {
        const char* p = bytes.data();
        const char* const end = p + bytes.size();
        // Decided when a line's first piece needs it (it holds a non-ASCII byte, or the line
        // goes on past it) and kept for the line's later pieces.
        enum class Line { Undecided, Ansi, Utf8 } line = marked ? Line::Utf8 : Line::Undecided;
        // The piece's line feed, when it has one, ends the line too: an undecided line is
        // only ever asked about at its first piece.
        auto lineIsUtf8 = [&line, end](const char* lineStart, const char* lineFeed) {
            if (line == Line::Undecided) {
                if (!lineFeed) {
                    lineFeed = static_cast<const char*>(
                        std::memchr(lineStart, '\n', static_cast<size_t>(end - lineStart)));
                }
                const auto* b = reinterpret_cast<const unsigned char*>(lineStart);
                const auto* e = reinterpret_cast<const unsigned char*>(lineFeed ? lineFeed : end);
                line = LineLooksLikeUtf8(b, e) ? Line::Utf8 : Line::Ansi;
            }
            return line == Line::Utf8;
        };
        while (p < end) {
            const size_t available = std::min<size_t>(static_cast<size_t>(end - p), kPieceUnits);
            const auto* lineFeed = static_cast<const char*>(std::memchr(p, '\n', available));
            const char* pieceEnd = lineFeed ? lineFeed + 1 : p + available;
            if (!lineFeed && pieceEnd < end && lineIsUtf8(p, nullptr))
                pieceEnd = Utf8PieceEnd(pieceEnd, end);
            size_t length = static_cast<size_t>(pieceEnd - p);
            bool ascii = ScanPiece(p, length);
            if (!ascii) {
                if (const void* zero = std::memchr(p, 0, length)) {
                    length = static_cast<size_t>(static_cast<const char*>(zero) - p);
                    ascii = ScanPiece(p, length);  // the text before the zero
                }
            }
            if (ascii) {
                // ASCII reads the same in every ANSI code page and in UTF-8.
                handle(std::string_view(p, length));
            } else if (lineIsUtf8(p, lineFeed)) {
                const size_t units =
                    DecodeUtf8(reinterpret_cast<const unsigned char*>(p), length, units_);
                handle(std::u16string_view(units_, units));
            } else {
                ansiToUtf16_(std::string_view(p, length), converted_);
                handle(std::u16string_view(converted_));
            }
            p = pieceEnd;
            if (lineFeed && !marked) line = Line::Undecided;
        }
    }

    // A trailing odd byte is no unit and is ignored.
    template <class Handler>
    void Utf16Pieces(std::string_view bytes, bool littleEndian, Handler& handle) {
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
        const size_t total = bytes.size() / 2;
        const unsigned low = littleEndian ? 0 : 1, high = 1 - low;
        auto unitAt = [&](size_t i) {
            return static_cast<char16_t>(b[2 * i + low] | (b[2 * i + high] << 8));
        };
        size_t at = 0;
        while (at < total) {
            const size_t available = std::min(total - at, kPieceUnits);
            size_t taken = 0;
            while (taken < available) {
                const char16_t unit = unitAt(at + taken);
                units_[taken++] = unit;
                if (unit == u'\n') break;
            }
            if (at + taken < total && units_[taken - 1] != u'\n')
                taken = Utf16PieceLength(units_, taken, unitAt(at + taken));
            const char16_t* zero = std::find(units_, units_ + taken, u'\0');
            handle(std::u16string_view(units_, static_cast<size_t>(zero - units_)));
            at += taken;
        }
    }

    AnsiToUtf16Fn ansiToUtf16_;
    char16_t units_[kPieceUnits];
    std::u16string converted_;
};

}  // namespace

void ParseWordLine(std::u16string_view line, WordEntries& entries) {
    Fields<char16_t> fields;
    if (SplitWordLine(line, fields)) entries.Append(fields.first, fields.second, fields.hint);
}

void DecodeWordFile(std::string_view bytes, WordEntries& entries, AnsiToUtf16Fn ansiToUtf16) {
    PieceReader reader(ansiToUtf16);
    char16_t wide[kPieceUnits];
    auto widen = [&wide](std::string_view text, size_t at) {
        std::copy(text.begin(), text.end(), wide + at);
        return std::u16string_view(wide + at, text.size());
    };
    reader.ForEachPiece(bytes, [&](auto text) {
        if constexpr (std::is_same_v<decltype(text), std::string_view>) {
            Fields<char> fields;
            if (!SplitWordLine(text, fields)) return;
            const auto first = widen(fields.first, 0);
            const auto second = widen(fields.second, first.size());
            const auto hint = widen(fields.hint, first.size() + second.size());
            entries.Append(first, second, hint);
        } else {
            ParseWordLine(text, entries);
        }
    });
}

size_t CountWordEntries(std::string_view bytes, AnsiToUtf16Fn ansiToUtf16) {
    PieceReader reader(ansiToUtf16);
    size_t count = 0;
    reader.ForEachPiece(bytes, [&count](auto text) {
        Fields<typename decltype(text)::value_type> fields;
        if (SplitWordLine(text, fields)) ++count;
    });
    return count;
}

void LoadWordFile(const std::u16string& path, WordEntries& entries, FileSystem& files,
                  AnsiToUtf16Fn ansiToUtf16) {
    std::string bytes;
    if (files.ReadFileBytes(path, bytes)) DecodeWordFile(bytes, entries, ansiToUtf16);
}
