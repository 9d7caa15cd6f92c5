#include "data/word_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/memory_file_system.h"

namespace {

struct Entry {
    std::u16string first, second, hint;
    friend bool operator==(const Entry&, const Entry&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Entry& e) {
        auto narrow = [](const std::u16string& s) {
            std::string n;
            for (char16_t c : s) n += c < 0x80 ? static_cast<char>(c) : '?';
            return n;
        };
        return out << '{' << narrow(e.first) << '|' << narrow(e.second) << '|' << narrow(e.hint)
                   << '}';
    }
};
using Entries = std::vector<Entry>;

Entries Copy(const WordEntries& entries) {
    Entries out;
    for (const WordEntry& e : entries)
        out.push_back({std::u16string(e.first), std::u16string(e.second), std::u16string(e.hint)});
    return out;
}

// A code page unlike any real one, so that a test sees whether a byte went through the
// conversion: ASCII stays, every other byte b becomes U+0400 + b.
void FakeAnsi(std::string_view bytes, std::u16string& out) {
    out.clear();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += b < 0x80 ? static_cast<char16_t>(b) : static_cast<char16_t>(0x400 + b);
    }
}

// Loads bytes and checks on the way that counting agrees with loading.
Entries Decode(const std::string& bytes) {
    WordEntries entries;
    DecodeWordFile(bytes, entries, FakeAnsi);
    EXPECT_EQ(CountWordEntries(bytes, FakeAnsi), entries.size());
    return Copy(entries);
}

Entries Parse(std::u16string_view line) {
    WordEntries entries;
    ParseWordLine(line, entries);
    return Copy(entries);
}

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::string Utf16Be(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) {
        bytes += static_cast<char>(c >> 8);
        bytes += static_cast<char>(c & 0xFF);
    }
    return bytes;
}

const std::string kLe = "\xFF\xFE", kBe = "\xFE\xFF", kUtf8 = "\xEF\xBB\xBF";

// ---------------------------------------------------------------------------------------------
// The line grammar.

TEST(WordEntries, AMovedFromSequenceSharesNoStorageWithItsSuccessor) {
    WordEntries source;
    source.Append(u"one", u"eins", u"");
    WordEntries successor(std::move(source));
    source.Append(u"aaaa", u"aaaa", u"");  // both write into free room of their own
    successor.Append(u"bbbb", u"bbbb", u"");
    ASSERT_EQ(source.size(), 1u);
    EXPECT_EQ(source[0].first, u"aaaa");
    ASSERT_EQ(successor.size(), 2u);
    EXPECT_EQ(successor[0].second, u"eins");
    EXPECT_EQ(successor[1].first, u"bbbb");
}

TEST(ParseWordLine, AcceptsAndSplitsFields) {
    struct Row {
        std::u16string line;
        Entry entry;
        const char* why;
    };
    const Row rows[] = {
        {u"dog\\pes\n", {u"dog", u"pes", u""}, "line feed is trimmed"},
        {u"dog\\pes\r\n", {u"dog", u"pes", u""}, "CR LF is trimmed"},
        {u"dog\\pes", {u"dog", u"pes", u""}, "last line without a line feed"},
        {u"dog\\pes\\animal\n", {u"dog", u"pes", u"animal"}, "hint"},
        {u"dog\\pes\\animal\\x\\y", {u"dog", u"pes", u"animal"}, "text after a third backslash"},
        {u"dog\\pes\\\\note", {u"dog", u"pes", u""}, "empty hint between two backslashes"},
        {u"dog\\pes\\  \r\n", {u"dog", u"pes", u""}, "blank hint"},
        {u" \t\u00A0big dog\u00A0\t \\  pes \\\u3000animal\u2003\r\n",
         {u"big dog", u"pes", u"animal"},
         "tabs, no-break and wide spaces trimmed, inner kept"},
        {u"\v\fx\f\v\\y", {u"x", u"y", u""}, "all of U+0009..U+000D are white space"},
        {u"\u1680\u2000x\u200A\u2028\\\u2029y\u202F\\\u205Fh\u3000",
         {u"x", u"y", u"h"},
         "the white space above Latin-1"},
        {u"\u0085x\u0085\\y", {u"\u0085x\u0085", u"y", u""}, "U+0085 is not white space"},
        {u"dog\rcat\\pes", {u"dog\rcat", u"pes", u""}, "a lone CR inside a field stays"},
        {u"\u00E9t\u00E9\\summer\\\u65E5", {u"\u00E9t\u00E9", u"summer", u"\u65E5"}, "non-ASCII"},
    };
    for (const Row& r : rows) EXPECT_EQ(Parse(r.line), Entries{r.entry}) << r.why;
}

TEST(ParseWordLine, RejectsLinesWithoutBothSides) {
    const char16_t* rows[] = {
        u"",        u"\r\n",      u"  \t\n",      u"dog\n",     u"\\pes\n",       u"  \\pes\n",
        u"dog\\\n", u"dog\\  \n", u"dog\\\\hint", u"\u3000\\x", u"x\\\u00A0\r\n", u"\\\\\\",
    };
    for (const char16_t* line : rows) EXPECT_TRUE(Parse(line).empty()) << "row " << (&line - rows);
}

// ---------------------------------------------------------------------------------------------
// Encodings.

TEST(DecodeWordFile, ShortAndEmptyFilesYieldNothing) {
    const std::string rows[] = {"",    "a",        "\\",      "ab",       kLe,    kBe,
                                kUtf8, "\xEF\xBB", kLe + "a", kBe + "\\", "\xFF", "\n\n\r\n"};
    for (const std::string& bytes : rows) EXPECT_TRUE(Decode(bytes).empty()) << bytes.size();
}

TEST(DecodeWordFile, ChoosesEncodingByMarkOrContent) {
    struct Row {
        std::string bytes;
        Entries entries;
        const char* why;
    };
    const Row rows[] = {
        {"\tdog\\pes\r\n", {{u"dog", u"pes", u""}}, "ASCII"},
        {"dog\\pes\n12345678\xE9\\x",
         {{u"dog", u"pes", u""}, {u"12345678\u04E9", u"x", u""}},
         "ANSI after eight ASCII bytes"},
        {kUtf8 + "ch\xC3\xA2teau\\castle\n",
         {{u"ch\u00E2teau", u"castle", u""}},
         "UTF-8 mark, not part of the text"},
        {"ch\xC3\xA2teau\\castle\n\xF0\x9F\x90\x95\\dog",
         {{u"ch\u00E2teau", u"castle", u""}, {u"\U0001F415", u"dog", u""}},
         "valid UTF-8 without a mark, four-byte character as a surrogate pair"},
        {"caf\xE9\\cafe\n", {{u"caf\u04E9", u"cafe", u""}}, "not UTF-8: ANSI"},
        {"ch\xC3\xA2teau\\castle\ncaf\xE9\\x\n\xC3\xA9t\xC3\xA9\\summer",
         {{u"ch\u00E2teau", u"castle", u""},
          {u"caf\u04E9", u"x", u""},
          {u"\u00E9t\u00E9", u"summer", u""}},
         "one ANSI line among UTF-8 ones: each line by itself"},
        {"\xC3\xA9\\caf\xE9\n",
         {{u"\u04C3\u04A9", u"caf\u04E9", u""}},
         "a line is one or the other"},
        {"\xED\xA0\x80x\\y", {{u"\u04ED\u04A0\u0480x", u"y", u""}}, "encoded surrogate: ANSI"},
        {"\xC0\xAFx\\y", {{u"\u04C0\u04AFx", u"y", u""}}, "overlong form: ANSI"},
        {"\xF4\x90\x80\x80x\\y", {{u"\u04F4\u0490\u0480\u0480x", u"y", u""}}, "above U+10FFFF"},
        {"\xF5\x80\x80\x80x\\y", {{u"\u04F5\u0480\u0480\u0480x", u"y", u""}}, "0xF5: ANSI"},
        {"\x80uro\\euro", {{u"\u0480uro", u"euro", u""}}, "a lone 0x80, the euro sign: ANSI"},
        {"\xC3\xA9\\\x80", {{u"\u04C3\u04A9", u"\u0480", u""}}, "0x80 after UTF-8: ANSI"},
        {"a\xFE\\b", {{u"a\u04FE", u"b", u""}}, "0xFE second without 0xFF first: ANSI"},
        {"a\xFF\\b", {{u"a\u04FF", u"b", u""}}, "0xFF second without 0xFE first: ANSI"},
        {"\xE0\x9F\xBFx\\y", {{u"\u04E0\u049F\u04BFx", u"y", u""}}, "overlong, three bytes"},
        {"\xF0\x8F\xBF\xBFx\\y", {{u"\u04F0\u048F\u04BF\u04BFx", u"y", u""}}, "overlong, four"},
        {"x\\\xE6\x97\xA5", {{u"x", u"\u65E5", u""}}, "a three-byte character at the very end"},
        {"\xEF\xBBx\\y", {{u"\u04EF\u04BBx", u"y", u""}}, "two bytes of the UTF-8 mark: ANSI"},
        {"x\\y\xC3", {{u"x", u"y\u04C3", u""}}, "lead byte cut off by the end: ANSI"},
        {"x\\y\xE6", {{u"x", u"y\u04E6", u""}}, "three-byte lead cut off: ANSI"},
        {"x\\y\xF0", {{u"x", u"y\u04F0", u""}}, "four-byte lead cut off: ANSI"},
        {"\xF0x\\y", {{u"\u04F0x", u"y", u""}}, "four-byte lead before ASCII: ANSI"},
        {"\xC2\x80\xE0\xA0\x80\xED\x9F\xBF\\\xC3\xA9",
         {{u"\u0080\u0800\uD7FF", u"\u00E9", u""}},
         "U+0800 and U+D7FF; a two-byte character at the very end"},
        {"\xF0\x90\x80\x80\xEF\xBF\xBD\\\xF4\x8F\xBF\xBF",
         {{u"\U00010000\uFFFD", u"\U0010FFFF", u""}},
         "U+10000, and U+10FFFF at the very end"},
        {kUtf8 + "a\xFF"
                 "b\\c\xC3\n",
         {{u"a\uFFFDb", u"c\uFFFD", u""}},
         "UTF-8 mark with malformed bytes: replacement characters"},
        {kLe + Utf16Le(u"dog\\pes\\\u65E5\r\n"), {{u"dog", u"pes", u"\u65E5"}}, "UTF-16LE"},
        {kBe + Utf16Be(u"dog\\pes\\\u65E5\r\n"), {{u"dog", u"pes", u"\u65E5"}}, "UTF-16BE"},
        {kLe + Utf16Le(u"a\\b\n") + "c", {{u"a", u"b", u""}}, "odd trailing byte ignored"},
        {kLe + Utf16Le(u"\xD800\\\xDC00x\n"),
         {{u"\xD800", u"\xDC00x", u""}},
         "lone surrogates kept as they are"},
        {Utf16Le(u"dog\\pes\n"), {}, "UTF-16 without its mark: zero bytes cut every piece"},
        {kLe + Utf16Le(u"\u0A5C\\x\n"),
         {{u"\u0A5C", u"x", u""}},
         "a unit whose low byte is a backslash is no backslash"},
        {kLe + Utf16Le(u"\u0A0A\u0A0A\\x\n"),
         {{u"\u0A0A\u0A0A", u"x", u""}},
         "nor does such a unit end a line"},
    };
    for (const Row& r : rows) EXPECT_EQ(Decode(r.bytes), r.entries) << r.why;
}

// ---------------------------------------------------------------------------------------------
// Pieces: 1022 units at most, a zero ends a piece's text, the line feed belongs to the line.

TEST(DecodeWordFile, LongLinesArriveInPiecesOf1022Units) {
    // 1500 characters: a piece of 1022 and one of the remaining 478 with the line feed.
    const std::u16string b1020(1020, u'b'), d476(476, u'd');
    const std::u16string line = u"a\\" + b1020 + u"c\\" + d476 + u"\n";
    const Entries expected = {{u"a", b1020, u""}, {u"c", d476, u""}};
    EXPECT_EQ(Decode(std::string(line.begin(), line.end())), expected) << "ANSI";
    EXPECT_EQ(Decode(kLe + Utf16Le(line)), expected) << "UTF-16LE";
    EXPECT_EQ(Decode(kBe + Utf16Be(line)), expected) << "UTF-16BE";
    EXPECT_EQ(Decode(kUtf8 + std::string(line.begin(), line.end())), expected) << "UTF-8";

    // A line feed as the 1022nd unit still belongs to its piece: no empty piece follows.
    const std::string exact = "a\\" + std::string(1019, 'b') + "\nc\\d";
    EXPECT_EQ(Decode(exact), (Entries{{u"a", std::u16string(1019, u'b'), u""}, {u"c", u"d", u""}}));
}

TEST(DecodeWordFile, PieceEndsBeforeACharacterItWouldSplit) {
    // The two bytes of e-acute would be bytes 1022 and 1023: the piece ends after 1021.
    const std::string line = "a\\" + std::string(1019, 'b') + "\xC3\xA9\\x\n";
    const Entries expected = {{u"a", std::u16string(1019, u'b'), u""}, {u"\u00E9", u"x", u""}};
    EXPECT_EQ(Decode(line), expected) << "without the mark";
    EXPECT_EQ(Decode(kUtf8 + line), expected) << "with the mark";
    EXPECT_EQ(Decode("caf\xE9\\x\n" + line),
              (Entries{{u"caf\u04E9", u"x", u""}, expected[0], expected[1]}))
        << "after an ANSI line";
    // A stray continuation byte at the limit keeps nothing together.
    EXPECT_EQ(Decode(kUtf8 + "a\\" + std::string(1020, 'b') + "\x80\\x"),
              (Entries{{u"a", std::u16string(1020, u'b'), u""}, {u"\uFFFD", u"x", u""}}));
    // An ANSI piece is cut at the limit whatever the bytes there would mean in UTF-8.
    EXPECT_EQ(Decode("\xE9" + line.substr(1)),
              (Entries{{u"\u04E9", std::u16string(1019, u'b') + u"\u04C3", u""},
                       {u"\u04A9", u"x", u""}}));
    // Three- and four-byte characters straddling the limit in every position.
    for (size_t pad = 1017; pad <= 1021; ++pad) {
        const std::string text = "a\\" + std::string(pad, 'b') + "\xF0\x9F\x90\x95\xE6\x97\xA5\\x";
        const Entries got = Decode(text);
        ASSERT_EQ(got.size(), 2u) << pad;
        EXPECT_EQ(got[0].second + got[1].first, std::u16string(pad, u'b') + u"\U0001F415\u65E5")
            << pad;
    }
    // In UTF-16 a surrogate pair, or a letter and its combining marks, stays in one piece.
    for (size_t pad = 1016; pad <= 1020; ++pad) {
        const std::u16string text = std::u16string(pad, u'b') + u"\U0001F415e\u0301\u0323";
        const Entries got = Decode(kLe + Utf16Le(u"a\\" + text + u"\\x"));
        ASSERT_EQ(got.size(), 2u) << pad;
        EXPECT_EQ(got[0].second + got[1].first, text) << pad;
        const std::u16string_view cut = std::u16string_view(got[0].second).substr(pad);
        EXPECT_TRUE(cut.empty() || cut == u"\U0001F415") << pad;
    }
}

TEST(DecodeWordFile, ZeroEndsThePieceText) {
    struct Row {
        std::string bytes;
        Entries entries;
        const char* why;
    };
    const Row rows[] = {
        {std::string("a\\b\0c\\d\nx\\y\n", 12), {{u"a", u"b", u""}, {u"x", u"y", u""}}, "ANSI"},
        {std::string("\0a\\b\nx\\y", 8), {{u"x", u"y", u""}}, "zero first"},
        {std::string("\xE9\\b\0x", 5), {{u"\u04E9", u"b", u""}}, "ANSI first byte, then a zero"},
        {std::string("a\0\\b\xE9\n", 6), {}, "zero before the separator, ANSI non-ASCII"},
        {kLe + Utf16Le(std::u16string(u"a\\b\0c\\d\nx\\y", 11)),
         {{u"a", u"b", u""}, {u"x", u"y", u""}},
         "UTF-16"},
        {kUtf8 + std::string("\xC3\xA9\\b\0\\c\nx\\y", 11),
         {{u"\u00E9", u"b", u""}, {u"x", u"y", u""}},
         "UTF-8"},
    };
    for (const Row& r : rows) EXPECT_EQ(Decode(r.bytes), r.entries) << r.why;
}

TEST(DecodeWordFile, AnsiGoesThroughTheCodePageOnlyWhenNotAscii) {
    // Trimming looks at the converted text: in this code page 0xA0 is no no-break space.
    EXPECT_EQ(Decode("\xA0x\xA0\\y\xE9\n"), (Entries{{u"\u04A0x\u04A0", u"y\u04E9", u""}}));
}

// ---------------------------------------------------------------------------------------------
// Bad input never crashes, hangs or makes counting and loading disagree.

TEST(DecodeWordFile, SurvivesHugeAndHostileInput) {
    std::string tenMegabyteLine;
    while (tenMegabyteLine.size() < 10'000'000) tenMegabyteLine += "word\\other\\";
    const std::string rows[] = {
        tenMegabyteLine,
        kLe + tenMegabyteLine,
        kUtf8 + tenMegabyteLine,
        std::string(100'000, '\0'),
        kLe + std::string(100'001, '\\'),
        kUtf8 + std::string(5000, '\xC3'),
        std::string(5000, '\xE2') + "\n\\\n",
        kBe + Utf16Be(std::u16string(3000, u'\xDC00') + u"\\x"),
    };
    for (const std::string& bytes : rows) {
        WordEntries entries;
        DecodeWordFile(bytes, entries, FakeAnsi);
        EXPECT_EQ(CountWordEntries(bytes, FakeAnsi), entries.size());
    }
    // The long line's 9785 pieces each yield an entry unless a separator opens them, which
    // happens to 2 in 11.
    EXPECT_GT(CountWordEntries(tenMegabyteLine, FakeAnsi), 7500u);
}

// ---------------------------------------------------------------------------------------------
// LoadWordFile reads through the file system.

TEST(LoadWordFile, ReadsThePathItIsGivenAndIgnoresUnreadableFiles) {
    MemoryFileSystem files;
    files.files[u"C:\\data\\a.mrn"] = "dog\\pes\r\ncat\\kocka\\pet\r\n";
    WordEntries entries;
    LoadWordFile(u"C:\\data\\a.mrn", entries, files, FakeAnsi);
    EXPECT_EQ(Copy(entries), (Entries{{u"dog", u"pes", u""}, {u"cat", u"kocka", u"pet"}}));
    LoadWordFile(u"C:\\data\\gone.mrn", entries, files, FakeAnsi);
    EXPECT_EQ(entries.size(), 2u) << "an unreadable file appends nothing";
    EXPECT_EQ(files.readPaths,
              (std::vector<std::u16string>{u"C:\\data\\a.mrn", u"C:\\data\\gone.mrn"}));
}

}  // namespace
