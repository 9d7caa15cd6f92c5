#include "settings/stored_values.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

namespace {

Bytes U32(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

Bytes Utf16(std::u16string_view text) {
    Bytes out;
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

TEST(SelectionListValue, EncodesTheSingleNameExampleByteForByte) {
    const Bytes expected{0x01, 0, 0,    0, 0x06, 0, 0,    0, 0x61, 0,
                         0x2E, 0, 0x6D, 0, 0x72, 0, 0x6E, 0, 0,    0};
    EXPECT_EQ(EncodeSelectionList({u"a.mrn"}), expected);
    EXPECT_EQ(DecodeSelectionList(expected), SelectionNames{u"a.mrn"});
}

TEST(SelectionListValue, EmptySelectionIsFourZeroBytesAndLoadsEmpty) {
    const Bytes empty = EncodeSelectionList({});
    EXPECT_EQ(empty, (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(DecodeSelectionList(empty), SelectionNames{});
}

TEST(SelectionListValue, RoundTripsNamesInStoredOrder) {
    const SelectionNames names{u"Zoo.mrn", u"apple.mrn", u"Verbes irr\u00e9guliers.mrn",
                               u"\U0001F600.mrn", u""};
    EXPECT_EQ(DecodeSelectionList(EncodeSelectionList(names)), names);
}

// Each row would read past the end of the value, or take text that was never terminated.
TEST(SelectionListValue, IgnoresMalformedValuesWhole) {
    const Bytes good = EncodeSelectionList({u"ab.mrn", u"cd.mrn"});
    struct Row {
        Bytes value;
        const char* why;
    };
    const Row rows[] = {
        {{}, "empty value"},
        {{1, 0, 0}, "too short for the count"},
        {U32(1), "count promises a record that is not there"},
        {Cat({U32(1), U32(2)}), "record header without its text"},
        {Cat({U32(1), U32(3), Utf16(u"ab")}), "text cut before its zero unit"},
        {Cat({U32(1), U32(2), Utf16(u"ab")}), "L units hold no zero unit"},
        {Cat({U32(2), U32(2), Utf16(u"ab"), U32(2), Utf16(u"c"), Bytes{0, 0}}),
         "L units hold no zero unit, another record follows"},
        {Cat({U32(1), U32(0)}), "L = 0 leaves no room for the zero unit"},
        {Cat({U32(1), U32(0xFFFFFFFF), Utf16(u"a"), Bytes{0, 0}}),
         "L so large that 2*L overflows 32 bits"},
        {Cat({U32(0x80000000), U32(1), Bytes{0, 0}}), "huge count, one record"},
        {Bytes(good.begin(), good.end() - 1), "last record one byte short"},
        {Cat({U32(3), Bytes(good.begin() + 4, good.end())}), "count one more than the records"},
    };
    for (const Row& r : rows) EXPECT_FALSE(DecodeSelectionList(r.value).has_value()) << r.why;
}

TEST(SelectionListValue, NameEndsAtItsFirstZeroUnitAndTheNextRecordFollowsL) {
    // L = 4 but a zero after two units: the name is "ab", the next record starts 4 + 8 bytes on.
    const Bytes value = Cat(
        {U32(2), U32(4), Utf16(u"ab"), Bytes{0, 0}, Utf16(u"x"), U32(2), Utf16(u"c"), Bytes{0, 0}});
    EXPECT_EQ(DecodeSelectionList(value), (SelectionNames{u"ab", u"c"}));
}

TEST(ScoreListValue, EmptyHistoryIsAValueOfLengthZero) {
    EXPECT_TRUE(EncodeScoreList({}).empty());
}

TEST(ScoreListValue, RecordsAreLittleEndianOldestFirst) {
    EXPECT_EQ(EncodeScoreList({100, 7, 0x01020304}), Cat({U32(100), U32(7), Bytes{4, 3, 2, 1}}));
}

TEST(ScoreListValue, SizesThatAreNotWholeRecordsLoadNothing) {
    for (std::size_t size : {0u, 1u, 3u, 6u, 59u}) {
        EXPECT_FALSE(DecodeScoreList(Bytes(size, 0x11)).has_value()) << size << " bytes";
    }
}

TEST(ScoreListValue, SixtyBytesLoadFifteenRecordsWithoutTrimming) {
    ScoreList stored(15);
    std::iota(stored.begin(), stored.end(), 50u);
    const Bytes value = EncodeScoreList(stored);
    ASSERT_EQ(value.size(), 60u);
    EXPECT_EQ(DecodeScoreList(value), stored);
}

TEST(UserFontValue, DefaultDescriptionHasTheLogfontLayout) {
    const Bytes value = EncodeUserFont(DefaultUserFont());
    ASSERT_EQ(value.size(), 92u);
    EXPECT_EQ(Bytes(value.begin(), value.begin() + 4), U32(static_cast<std::uint32_t>(-16)));
    for (std::size_t at = 4; at < 28; ++at) {
        EXPECT_EQ(value[at], at == 23 ? 1 : 0) << "offset " << at;  // only lfCharSet is set
    }
    const Bytes face = Utf16(u"MS Shell Dlg");
    EXPECT_TRUE(std::equal(face.begin(), face.end(), value.begin() + 28));
    EXPECT_TRUE(std::all_of(value.begin() + 28 + face.size(), value.end(),
                            [](std::uint8_t b) { return b == 0; }));
}

TEST(UserFontValue, EveryFieldSitsAtItsOffset) {
    LogFont font;
    font.lfHeight = -24;
    font.lfWidth = 2;
    font.lfEscapement = 3;
    font.lfOrientation = 4;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfUnderline = 2;
    font.lfStrikeOut = 3;
    font.lfCharSet = 204;
    font.lfOutPrecision = 5;
    font.lfClipPrecision = 6;
    font.lfQuality = 7;
    font.lfPitchAndFamily = 34;
    font.SetFaceName(u"Times New Roman");
    const Bytes value = EncodeUserFont(font);
    ASSERT_EQ(value.size(), 92u);
    EXPECT_EQ(Bytes(value.begin() + 16, value.begin() + 20), U32(700));
    EXPECT_EQ(Bytes(value.begin() + 20, value.begin() + 28), (Bytes{1, 2, 3, 204, 5, 6, 7, 34}));
    EXPECT_EQ(value[28], 'T');
    EXPECT_EQ(DecodeUserFont(value), font);
}

TEST(UserFontValue, OnlyExactlyNinetyTwoBytesDecode) {
    const Bytes value = EncodeUserFont(DefaultUserFont());
    EXPECT_EQ(DecodeUserFont(value), DefaultUserFont());
    for (std::size_t size : {0u, 28u, 91u}) {
        EXPECT_FALSE(DecodeUserFont(ByteView(value).first(size)).has_value()) << size;
    }
    Bytes longer = value;
    longer.push_back(0);
    EXPECT_FALSE(DecodeUserFont(longer).has_value());
}

TEST(UserFontValue, FaceNameIsCutToThirtyOneUnitsAndReadsToItsZero) {
    LogFont font;
    font.SetFaceName(u"0123456789012345678901234567890123456789");
    EXPECT_EQ(font.FaceName(), u"0123456789012345678901234567890");
    EXPECT_EQ(font.lfFaceName[31], u'\0');
    // A stored face that fills all 32 units is still read without running past the array.
    Bytes value = EncodeUserFont(font);
    value[28 + 62] = 'X';
    EXPECT_EQ(DecodeUserFont(value)->FaceName().size(), 32u);
    // A shorter face leaves nothing of the longer one behind it.
    LogFont arial;
    arial.SetFaceName(u"Arial");
    font.SetFaceName(u"Arial");
    EXPECT_EQ(font, arial);
}

}  // namespace
