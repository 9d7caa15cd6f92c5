#include "settings/app_settings.h"

#include <algorithm>

namespace {

// A number is taken only from a REG_DWORD of exactly four bytes: a shorter one would leave part
// of the number undefined, and a longer one is not a number of ours.
std::optional<std::uint32_t> ReadDword(RegistryKey& key, std::u16string_view name) {
    const std::optional<StoredValue> v = key.Query(name);
    if (!v || v->type != RegistryType::Dword || v->bytes.size() != 4) return std::nullopt;
    return static_cast<std::uint32_t>(v->bytes[0]) | static_cast<std::uint32_t>(v->bytes[1]) << 8 |
           static_cast<std::uint32_t>(v->bytes[2]) << 16 |
           static_cast<std::uint32_t>(v->bytes[3]) << 24;
}

void LoadValue(RegistryKey& key, std::u16string_view name, std::int32_t& field) {
    if (const auto n = ReadDword(key, name)) field = static_cast<std::int32_t>(*n);
}

void LoadValue(RegistryKey& key, std::u16string_view name, bool& field) {
    if (const auto n = ReadDword(key, name)) field = *n != 0;
}

// Taken literally, also from REG_EXPAND_SZ, up to the first zero unit; a value of less than
// four bytes holds no folder (the empty text is how the default folder is stored).
void LoadFolder(RegistryKey& key, std::u16string_view name, std::u16string& field) {
    const std::optional<StoredValue> v = key.Query(name);
    if (!v || (v->type != RegistryType::String && v->type != RegistryType::ExpandString) ||
        v->bytes.size() < 4) {
        return;
    }
    std::u16string text;
    for (std::size_t at = 0; at + 1 < v->bytes.size(); at += 2) {
        const char16_t c = static_cast<char16_t>(v->bytes[at] | v->bytes[at + 1] << 8);
        if (c == u'\0') break;
        text.push_back(c);
    }
    field = std::move(text);
}

// Numbers and flags alike: a number as its 32 bits, a flag as 1 or 0.
void StoreValue(RegistryKey& key, std::u16string_view name, std::uint32_t n) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                   static_cast<std::uint8_t>(n >> 16),
                                   static_cast<std::uint8_t>(n >> 24)};
    key.Set(name, RegistryType::Dword, bytes);
}

void SaveText(RegistryKey& key, std::u16string_view name, std::u16string_view text) {
    Bytes bytes;
    bytes.reserve(2 * (text.size() + 1));
    for (char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    bytes.insert(bytes.end(), {0, 0});
    key.Set(name, RegistryType::String, bytes);
}

}  // namespace

AppSettings::AppSettings(Seams seams)
    : store_(std::move(seams.store)), makeFont_(std::move(seams.makeFont)) {
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
    LoadValue(*key, u"TestingDirection", TestingDirection);
    LoadValue(*key, u"WordOrder", WordOrder);
    LoadValue(*key, u"FontSize", FontSize);
    LoadValue(*key, u"CaseSensitive", CaseSensitive);
    LoadValue(*key, u"LazyRepeat", LazyRepeat);
    LoadValue(*key, u"ShowHint", ShowHint);
    LoadFolder(*key, u"DataFolder", DataFolder);
    LoadValue(*key, u"ConfirmExit", ConfirmExit);
    LoadValue(*key, u"CustomFont", CustomFont);
    LoadValue(*key, u"WinX", WinX);
    LoadValue(*key, u"WinY", WinY);
    LoadValue(*key, u"WinDluW", WinDluW);
    LoadValue(*key, u"WinDluH", WinDluH);
    if (const auto v = key->Query(u"SelectionList"); v && v->type == RegistryType::Binary) {
        if (auto names = DecodeSelectionList(v->bytes)) selectionList_ = std::move(*names);
    }
    // Taken as stored, also beyond the capacity: the next recorded test trims it.
    if (const auto v = key->Query(u"ScoreList"); v && v->type == RegistryType::Binary) {
        if (auto scores = DecodeScoreList(v->bytes)) scoreList_ = std::move(*scores);
    }
    // The font's type is not checked: only its size tells a description from something else.
    if (const auto v = key->Query(u"UserFont")) {
        if (const auto font = DecodeUserFont(v->bytes)) SetUserFont(*font);
    }
}

void AppSettings::Save() {
    if (!store_) return;
    const std::unique_ptr<RegistryKey> key = store_->OpenForWrite();
    if (!key) return;
    StoreValue(*key, u"TestingDirection", TestingDirection);
    StoreValue(*key, u"WordOrder", WordOrder);
    StoreValue(*key, u"FontSize", FontSize);
    StoreValue(*key, u"CaseSensitive", CaseSensitive);
    StoreValue(*key, u"LazyRepeat", LazyRepeat);
    StoreValue(*key, u"ShowHint", ShowHint);
    // The default folder is stored as the empty text, so that a program moved elsewhere
    // finds the data folder beside its new location.
    SaveText(*key, u"DataFolder",
             DataFolder == DefaultDataFolder ? std::u16string_view() : DataFolder);
    StoreValue(*key, u"ConfirmExit", ConfirmExit);
    StoreValue(*key, u"CustomFont", CustomFont);
    StoreValue(*key, u"WinX", WinX);
    StoreValue(*key, u"WinY", WinY);
    StoreValue(*key, u"WinDluW", WinDluW);
    StoreValue(*key, u"WinDluH", WinDluH);
    key->Set(u"SelectionList", RegistryType::Binary, EncodeSelectionList(selectionList_));
    key->Set(u"ScoreList", RegistryType::Binary, EncodeScoreList(scoreList_));
    key->Set(u"UserFont", RegistryType::Binary, EncodeUserFont(userFont_));
}

std::u16string ExecutableFolder(std::u16string_view executablePath) {
    const std::size_t slash = executablePath.rfind(u'\\');
    if (slash == std::u16string_view::npos) return {};
    return std::u16string(executablePath.substr(0, slash + 1));
}
