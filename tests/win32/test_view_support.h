#pragma once
// What the test and graph view tests (and the timing harness) share: a temporary data folder
// with word files, a frame on a test record that reads it, and the deterministic drive of the
// answer field's flash.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "data/vocabulary_cache.h"
#include "frame_test_support.h"
#include "res/resource.h"
#include "views/smart_edit.h"
#include "view_test_settings.h"

namespace test_view_support {

using TempWordFolder = view_test::TempDataFolder;

inline std::u16string U16(const std::wstring& text) {
    return std::u16string(text.begin(), text.end());
}

// Points the process-wide cache at a test record whose data folder is `folder` with the
// given files selected; undone at the end.
class BoundData {
public:
    BoundData(AppSettings& settings, const TempWordFolder& folder,
              const std::vector<std::wstring>& selected) {
        settings.DataFolder = U16(folder.Path());
        SelectionNames names;
        for (const std::wstring& name : selected) names.push_back(U16(name));
        settings.SetSelection(names);
        VocabularyCache::BindSettings(&settings);
        CreateFlashColorTable();
    }
    ~BoundData() { VocabularyCache::BindSettings(nullptr); }
};

inline std::wstring Text(HWND hWnd) {
    wchar_t text[1024]{};
    ::GetWindowTextW(hWnd, text, 1024);
    return text;
}

struct Progress {
    int low = 0, high = 0, pos = 0;
};
inline Progress ReadProgress(HWND bar) {
    PBRANGE range{};
    ::SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const auto pos = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
    return Progress{range.iLow, range.iHigh, pos};
}

}  // namespace test_view_support
