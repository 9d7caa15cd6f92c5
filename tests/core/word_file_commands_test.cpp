#include "data/word_file_commands.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::u16string>;

WordLibrary Library(std::initializer_list<const char16_t*> names) {
    WordLibrary lib;
    for (const char16_t* name : names) lib.push_back({name, u"", 0});
    return lib;
}

TEST(RenameProposal, DropsTheExtensionAndNothingElse) {
    EXPECT_EQ(RenameProposal(u"a.mrn"), u"a");
    EXPECT_EQ(RenameProposal(u".mrn"), u"") << "the file New makes from an empty name";
    EXPECT_EQ(RenameProposal(u" two words .mrn"), u" two words ") << "blanks are kept";
    EXPECT_EQ(RenameProposal(u"mrn"), u"") << "too short to carry the extension";
}

TEST(SelectionAfterDelete, KeepsTheFileAboveTheFirstDeletedOneSelected) {
    const WordLibrary five = Library({u"1.mrn", u"2.mrn", u"3.mrn", u"4.mrn", u"5.mrn"});
    struct Row {
        Names deleted;
        Names selection;
        Names want;
        const char* why;
    };
    const Row rows[] = {
        {{u"3.mrn", u"4.mrn"}, {u"3.mrn", u"4.mrn"}, {u"3.mrn", u"4.mrn", u"2.mrn"},
         "the second file is left selected once the names of the gone files match nothing"},
        {{u"1.mrn"}, {u"1.mrn"}, {u"1.mrn"}, "the top file has none above: the list falls back"},
        {{u"2.mrn"}, {}, {u"1.mrn"}, "the second file leaves the top one"},
        {{u"5.mrn", u"2.mrn"}, {u"2.mrn", u"5.mrn"}, {u"2.mrn", u"5.mrn", u"4.mrn"},
         "the first name given decides, not the list order"},
        {{u"gone.mrn"}, {u"x.mrn"}, {u"x.mrn"}, "a name no longer in the library adds nothing"},
        {{}, {u"2.mrn"}, {u"2.mrn"}, "nothing deleted"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(SelectionAfterDelete(five, r.deleted, r.selection), r.want) << r.why;
    }
}

}  // namespace
