#pragma once
// What the home view's window tests share: a data folder of their own under the temporary
// folder, a settings record on a key of their own that the vocabulary cache reads, a script
// that answers the text-entry dialog and the message boxes, a catcher of the GoTo commands the
// view posts to the frame, and bounded waits that keep the messages flowing.

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/main_frame.h"
#include "data/vocabulary_cache.h"
#include "frame_test_support.h"
#include "view_test_settings.h"
#include "res/resource.h"
#include "settings/app_settings.h"
#include "settings/app_settings_win32.h"
#include "win/app_module.h"

namespace home_test {

inline std::wstring Wide(const std::u16string& text) { return {text.begin(), text.end()}; }
inline std::u16string U16(const std::wstring& text) { return {text.begin(), text.end()}; }

// A fresh folder under the temporary folder, removed with its files at the end. The data
// folder the tests point the program at is `Path()` itself or a folder below it.
class TempFolder {
public:
    TempFolder() {
        static int serial = 0;
        wchar_t temp[MAX_PATH]{};
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"memorion-home-" +
                 std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
        RemoveTree(m_path);
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TempFolder() { RemoveTree(m_path); }

    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

    // Writes `content` (ASCII, one entry per line) as the whole file.
    void Write(const std::wstring& name, const std::string& content) const {
        HANDLE file = ::CreateFileW(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    bool Exists(const std::wstring& name) const {
        return ::GetFileAttributesW(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((m_path + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        return names;
    }

private:
    static void RemoveTree(const std::wstring& path) {
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring full = path + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(full);
                } else {
                    ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                    ::DeleteFileW(full.c_str());
                }
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryW(path.c_str());
    }

    std::wstring m_path;
};

// A record on a key of its own with `dataFolder` and `selection`, read by the process-wide
// vocabulary cache while the object lives.
class HomeSettings : public view_test::TestRecord {
public:
    HomeSettings(const std::wstring& dataFolder, std::vector<std::u16string> selection = {})
        : TestRecord(L"Home", dataFolder) {
        (*this)->SetSelection(std::move(selection));
    }
};

// Answers the thread's dialogs as they come up. A text-entry dialog (it has the edit box
// IDC_STRING_EDIT) takes the next scripted answer: its text replaces the proposal unless it is
// empty-optional, then OK or Cancel; with no answer left it is cancelled. Every other dialog is
// a message box, answered with OK (Yes) or Cancel (No). What each showed is recorded in order.
class DialogScript {
public:
    struct Answer {
        std::optional<std::wstring> text;  // none: keep the proposal
        bool ok = true;
    };
    struct Shown {
        bool textEntry = false;
        std::wstring text;  // the proposal, or the box's message
        std::wstring label;
        RECT rect{};
        HWND owner = nullptr;
    };

    explicit DialogScript(bool boxYes = true) {
        s_self = this;
        m_boxYes = boxYes;
        m_hook = ::SetWindowsHookExW(WH_CBT, &Proc, nullptr, ::GetCurrentThreadId());
    }
    ~DialogScript() {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }

    void Type(std::wstring text) { m_answers.push_back({std::move(text), true}); }
    void Accept() { m_answers.push_back({std::nullopt, true}); }
    void Cancel() { m_answers.push_back({std::nullopt, false}); }
    void Enter(std::wstring text, bool ok) { m_answers.push_back({std::move(text), ok}); }
    void AnswerBoxes(bool yes) { m_boxYes = yes; }

    const std::vector<Shown>& Seen() const { return m_seen; }
    std::vector<std::wstring> BoxTexts() const {
        std::vector<std::wstring> texts;
        for (const Shown& s : m_seen) {
            if (!s.textEntry) texts.push_back(s.text);
        }
        return texts;
    }
    std::vector<std::wstring> Proposals() const {
        std::vector<std::wstring> texts;
        for (const Shown& s : m_seen) {
            if (s.textEntry) texts.push_back(s.text);
        }
        return texts;
    }
    void Clear() { m_seen.clear(); }

private:
    static std::wstring Text(HWND hWnd) {
        wchar_t text[512]{};
        ::GetWindowTextW(hWnd, text, 512);
        return text;
    }

    void OnActivate(HWND dialog) {
        if (!m_handled.insert(dialog).second) return;  // activated again, already answered
        Shown shown;
        ::GetWindowRect(dialog, &shown.rect);
        shown.owner = ::GetWindow(dialog, GW_OWNER);
        int id = m_boxYes ? IDOK : IDCANCEL;
        if (HWND edit = ::GetDlgItem(dialog, IDC_STRING_EDIT)) {
            shown.textEntry = true;
            shown.text = Text(edit);
            shown.label = Text(::GetDlgItem(dialog, IDC_STRING_LABEL));
            Answer answer{std::nullopt, false};
            if (!m_answers.empty()) {
                answer = m_answers.front();
                m_answers.pop_front();
            }
            if (answer.text) ::SetWindowTextW(edit, answer.text->c_str());
            id = answer.ok ? IDOK : IDCANCEL;
        } else {
            shown.text = Text(::GetDlgItem(dialog, 0xFFFF));  // the box's message
        }
        m_seen.push_back(shown);
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }

    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        DialogScript* self = s_self;
        if (self && code == HCBT_ACTIVATE) {
            auto window = reinterpret_cast<HWND>(wParam);
            wchar_t className[16]{};
            ::GetClassNameW(window, className, 16);
            if (std::wstring(className) == L"#32770") self->OnActivate(window);
        }
        if (self && code == HCBT_DESTROYWND) self->m_handled.erase(reinterpret_cast<HWND>(wParam));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline DialogScript* s_self = nullptr;
    HHOOK m_hook = nullptr;
    bool m_boxYes = true;
    std::deque<Answer> m_answers;
    std::vector<Shown> m_seen;
    std::set<HWND> m_handled;
};

// Takes the GoTo commands 201-205 that reach the frame and keeps them from switching views, so
// that the home view's tests depend on no other view.
class GoToCatcher {
public:
    explicit GoToCatcher(HWND frame) : m_hWnd(frame) {
        s_self = this;
        m_previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~GoToCatcher() {
        if (::IsWindow(m_hWnd)) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        }
        s_self = nullptr;
    }
    std::vector<UINT> commands;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        GoToCatcher* self = s_self;
        if (msg == WM_COMMAND && LOWORD(wParam) >= ID_GOTO_BROWSE &&
            LOWORD(wParam) <= ID_GOTO_ABOUT) {
            self->commands.push_back(LOWORD(wParam));
            return 0;
        }
        return ::CallWindowProcW(self->m_previous, hWnd, msg, wParam, lParam);
    }
    static inline GoToCatcher* s_self = nullptr;
    HWND m_hWnd;
    WNDPROC m_previous = nullptr;
};

// Pumps the harness until `done` holds or `timeoutMs` has passed; whether it held.
inline bool PumpUntil(frame_test::FrameHarness& h, const std::function<bool()>& done,
                      DWORD timeoutMs = 5000) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        h.Pump();
        if (done()) return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

// Keeps the messages flowing for `ms`: long enough for several runs of a periodic check.
inline void PumpFor(frame_test::FrameHarness& h, DWORD ms) {
    PumpUntil(h, [] { return false; }, ms);
}

}  // namespace home_test
