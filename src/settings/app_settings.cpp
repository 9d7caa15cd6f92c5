#include "settings/app_settings.h"

#include <type_traits>
#include <variant>

namespace {

// A number is taken only from a REG_DWORD of exactly four bytes: a shorter one would leave part
// of the number undefined, and a longer one is not a number of ours.
std::optional<std::uint32_t> ReadDword(RegistryKey& key, std::u16string_view name) {
    const std::optional<StoredValue> v = key.Query(name);
    if (!v || v->type != RegistryType::Dword || v->bytes.size() != 4) return std::nullopt;
    return GetU32(v->bytes, 0);
}

void LoadValue(RegistryKey& key, std::u16string_view name, std::int32_t& field) {
    if (const auto n = ReadDword(key, name)) field = static_cast<std::int32_t>(*n);
}

void LoadValue(RegistryKey& key, std::u16string_view name, bool& field) {
    if (const auto n = ReadDword(key, name)) field = *n != 0;
}

// Taken literally, also from REG_EXPAND_SZ, up to the first zero unit; a value of less than
// four bytes holds no folder (the empty text is how the default folder is stored).
void LoadValue(RegistryKey& key, std::u16string_view name, std::u16string& field) {
    const std::optional<StoredValue> v = key.Query(name);
    if (!v || (v->type != RegistryType::String && v->type != RegistryType::ExpandString) ||
        v->bytes.size() < 4) {
        return;
    }
    std::u16string text;
    for (std::size_t at = 0; at + 1 < v->bytes.size(); at += 2) {
        const char16_t c = GetU16(v->bytes, at);
        if (c == u'\0') break;
        text.push_back(c);
    }
    field = std::move(text);
}

// Lists are taken as stored, scores also beyond the capacity: the next recorded test trims them.
template <class T>
void LoadValue(RegistryKey& key, std::u16string_view name, T& field) {
    const std::optional<StoredValue> v = key.Query(name);
    if (!v || v->type != RegistryType::Binary) return;
    std::optional<T> decoded;
    if constexpr (std::is_same_v<T, ScoreList>) {
        decoded = DecodeScoreList(v->bytes);
    } else {
        decoded = DecodeSelectionList(v->bytes);
    }
    if (decoded) field = std::move(*decoded);
}

// Numbers and flags alike: a number as its 32 bits, a flag as 1 or 0.
void StoreValue(RegistryKey& key, std::u16string_view name, std::uint32_t n) {
    Bytes bytes;
    PutU32(bytes, n);
    key.Set(name, RegistryType::Dword, bytes);
}

void StoreValue(RegistryKey& key, std::u16string_view name, std::u16string_view text) {
    Bytes bytes;
    bytes.reserve(2 * (text.size() + 1));
    for (char16_t c : text) PutU16(bytes, c);
    PutU16(bytes, u'\0');
    key.Set(name, RegistryType::String, bytes);
}

void StoreValue(RegistryKey& key, std::u16string_view name, const SelectionNames& names) {
    key.Set(name, RegistryType::Binary, EncodeSelectionList(names));
}
void StoreValue(RegistryKey& key, std::u16string_view name, const ScoreList& scores) {
    key.Set(name, RegistryType::Binary, EncodeScoreList(scores));
}
void StoreValue(RegistryKey& key, std::u16string_view name, const LogFont& font) {
    key.Set(name, RegistryType::Binary, EncodeUserFont(font));
}

}  // namespace

// A stored value: its name in the key, the member that holds it, which also tells how it is
// stored, and the default of a number or a flag (the others start empty, the font as the
// default description).
struct AppSettings::StoredSetting {
    std::u16string_view name;
    std::variant<std::int32_t AppSettings::*, bool AppSettings::*, std::u16string AppSettings::*,
                 SelectionNames AppSettings::*, ScoreList AppSettings::*, LogFont AppSettings::*>
        member;
    std::int32_t byDefault = 0;
};

// Every stored value, in the order saved. A number is a REG_DWORD of its 32 bits and a flag one
// of 1 or 0; the data folder is a REG_SZ; the lists and the font are REG_BINARY in the layouts
// of stored_values.h.
const AppSettings::StoredSetting AppSettings::kStoredSettings[] = {
    {u"TestingDirection", &AppSettings::TestingDirection, TestingDirections::Normal},
    {u"WordOrder", &AppSettings::WordOrder, WordOrders::Random},
    {u"FontSize", &AppSettings::FontSize, FontSizes::Normal},
    {u"CaseSensitive", &AppSettings::CaseSensitive, true},
    {u"LazyRepeat", &AppSettings::LazyRepeat, false},
    {u"ShowHint", &AppSettings::ShowHint, true},
    {u"DataFolder", &AppSettings::DataFolder},
    {u"ConfirmExit", &AppSettings::ConfirmExit, false},
    {u"CustomFont", &AppSettings::CustomFont, false},
    {u"WinX", &AppSettings::WinX, PositionUnset},
    {u"WinY", &AppSettings::WinY, PositionUnset},
    {u"WinDluW", &AppSettings::WinDluW, 269},
    {u"WinDluH", &AppSettings::WinDluH, 164},
    {u"SelectionList", &AppSettings::selectionList_},
    {u"ScoreList", &AppSettings::scoreList_},
    {u"UserFont", &AppSettings::userFont_},
};

AppSettings::AppSettings(Seams seams)
    : store_(std::move(seams.store)), makeFont_(std::move(seams.makeFont)) {
    for (const StoredSetting& setting : kStoredSettings) {
        if (auto* number = std::get_if<std::int32_t AppSettings::*>(&setting.member)) {
            this->*(*number) = setting.byDefault;
        } else if (auto* flag = std::get_if<bool AppSettings::*>(&setting.member)) {
            this->*(*flag) = setting.byDefault != 0;
        }
    }
    // The description is the default one even when the system cannot make its font: it is
    // what the setup view shows and what is saved.
    if (!SetUserFont(DefaultUserFont())) userFont_ = DefaultUserFont();
    Load();
    DefaultDataFolder = ExecutableFolder(seams.executablePath) + u"data\\";
    if (DataFolder.empty()) DataFolder = DefaultDataFolder;
}

AppSettings::~AppSettings() = default;

std::u16string AppSettings::DataFolderPath() const {
    std::u16string path = DataFolder;
    while (!path.empty() && path.back() == u'\\') path.pop_back();
    path.push_back(u'\\');
    return path;
}

void AppSettings::SetScores(ScoreList scores) {
    if (scores.size() > MaxScoreRecords) {
        scores.erase(scores.begin(), scores.end() - static_cast<std::ptrdiff_t>(MaxScoreRecords));
    }
    scoreList_ = std::move(scores);
}

bool AppSettings::SetUserFont(const LogFont& font) {
    std::unique_ptr<FontObject> made;
    if (makeFont_) {
        made = makeFont_(font);
        if (!made) return false;
    }
    userFont_ = font;
    userFontObject_ = std::move(made);  // deletes the previous object
    return true;
}

void AppSettings::Load() {
    if (!store_) return;
    const std::unique_ptr<RegistryKey> key = store_->OpenForRead();
    if (!key) return;
    for (const StoredSetting& setting : kStoredSettings) {
        std::visit(
            [&](auto member) {
                if constexpr (std::is_same_v<decltype(member), LogFont AppSettings::*>) {
                    // The font's type is not checked: only its size tells a description from
                    // something else.
                    const auto v = key->Query(setting.name);
                    if (const auto font = v ? DecodeUserFont(v->bytes) : std::nullopt) {
                        SetUserFont(*font);
                    }
                } else {
                    LoadValue(*key, setting.name, this->*member);
                }
            },
            setting.member);
    }
}

void AppSettings::Save() {
    if (!store_) return;
    const std::unique_ptr<RegistryKey> key = store_->OpenForWrite();
    if (!key) return;
    for (const StoredSetting& setting : kStoredSettings) {
        std::visit(
            [&](auto member) {
                // The default folder is stored as the empty text, so that a program moved
                // elsewhere finds the data folder beside its new location.
                if constexpr (std::is_same_v<decltype(member), std::u16string AppSettings::*>) {
                    const std::u16string& text = this->*member;
                    StoreValue(*key, setting.name,
                               text == DefaultDataFolder ? std::u16string_view() : text);
                } else {
                    StoreValue(*key, setting.name, this->*member);
                }
            },
            setting.member);
    }
}

std::u16string ExecutableFolder(std::u16string_view executablePath) {
    const std::size_t slash = executablePath.rfind(u'\\');
    if (slash == std::u16string_view::npos) return {};
    return std::u16string(executablePath.substr(0, slash + 1));
}
