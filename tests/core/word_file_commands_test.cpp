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

TEST(IsPlainFileName, RefusesDevicesStreamsAndOtherFolders) {
    // Each refused name made no file, a stream of another, or a file the list never shows.
    const std::u16string_view refused[] = {u"NUL",    u"con",    u"Aux.txt", u"PRN  ", u"com1",
                                           u"LPT9..", u"nul .x", u"a:b",     u"..\\x", u"../x"};
    const std::u16string_view plain[] = {u"", u"NULL", u"COM", u"COM10", u" con", u"a..b"};
    for (std::u16string_view name : refused) {
        EXPECT_FALSE(IsPlainFileName(name)) << testing::PrintToString(std::u16string(name));
    }
    for (std::u16string_view name : plain) {
        EXPECT_TRUE(IsPlainFileName(name)) << testing::PrintToString(std::u16string(name));
    }
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
        {{u"3.mrn", u"4.mrn"},
         {u"3.mrn", u"4.mrn"},
         {u"3.mrn", u"4.mrn", u"2.mrn"},
         "the second file is left selected once the names of the gone files match nothing"},
        {{u"1.mrn"}, {u"1.mrn"}, {u"1.mrn"}, "the top file has none above: the list falls back"},
        {{u"2.mrn"}, {}, {u"1.mrn"}, "the second file leaves the top one"},
        {{u"5.mrn", u"2.mrn"},
         {u"2.mrn", u"5.mrn"},
         {u"2.mrn", u"5.mrn", u"4.mrn"},
         "the first name given decides, not the list order"},
        {{u"gone.mrn"}, {u"x.mrn"}, {u"x.mrn"}, "a name no longer in the library adds nothing"},
        {{}, {u"2.mrn"}, {u"2.mrn"}, "nothing deleted"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(SelectionAfterDelete(five, r.deleted, r.selection), r.want) << r.why;
    }
}

}  // namespace
