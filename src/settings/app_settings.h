#pragma once
// The one process-wide record of preferences, frame geometry, selected word files and score
// history, loaded from the current user's registry key when it is made and saved when the
// process ends. Fields that carry no invariant are plain members, read and written directly by
// the code that owns the matching behaviour.
#include "settings/font_object.h"
#include "settings/log_font.h"
#include "settings/registry_store.h"
#include "settings/score_history.h"
#include "settings/stored_values.h"

#include <cstdint>
#include <memory>
#include <string>

// The enumerations are kept as plain numbers: each value is its caption's position in the setup
// view's list, and a stored number outside the range is kept as loaded.
namespace TestingDirections {
inline constexpr std::int32_t Normal = 0;
inline constexpr std::int32_t Reverse = 1;
inline constexpr std::int32_t Random = 2;
}  // namespace TestingDirections

namespace WordOrders {
inline constexpr std::int32_t Random = 0;
inline constexpr std::int32_t Alphabetical = 1;
inline constexpr std::int32_t Normal = 2;
}  // namespace WordOrders

namespace FontSizes {
inline constexpr std::int32_t Normal = 0;
inline constexpr std::int32_t Large = 1;
inline constexpr std::int32_t ExtraLarge = 2;
}  // namespace FontSizes

// In WinX or WinY: no window position has been stored.
inline constexpr std::int32_t PositionUnset = -10000;

class AppSettings {
public:
    struct Seams {
        std::unique_ptr<RegistryStore> store;  // null: nothing is loaded or saved
        FontMaker makeFont;                    // empty: the record keeps the description only
        std::u16string executablePath;         // full path of the running program
    };

    // Sets the defaults, makes the default font, loads the key, then derives the data folder.
    explicit AppSettings(Seams seams);
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;
    ~AppSettings();

    // The process-wide record on the current user's real key, made on first use and saved when
    // the process ends normally.
    static AppSettings& Instance();

    // The stored ones get their defaults from the table of stored values (app_settings.cpp).
    std::int32_t TestingDirection;
    std::int32_t WordOrder;
    std::int32_t FontSize;
    bool CaseSensitive;
    bool LazyRepeat;
    bool ShowHint;
    std::u16string DefaultDataFolder;  // executable folder + "data\"; not stored
    std::u16string DataFolder;
    bool ConfirmExit;
    bool CustomFont;
    std::int32_t WinX;
    std::int32_t WinY;
    std::int32_t WinDluW;
    std::int32_t WinDluH;
    bool RestartRequested = false;  // not stored

    // DataFolder with exactly one trailing backslash, the base of every path in the folder.
    std::u16string DataFolderPath() const;

    SelectionNames Selection() const { return selectionList_; }
    void SetSelection(SelectionNames names) { selectionList_ = std::move(names); }

    ScoreList Scores() const { return scoreList_; }
    // Keeps only the newest MaxScoreRecords.
    void SetScores(ScoreList scores);

    const LogFont& UserFont() const noexcept { return userFont_; }
    // The font object made from UserFont(); null only when there is no font maker.
    void* UserFontHandle() const noexcept {
        return userFontObject_ ? userFontObject_->Handle() : nullptr;
    }
    // Makes a font object from the description and puts it in place of the current one, which
    // is deleted. When the system cannot make it, the current font stays and false comes back.
    bool SetUserFont(const LogFont& font);

    // Writes every stored value. Safe to call more than once: the end of the Windows session
    // saves without ending the record, and the normal end of the process saves again.
    void Save();

private:
    struct StoredSetting;
    static const StoredSetting kStoredSettings[];

    void Load();

    std::unique_ptr<RegistryStore> store_;
    FontMaker makeFont_;
    SelectionNames selectionList_;
    ScoreList scoreList_;
    LogFont userFont_;
    std::unique_ptr<FontObject> userFontObject_;
};

// The folder part of a program path, up to and including its last backslash; empty without one.
std::u16string ExecutableFolder(std::u16string_view executablePath);
