#include "settings/app_settings_win32.h"
#include "settings/registry_store_win32.h"
#include "settings/user_font_win32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>

namespace {

// Each test works on a key of its own under HKCU\Software\MemorionTests and removes it.
class SettingsRegistry : public testing::Test {
protected:
    void SetUp() override {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = info->name();
        subKey_ = L"Software\\MemorionTests\\Settings-" + std::to_wstring(GetCurrentProcessId()) +
                  L"-" + std::wstring(name.begin(), name.end());
        RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str());
    }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MemorionTests");  // only when empty
    }

    std::unique_ptr<AppSettings> Make() {
        return std::make_unique<AppSettings>(SettingsSeamsWin32(subKey_));
    }

    bool KeyExists() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

    void Put(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    struct Value {
        DWORD type;
        std::vector<BYTE> bytes;
    };
    // Everything in the key, read with the registry's own enumeration.
    std::map<std::wstring, Value> ReadAll() {
        std::map<std::wstring, Value> all;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return all;
        }
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLen = 256, type = 0, size = 0;
            if (RegEnumValueW(key, i, name, &nameLen, nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS) {
                break;
            }
            Value v{type, std::vector<BYTE>(size)};
            DWORD got = size;
            RegQueryValueExW(key, name, nullptr, nullptr, size ? v.bytes.data() : nullptr, &got);
            all[name] = std::move(v);
        }
        RegCloseKey(key);
        return all;
    }

    std::wstring subKey_;
};

std::u16string ExpectedDefaultFolder() {
    wchar_t path[MAX_PATH];
    const DWORD len = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, len);
    folder.erase(folder.rfind(L'\\') + 1);
    folder += L"data\\";
    return std::u16string(folder.begin(), folder.end());
}

TEST_F(SettingsRegistry, FirstStartWithoutTheKeyGivesEveryDefault) {
    ASSERT_FALSE(KeyExists());
    auto s = Make();
    EXPECT_TRUE(KeyExists()) << "opening for reading creates the key";
    EXPECT_EQ(s->TestingDirection, 0);
    EXPECT_EQ(s->WordOrder, 0);
    EXPECT_EQ(s->FontSize, 0);
    EXPECT_TRUE(s->CaseSensitive);
    EXPECT_FALSE(s->LazyRepeat);
    EXPECT_TRUE(s->ShowHint);
    EXPECT_FALSE(s->ConfirmExit);
    EXPECT_FALSE(s->CustomFont);
    EXPECT_EQ(s->WinX, -10000);
    EXPECT_EQ(s->WinY, -10000);
    EXPECT_EQ(s->WinDluW, 269);
    EXPECT_EQ(s->WinDluH, 164);
    EXPECT_TRUE(s->Selection().empty());
    EXPECT_TRUE(s->Scores().empty());
    EXPECT_FALSE(s->RestartRequested);
    EXPECT_EQ(s->DefaultDataFolder, ExpectedDefaultFolder());
    EXPECT_EQ(s->DataFolder, ExpectedDefaultFolder());
    EXPECT_EQ(s->UserFont(), DefaultUserFont());
    EXPECT_NE(UserFontHandle(*s), nullptr);
    EXPECT_TRUE(ReadAll().empty()) << "loading writes nothing";
}

TEST_F(SettingsRegistry, SaveWritesTheSixteenValues) {
    Make()->Save();
    const std::map<std::wstring, Value> all = ReadAll();
    struct Row {
        const wchar_t* name;
        DWORD type;
        DWORD size;
    };
    const Row rows[] = {
        // clang-format off
        {L"TestingDirection", REG_DWORD, 4}, {L"WordOrder", REG_DWORD, 4},
        {L"FontSize", REG_DWORD, 4},         {L"CaseSensitive", REG_DWORD, 4},
        {L"LazyRepeat", REG_DWORD, 4},       {L"ShowHint", REG_DWORD, 4},
        {L"DataFolder", REG_SZ, 2},          {L"ConfirmExit", REG_DWORD, 4},
        {L"CustomFont", REG_DWORD, 4},       {L"WinX", REG_DWORD, 4},
        {L"WinY", REG_DWORD, 4},             {L"WinDluW", REG_DWORD, 4},
        {L"WinDluH", REG_DWORD, 4},          {L"SelectionList", REG_BINARY, 4},
        {L"ScoreList", REG_BINARY, 0},       {L"UserFont", REG_BINARY, 92},
        // clang-format on
    };
    EXPECT_EQ(all.size(), std::size(rows));
    for (const Row& r : rows) {
        const auto it = all.find(r.name);
        ASSERT_NE(it, all.end()) << "missing " << testing::PrintToString(std::wstring(r.name));
        EXPECT_EQ(it->second.type, r.type) << testing::PrintToString(std::wstring(r.name));
        EXPECT_EQ(it->second.bytes.size(), r.size) << testing::PrintToString(std::wstring(r.name));
    }
    EXPECT_EQ(all.at(L"DataFolder").bytes, (std::vector<BYTE>{0, 0}));
    EXPECT_EQ(all.at(L"SelectionList").bytes, (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_EQ(all.at(L"WinX").bytes, (std::vector<BYTE>{0xF0, 0xD8, 0xFF, 0xFF}));
}

TEST_F(SettingsRegistry, SaveAndLoadGiveBackEveryField) {
    LogFont font = DefaultUserFont();
    font.lfHeight = -28;
    font.lfWeight = FW_BOLD;
    font.lfItalic = 1;
    font.SetFaceName(u"Courier New");
    const std::u16string longFolder = u"Z:\\" + std::u16string(600, u'd') + u"\\";
    {
        auto s = Make();
        s->TestingDirection = 1;
        s->WordOrder = 2;
        s->FontSize = 2;
        s->CaseSensitive = false;
        s->LazyRepeat = true;
        s->ShowHint = false;
        s->DataFolder = longFolder;
        s->ConfirmExit = true;
        s->CustomFont = true;
        s->WinX = -300;
        s->WinY = 40;
        s->WinDluW = 400;
        s->WinDluH = 250;
        s->SetSelection({u"Animals.mrn", u"\u00e9t\u00e9.mrn"});
        s->SetScores({10, 20, 100});
        ASSERT_TRUE(s->SetUserFont(font));
        s->Save();
    }
    auto s = Make();
    EXPECT_EQ(s->TestingDirection, 1);
    EXPECT_EQ(s->WordOrder, 2);
    EXPECT_EQ(s->FontSize, 2);
    EXPECT_FALSE(s->CaseSensitive);
    EXPECT_TRUE(s->LazyRepeat);
    EXPECT_FALSE(s->ShowHint);
    EXPECT_EQ(s->DataFolder, longFolder);
    EXPECT_TRUE(s->ConfirmExit);
    EXPECT_TRUE(s->CustomFont);
    EXPECT_EQ(s->WinX, -300);
    EXPECT_EQ(s->WinY, 40);
    EXPECT_EQ(s->WinDluW, 400);
    EXPECT_EQ(s->WinDluH, 250);
    EXPECT_EQ(s->Selection(), (SelectionNames{u"Animals.mrn", u"\u00e9t\u00e9.mrn"}));
    EXPECT_EQ(s->Scores(), (ScoreList{10, 20, 100}));
    EXPECT_EQ(s->UserFont(), font);

    // The font object is a GDI font made from that description.
    const HFONT handle = UserFontHandle(*s);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_FONT));
    LOGFONTW lf{};
    ASSERT_EQ(GetObjectW(handle, sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_EQ(lf.lfHeight, -28);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Courier New");
}

TEST_F(SettingsRegistry, NonZeroBooleanLoadsTrueAndSavesOne) {
    const DWORD five = 5;
    Put(L"CaseSensitive", REG_DWORD, &five, sizeof five);
    Put(L"ShowHint", REG_DWORD, &five, sizeof five);
    auto s = Make();
    EXPECT_TRUE(s->CaseSensitive);
    s->Save();
    EXPECT_EQ(ReadAll().at(L"CaseSensitive").bytes, (std::vector<BYTE>{1, 0, 0, 0}));
}

TEST_F(SettingsRegistry, ValuesOfAnotherTypeAreIgnored) {
    const DWORD two = 2;
    Put(L"TestingDirection", REG_BINARY, &two, sizeof two);
    Put(L"WordOrder", REG_SZ, L"1", 4);
    const unsigned long long wide = 1;
    Put(L"FontSize", REG_QWORD, &wide, sizeof wide);
    Put(L"UserFont", REG_BINARY, "short", 5);
    auto s = Make();
    EXPECT_EQ(s->TestingDirection, 0);
    EXPECT_EQ(s->WordOrder, 0);
    EXPECT_EQ(s->FontSize, 0);
    EXPECT_EQ(s->UserFont(), DefaultUserFont());
}

TEST_F(SettingsRegistry, EmptyFolderTextMeansTheFolderBesideTheProgram) {
    Put(L"DataFolder", REG_SZ, L"", 2);
    EXPECT_EQ(Make()->DataFolder, ExpectedDefaultFolder());
    Put(L"DataFolder", REG_EXPAND_SZ, L"%TEMP%\\w", 18);
    EXPECT_EQ(Make()->DataFolder, u"%TEMP%\\w");
}

TEST_F(SettingsRegistry, DataFolderPathEndsInOneBackslash) {
    auto s = Make();
    s->DataFolder = u"C:\\w\\\\\\";
    EXPECT_EQ(s->DataFolderPath(), u"C:\\w\\");
    s->DataFolder = u"C:\\w";
    EXPECT_EQ(s->DataFolderPath(), u"C:\\w\\");
}

TEST_F(SettingsRegistry, SavingTwiceKeepsTheRecordUsable) {
    auto s = Make();
    s->SetScores({50});
    s->Save();
    const HFONT font = UserFontHandle(*s);
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << "saving keeps the font";
    RecordFinishedTest(*s, 60);
    s->Save();
    EXPECT_EQ(ReadAll().at(L"ScoreList").bytes, (std::vector<BYTE>{50, 0, 0, 0, 60, 0, 0, 0}));
}

TEST_F(SettingsRegistry, ReplacingTheUserFontDeletesTheOldOne) {
    auto s = Make();
    const HFONT old = UserFontHandle(*s);
    LogFont big = DefaultUserFont();
    big.lfHeight = -40;
    ASSERT_TRUE(s->SetUserFont(big));
    EXPECT_NE(UserFontHandle(*s), old);
    EXPECT_EQ(GetObjectType(old), 0u);
    const HFONT current = UserFontHandle(*s);
    s.reset();
    EXPECT_EQ(GetObjectType(current), 0u) << "the record deletes its font when it ends";
}

TEST_F(SettingsRegistry, StoreReadsLargeValuesWhole) {
    std::vector<BYTE> big(100000);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<BYTE>(i * 7);
    Put(L"Big", REG_BINARY, big.data(), static_cast<DWORD>(big.size()));
    Put(L"Empty", REG_BINARY, nullptr, 0);
    RegistryStoreWin32 store(subKey_);
    const auto key = store.OpenForRead();
    ASSERT_NE(key, nullptr);
    const auto value = key->Query(u"Big");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, RegistryType::Binary);
    EXPECT_TRUE(value->bytes == big);
    const auto empty = key->Query(u"Empty");
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->bytes.empty());
    EXPECT_FALSE(key->Query(u"Missing").has_value());
    EXPECT_FALSE(key->Set(u"Big", RegistryType::Binary, {}))
        << "a key opened for reading refuses writes";
}

}  // namespace
