#include "settings/app_settings.h"
#include "settings/memory_registry_store.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

Bytes Dword(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

Bytes Text(std::u16string_view text, bool terminated = true) {
    Bytes out;
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    if (terminated) out.insert(out.end(), {0, 0});
    return out;
}

// Counts the font objects alive, so that a replaced font that is never deleted shows.
struct FontLedger {
    int alive = 0;
    int made = 0;
    bool refuse = false;
};

class CountedFont final : public FontObject {
public:
    CountedFont(FontLedger& ledger, int serial) : ledger_(ledger), serial_(serial) {
        ++ledger_.alive;
    }
    ~CountedFont() override { --ledger_.alive; }
    void* Handle() const noexcept override {
        return reinterpret_cast<void*>(static_cast<std::intptr_t>(serial_));
    }

private:
    FontLedger& ledger_;
    int serial_;
};

FontMaker CountingMaker(FontLedger& ledger) {
    return [&ledger](const LogFont&) -> std::unique_ptr<FontObject> {
        if (ledger.refuse) return nullptr;
        return std::make_unique<CountedFont>(ledger, ++ledger.made);
    };
}

constexpr char16_t Exe[] = u"C:\\Program Files\\Memorion\\memorion.exe";
constexpr char16_t DefaultFolder[] = u"C:\\Program Files\\Memorion\\data\\";

class AppSettingsStore : public testing::Test {
protected:
    std::unique_ptr<AppSettings> Make(FontMaker maker = nullptr) {
        return std::make_unique<AppSettings>(AppSettings::Seams{
            std::make_unique<MemoryRegistryStore>(contents_), std::move(maker), Exe});
    }
    void Put(std::u16string name, RegistryType type, Bytes bytes) {
        contents_->values[std::move(name)] = StoredValue{type, std::move(bytes)};
    }
    const StoredValue& Stored(const std::u16string& name) { return contents_->values.at(name); }

    std::shared_ptr<MemoryRegistryStore::Contents> contents_ =
        std::make_shared<MemoryRegistryStore::Contents>();
};

void ExpectDefaults(const AppSettings& s) {
    EXPECT_EQ(s.TestingDirection, 0);
    EXPECT_EQ(s.WordOrder, 0);
    EXPECT_EQ(s.FontSize, 0);
    EXPECT_TRUE(s.CaseSensitive);
    EXPECT_FALSE(s.LazyRepeat);
    EXPECT_TRUE(s.ShowHint);
    EXPECT_EQ(s.DefaultDataFolder, DefaultFolder);
    EXPECT_EQ(s.DataFolder, DefaultFolder);
    EXPECT_FALSE(s.ConfirmExit);
    EXPECT_FALSE(s.CustomFont);
    EXPECT_EQ(s.WinX, -10000);
    EXPECT_EQ(s.WinY, -10000);
    EXPECT_EQ(s.WinDluW, 269);
    EXPECT_EQ(s.WinDluH, 164);
    EXPECT_TRUE(s.Selection().empty());
    EXPECT_TRUE(s.Scores().empty());
    EXPECT_FALSE(s.RestartRequested);
    EXPECT_EQ(s.UserFont(), DefaultUserFont());
}

TEST_F(AppSettingsStore, EmptyKeyAndUnopenableKeyBothGiveEveryDefault) {
    ExpectDefaults(*Make());
    contents_->refuseRead = true;
    Put(u"WordOrder", RegistryType::Dword, Dword(2));
    ExpectDefaults(*Make());
}

TEST_F(AppSettingsStore, SaveWritesSixteenValuesInOrderWithTheirTypesAndSizes) {
    Make()->Save();
    struct Row {
        const char16_t* name;
        RegistryType type;
        std::size_t size;
    };
    const Row rows[] = {
        // clang-format off
        {u"TestingDirection", RegistryType::Dword, 4}, {u"WordOrder", RegistryType::Dword, 4},
        {u"FontSize", RegistryType::Dword, 4},         {u"CaseSensitive", RegistryType::Dword, 4},
        {u"LazyRepeat", RegistryType::Dword, 4},       {u"ShowHint", RegistryType::Dword, 4},
        {u"DataFolder", RegistryType::String, 2},      {u"ConfirmExit", RegistryType::Dword, 4},
        {u"CustomFont", RegistryType::Dword, 4},       {u"WinX", RegistryType::Dword, 4},
        {u"WinY", RegistryType::Dword, 4},             {u"WinDluW", RegistryType::Dword, 4},
        {u"WinDluH", RegistryType::Dword, 4},          {u"SelectionList", RegistryType::Binary, 4},
        {u"ScoreList", RegistryType::Binary, 0},       {u"UserFont", RegistryType::Binary, 92},
        // clang-format on
    };
    ASSERT_EQ(contents_->writeOrder.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const std::u16string name = rows[i].name;
        EXPECT_EQ(contents_->writeOrder[i], name) << i;
        EXPECT_EQ(Stored(name).type, rows[i].type) << i;
        EXPECT_EQ(Stored(name).bytes.size(), rows[i].size) << i;
    }
    EXPECT_EQ(Stored(u"WinX").bytes, Dword(static_cast<std::uint32_t>(-10000)));
    EXPECT_EQ(Stored(u"CaseSensitive").bytes, Dword(1));
    EXPECT_EQ(Stored(u"DataFolder").bytes, (Bytes{0, 0}));
}

TEST_F(AppSettingsStore, EveryFieldSurvivesSaveAndLoad) {
    LogFont font = DefaultUserFont();
    font.lfHeight = -30;
    font.lfWeight = 700;
    font.SetFaceName(u"Courier New");
    {
        auto s = Make();
        s->TestingDirection = 2;
        s->WordOrder = 1;
        s->FontSize = 7;  // out of range: kept as it is
        s->CaseSensitive = false;
        s->LazyRepeat = true;
        s->ShowHint = false;
        s->DataFolder = u"D:\\Words";
        s->ConfirmExit = true;
        s->CustomFont = true;
        s->WinX = -1234;
        s->WinY = 56;
        s->WinDluW = 300;
        s->WinDluH = 200;
        s->SetSelection({u"b.mrn", u"a.mrn"});
        s->SetScores({0, 100, 55});
        s->SetUserFont(font);
        s->Save();
    }
    auto s = Make();
    EXPECT_EQ(s->TestingDirection, 2);
    EXPECT_EQ(s->WordOrder, 1);
    EXPECT_EQ(s->FontSize, 7);
    EXPECT_FALSE(s->CaseSensitive);
    EXPECT_TRUE(s->LazyRepeat);
    EXPECT_FALSE(s->ShowHint);
    EXPECT_EQ(s->DataFolder, u"D:\\Words");
    EXPECT_TRUE(s->ConfirmExit);
    EXPECT_TRUE(s->CustomFont);
    EXPECT_EQ(s->WinX, -1234);
    EXPECT_EQ(s->WinY, 56);
    EXPECT_EQ(s->WinDluW, 300);
    EXPECT_EQ(s->WinDluH, 200);
    EXPECT_EQ(s->Selection(), (SelectionNames{u"b.mrn", u"a.mrn"}));
    EXPECT_EQ(s->Scores(), (ScoreList{0, 100, 55}));
    EXPECT_EQ(s->UserFont(), font);
    EXPECT_FALSE(s->RestartRequested);
}

TEST_F(AppSettingsStore, NonZeroLoadsAsTrueAndSavesBackAsOne) {
    Put(u"CaseSensitive", RegistryType::Dword, Dword(5));
    Put(u"LazyRepeat", RegistryType::Dword, Dword(0x80000000));
    Put(u"ShowHint", RegistryType::Dword, Dword(0));
    auto s = Make();
    EXPECT_TRUE(s->CaseSensitive);
    EXPECT_TRUE(s->LazyRepeat);
    EXPECT_FALSE(s->ShowHint);
    s->Save();
    EXPECT_EQ(Stored(u"CaseSensitive").bytes, Dword(1));
    EXPECT_EQ(Stored(u"LazyRepeat").bytes, Dword(1));
}

TEST_F(AppSettingsStore, NumbersOfTheWrongTypeOrSizeAreIgnored) {
    struct Row {
        RegistryType type;
        Bytes bytes;
        std::int32_t expected;
        const char* why;
    };
    const Row rows[] = {
        {RegistryType::Dword, Dword(2), 2, "taken"},
        {RegistryType::Dword, Dword(0xFFFFFFFF), -1, "two's complement, no range check"},
        {RegistryType::Binary, Dword(2), 0, "REG_BINARY"},
        {RegistryType::String, Text(u"2"), 0, "REG_SZ"},
        {RegistryType::Dword, Bytes{2, 0, 0, 0, 0, 0, 0, 0}, 0, "eight bytes"},
        {RegistryType::Dword, Bytes{2, 0}, 0, "two bytes would leave half the number undefined"},
        {RegistryType::Dword, Bytes{}, 0, "no bytes"},
    };
    for (const Row& r : rows) {
        Put(u"TestingDirection", r.type, r.bytes);
        EXPECT_EQ(Make()->TestingDirection, r.expected) << r.why;
    }
}

TEST_F(AppSettingsStore, DataFolderIsReadWholeToItsFirstZeroUnit) {
    const std::u16string longFolder = u"E:\\" + std::u16string(1000, u'w') + u"\\";
    struct Row {
        RegistryType type;
        Bytes bytes;
        std::u16string expected;
        const char* why;
    };
    const Row rows[] = {
        {RegistryType::String, Text(u"D:\\W\u00f6rter\\\u0421\u043b\u043e\u0432\u0430\\"),
         u"D:\\W\u00f6rter\\\u0421\u043b\u043e\u0432\u0430\\", "plain"},
        {RegistryType::ExpandString, Text(u"%HOME%\\w"), u"%HOME%\\w", "not expanded"},
        {RegistryType::String, Text(longFolder), longFolder, "longer than any fixed buffer"},
        {RegistryType::String, Text(u"D:\\W", false), u"D:\\W", "no terminator: size / 2 units"},
        {RegistryType::String, Text(u"D:", false), u"D:", "four bytes are a folder"},
        {RegistryType::String, Bytes{'D', 0, ':', 0, 'X'}, u"D:",
         "odd size: the half unit is dropped"},
        {RegistryType::String, Text(u"D:\\a\0b"), u"D:\\a", "ends at the first zero unit"},
        {RegistryType::String, Bytes{0, 0}, DefaultFolder, "the empty text means the default"},
        {RegistryType::String, Bytes{'D', 0, 0}, DefaultFolder, "under four bytes"},
        {RegistryType::Binary, Text(u"D:\\Words"), DefaultFolder, "REG_BINARY"},
        {RegistryType::Dword, Dword(0x44), DefaultFolder, "REG_DWORD"},
    };
    for (const Row& r : rows) {
        Put(u"DataFolder", r.type, r.bytes);
        EXPECT_EQ(Make()->DataFolder, r.expected) << r.why;
    }
}

TEST_F(AppSettingsStore, DefaultFolderIsStoredEmptySoThatAMovedProgramFindsItsOwn) {
    Make()->Save();
    auto moved = std::make_unique<AppSettings>(AppSettings::Seams{
        std::make_unique<MemoryRegistryStore>(contents_), nullptr, u"F:\\Elsewhere\\memorion.exe"});
    EXPECT_EQ(moved->DataFolder, u"F:\\Elsewhere\\data\\");

    // Equality is exact: another spelling of the same folder is stored as written.
    moved->DataFolder = u"f:\\elsewhere\\data\\";
    moved->Save();
    EXPECT_EQ(Stored(u"DataFolder").bytes, Text(u"f:\\elsewhere\\data\\"));
}

TEST_F(AppSettingsStore, MalformedListsAndFontsLeaveTheirDefaults) {
    Put(u"SelectionList", RegistryType::Binary, Bytes{1, 0, 0, 0, 9, 0, 0, 0, 'a', 0});
    Put(u"ScoreList", RegistryType::Binary, Bytes{1, 0, 0, 0, 2, 0});
    Put(u"UserFont", RegistryType::Binary, Bytes(91, 0x41));
    auto s = Make();
    EXPECT_TRUE(s->Selection().empty());
    EXPECT_TRUE(s->Scores().empty());
    EXPECT_EQ(s->UserFont(), DefaultUserFont());

    Put(u"SelectionList", RegistryType::String, EncodeSelectionList({u"a.mrn"}));
    Put(u"ScoreList", RegistryType::String, EncodeScoreList({1, 2}));
    s = Make();
    EXPECT_TRUE(s->Selection().empty()) << "lists are taken from REG_BINARY only";
    EXPECT_TRUE(s->Scores().empty());
}

TEST_F(AppSettingsStore, UserFontOfNinetyTwoBytesIsTakenWhateverItsType) {
    LogFont font = DefaultUserFont();
    font.lfHeight = -40;
    Put(u"UserFont", RegistryType::String, EncodeUserFont(font));
    EXPECT_EQ(Make()->UserFont(), font);
}

TEST_F(AppSettingsStore, SaveCanRunTwiceAndLeavesTheRecordWhole) {
    FontLedger ledger;
    auto s = Make(CountingMaker(ledger));
    s->SetSelection({u"a.mrn"});
    s->SetScores({80});
    s->Save();
    EXPECT_EQ(s->Selection(), SelectionNames{u"a.mrn"});
    EXPECT_EQ(s->Scores(), ScoreList{80});
    EXPECT_NE(s->UserFontHandle(), nullptr);
    EXPECT_EQ(ledger.alive, 1);

    s->SetScores({80, 90});
    s->Save();
    EXPECT_EQ(contents_->opensForWrite, 2);
    EXPECT_EQ(Stored(u"ScoreList").bytes, EncodeScoreList({80, 90}));
    s.reset();
    EXPECT_EQ(ledger.alive, 0) << "the record deletes its font when it ends";
}

TEST_F(AppSettingsStore, UnwritableKeyStoresNothing) {
    contents_->refuseWrite = true;
    Make()->Save();
    EXPECT_TRUE(contents_->values.empty());
}

TEST_F(AppSettingsStore, ReplacingTheFontDeletesThePreviousObject) {
    FontLedger ledger;
    auto s = Make(CountingMaker(ledger));
    void* const first = s->UserFontHandle();
    LogFont big = DefaultUserFont();
    big.lfHeight = -32;
    ASSERT_TRUE(s->SetUserFont(big));
    EXPECT_NE(s->UserFontHandle(), first);
    EXPECT_EQ(ledger.alive, 1);
    EXPECT_EQ(s->UserFont(), big);

    // When the system cannot make the font, the one in use stays, with its description.
    ledger.refuse = true;
    LogFont huge = big;
    huge.lfHeight = -300;
    EXPECT_FALSE(s->SetUserFont(huge));
    EXPECT_EQ(s->UserFont(), big);
    EXPECT_NE(s->UserFontHandle(), nullptr);
    EXPECT_EQ(ledger.alive, 1);

    // Not even the default can be made at start: the description is still the default one,
    // and that is what is saved.
    auto none = Make(CountingMaker(ledger));
    EXPECT_EQ(none->UserFont(), DefaultUserFont());
    EXPECT_EQ(none->UserFontHandle(), nullptr);
    none->Save();
    EXPECT_EQ(Stored(u"UserFont").bytes, EncodeUserFont(DefaultUserFont()));
}

TEST_F(AppSettingsStore, StoredFontReplacesTheDefaultObject) {
    FontLedger ledger;
    LogFont font = DefaultUserFont();
    font.lfItalic = 1;
    Put(u"UserFont", RegistryType::Binary, EncodeUserFont(font));
    auto s = Make(CountingMaker(ledger));
    EXPECT_EQ(ledger.made, 2);
    EXPECT_EQ(ledger.alive, 1);
    EXPECT_EQ(s->UserFont(), font);
}

TEST(DataFolderPath, EndsInExactlyOneBackslash) {
    struct Row {
        std::u16string folder, path;
    };
    const Row rows[] = {
        {u"C:\\w\\\\\\", u"C:\\w\\"},
        {u"C:\\w", u"C:\\w\\"},
        {u"C:\\w\\", u"C:\\w\\"},
        {u"\\\\server\\share\\", u"\\\\server\\share\\"},
        {u"", u"\\"},
    };
    AppSettings s(AppSettings::Seams{});
    for (const Row& r : rows) {
        s.DataFolder = r.folder;
        EXPECT_EQ(s.DataFolderPath(), r.path);
    }
}

TEST(ExecutableFolder, KeepsTheLastBackslash) {
    EXPECT_EQ(ExecutableFolder(u"C:\\a\\b\\memorion.exe"), u"C:\\a\\b\\");
    EXPECT_EQ(ExecutableFolder(u"memorion.exe"), u"");
    EXPECT_EQ(ExecutableFolder(u""), u"");
}

}  // namespace
