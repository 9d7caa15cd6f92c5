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
#include "test/smart_edit_win32.h"

namespace test_view_support {

// A folder under %TEMP% removed with everything in it at the end.
class TempWordFolder {
public:
    explicit TempWordFolder(const std::wstring& tag) {
        wchar_t temp[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"Memorion" + tag + L"-" +
                 std::to_wstring(::GetCurrentProcessId()) + L"\\";
        Remove();
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TempWordFolder() { Remove(); }

    // ANSI text (all the tests need), one entry a line.
    void Write(const std::wstring& name, const std::string& text) const {
        HANDLE file = ::CreateFileW((m_path + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    const std::wstring& Path() const { return m_path; }

private:
    void Remove() const {
        WIN32_FIND_DATAW found{};
        HANDLE find = ::FindFirstFileW((m_path + L"*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                ::DeleteFileW((m_path + found.cFileName).c_str());
            } while (::FindNextFileW(find, &found));
            ::FindClose(find);
        }
        ::RemoveDirectoryW(m_path.c_str());
    }
    std::wstring m_path;
};

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
