#include "data/ordinal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

// Library order and the alphabetical question order both rest on this comparison; a locale or
// case-folding comparison would reorder every one of these rows.
TEST(OrdinalCompare, OrdersByCodeUnit) {
    struct Row {
        std::u16string a, b;
        int sign;
        const char* why;
    };
    const Row rows[] = {
        {u"Bear.mrn", u"apple.mrn", -1, "capitals sort before small letters"},
        {u"Zoo.mrn", u"apple.mrn", -1, "no case folding"},
        {u"ab-x.mrn", u"ab.mrn", -1, "hyphen U+002D is below full stop U+002E"},
        {u"ab", u"abc", -1, "a prefix sorts first"},
        {u"", u"a", -1, "the empty text sorts first"},
        {u"\u00e9", u"z", 1, "no collation: e-acute is above every ASCII letter"},
        {u"\xD800", u"\xFFFD", -1, "surrogates compare as plain units"},
        {u"same", u"same", 0, "equal"},
    };
    for (const Row& r : rows) {
        const int got = OrdinalCompare(r.a, r.b);
        EXPECT_EQ((got > 0) - (got < 0), r.sign) << r.why;
        const int back = OrdinalCompare(r.b, r.a);
        EXPECT_EQ((back > 0) - (back < 0), -r.sign) << r.why << " (reversed)";
    }
}

TEST(OrdinalCompare, SortsTheLibraryExample) {
    std::vector<std::u16string> names{u"Zoo.mrn", u"apple.mrn", u"Bear.mrn"};
    std::sort(names.begin(), names.end(), OrdinalLess{});
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Bear.mrn", u"Zoo.mrn", u"apple.mrn"}));
}

}  // namespace
