#pragma once
// What the window tests share, and the timing programs with them: a temporary folder, a
// settings record on a registry key of its own with the vocabulary cache over it, a frame
// driven through its own message filter as the program's loop drives it, recorders of what
// reaches a window, a script that answers the thread's dialogs, and bounded waits that keep
// the messages flowing.

#include <windows.h>
#include <commctrl.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "app/main_frame.h"
#include "base/file_path_win32.h"
#include "base/wide_text.h"
#include "data/folder_watcher_win32.h"
#include "data/vocabulary_cache.h"
#include "res/resource.h"
#include "settings/app_settings.h"
#include "settings/app_settings_win32.h"
#include "view/messages.h"
#include "win/app_module.h"
#include "win/message_loop.h"
#include "win/window.h"

namespace harness {

// A fresh folder under the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        static int serial = 0;
        m_path = std::filesystem::temp_directory_path() /
                 (L"memorion-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                  std::to_wstring(++serial));
        Remove();  // left over from a run that was killed
        std::filesystem::create_directory(m_path);
    }
    ~TempFolder() { Remove(); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Without a trailing backslash.
    std::wstring Path() const { return m_path.wstring(); }
    std::wstring File(const std::wstring& name) const { return (m_path / name).wstring(); }
    // Writes `content` (8-bit text, one entry a line) as the whole file.
    // By the path that names a file: aux.mrn is no device here.
    void Write(const std::wstring& name, const std::string& content) const {
        std::ofstream(std::filesystem::path(FileSystemPath(File(name))), std::ios::binary)
            << content;
    }
    bool Exists(const std::wstring& name) const { return std::filesystem::exists(m_path / name); }

private:
    void Remove() const {
        std::error_code error;
        std::vector<std::wstring> files;
        // Files a test made read-only could not be deleted.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_path, error)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, error);
            files.push_back(entry.path().wstring());
        }
        // Files named like devices go only by the path that names the file.
        for (const std::wstring& file : files) ::DeleteFileW(FileSystemPath(file).c_str());
        std::filesystem::remove_all(m_path, error);
    }

    std::filesystem::path m_path;
};

// A record with the defaults of a first start, on HKCU\Software\MemorionTests\<name>-<pid>,
// reading a data folder of its own (the temporary folder, or `below` inside it), and the
// vocabulary cache over it. At the end the watcher stops before the folder goes, and the key
// is removed: no test touches the program's own key.
class TestSettings {
public:
    explicit TestSettings(const std::wstring& name = L"Frame", const std::wstring& below = L"")
        : m_key(FreshKey(name)),
          m_settings(SettingsSeamsWin32(m_key)),
          m_cache(SourcesFor(m_settings)) {
        m_settings.DataFolder = U16(below.empty() ? folder.Path() + L"\\" : folder.File(below));
    }
    ~TestSettings() {
        watcher.Stop();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MemorionTests");  // only when empty
    }
    TestSettings(const TestSettings&) = delete;
    TestSettings& operator=(const TestSettings&) = delete;

    AppSettings& operator*() { return m_settings; }
    AppSettings* operator->() { return &m_settings; }
    VocabularyCache& Cache() { return m_cache; }
    const std::wstring& Key() const { return m_key; }
    // The data folder as the record holds it.
    std::wstring Folder() const { return Wide(m_settings.DataFolder); }

    TempFolder folder;
    // The frames over this record report to it; it stops before the folder goes.
    WatcherSlot watcher;

private:
    static std::wstring FreshKey(const std::wstring& name) {
        std::wstring key =
            L"Software\\MemorionTests\\" + name + L"-" + std::to_wstring(::GetCurrentProcessId());
        ::RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
        return key;
    }

    std::wstring m_key;
    AppSettings m_settings;
    VocabularyCache m_cache;
};

// The folder `slot` watches now; empty when there is none.
inline std::wstring WatchedFolder(const WatcherSlot& slot) {
    return slot.watcher ? slot.watcher->Path() : std::wstring();
}

// One frame with a registered message loop; messages are pumped through the frame's filter
// first, as the loop does.
class FrameHarness {
public:
    explicit FrameHarness(TestSettings& settings, int showCmd = SW_SHOWNORMAL)
        : frame(*settings, settings.Cache(), settings.watcher) {
        AppModule().AddMessageLoop(&loop);
        hWnd = frame.CreateFrame();
        if (hWnd) ::ShowWindow(hWnd, showCmd);
        Pump();
    }
    ~FrameHarness() {
        if (frame.IsWindow()) frame.DestroyWindow();
        Pump();
        AppModule().RemoveMessageLoop();
    }

    void Pump() {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quitCode = static_cast<int>(msg.wParam);
                continue;
            }
            if (frame.IsWindow() && frame.PreTranslateMessage(&msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }

    // A key pressed while the frame has the keyboard: it arrives at the focused control of
    // the active view, or at the view itself.
    void Key(UINT vk) {
        HWND target = ::GetFocus();
        if (!target || (target != hWnd && !::IsChild(hWnd, target))) target = frame.ActiveView();
        ::PostMessageW(target, WM_KEYDOWN, vk, 1);
        ::PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
        Pump();
    }

    void Command(UINT id) {
        ::PostMessageW(hWnd, WM_COMMAND, id, 0);
        Pump();
    }

    // The key of each GoTo command, in the order of the frame's table of views, read from the
    // frame's accelerators: a view added to the table is walked by every test that walks these.
    static std::vector<UINT> GoToKeys() {
        HACCEL table =
            ::LoadAcceleratorsW(AppModule().GetResourceInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
        std::vector<ACCEL> accels(
            static_cast<std::size_t>(::CopyAcceleratorTableW(table, nullptr, 0)));
        ::CopyAcceleratorTableW(table, accels.data(), static_cast<int>(accels.size()));
        std::vector<UINT> keys(CMainFrame::kViewCount);
        for (const ACCEL& a : accels) {
            if (a.cmd >= ID_GOTO_HOME && a.cmd <= CMainFrame::kLastGoTo)
                keys[a.cmd - ID_GOTO_HOME] = a.key;
        }
        return keys;
    }

    // Texts of the menu bar's popups, in order.
    std::vector<std::wstring> MenuBar() const {
        std::vector<std::wstring> texts;
        HMENU menu = ::GetMenu(hWnd);
        for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
            wchar_t text[64]{};
            ::GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            texts.emplace_back(text);
        }
        return texts;
    }
    bool IsGrayed(UINT command) const {
        const UINT state = ::GetMenuState(::GetMenu(hWnd), command, MF_BYCOMMAND);
        return state != static_cast<UINT>(-1) && (state & MF_GRAYED) != 0;
    }

    CMessageLoop loop;
    CMainFrame frame;
    HWND hWnd = nullptr;
    int quitCode = -1;
};

// Dispatches what is queued, without any frame's filter; a quit message is dropped.
inline void DrainMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Pumps the harness until `done` holds or `timeoutMs` has passed; whether it held.
inline bool PumpUntil(FrameHarness& h, const std::function<bool()>& done, DWORD timeoutMs = 5000) {
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
inline void PumpFor(FrameHarness& h, DWORD ms) {
    PumpUntil(
        h, [] { return false; }, ms);
}

// Puts a window procedure of the test's in front of a window's own, for as long as both live.
template <class T>
class Subclass : public CFrontProcedure<T> {
protected:
    explicit Subclass(HWND hWnd) { this->PutInFront(hWnd); }
};

// Records the WM_COMMAND ids and the activations that reach one window.
class MessageRecorder : public Subclass<MessageRecorder> {
public:
    explicit MessageRecorder(HWND hWnd) : Subclass(hWnd) {}
    std::vector<UINT> commands;
    int activations = 0;

    bool Take(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
        if (msg == WM_COMMAND) commands.push_back(LOWORD(wParam));
        if (msg == WM_VIEW_ACTIVATE) ++activations;
        return false;
    }
};

// Takes the GoTo commands of the views other than home that reach the frame and keeps them from
// switching views, so that the home view's tests depend on no other view.
class GoToCatcher : public Subclass<GoToCatcher> {
public:
    explicit GoToCatcher(HWND frame) : Subclass(frame) {}
    std::vector<UINT> commands;

    bool Take(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
        if (msg != WM_COMMAND || LOWORD(wParam) <= ID_GOTO_HOME ||
            LOWORD(wParam) > CMainFrame::kLastGoTo) {
            return false;
        }
        commands.push_back(LOWORD(wParam));
        return true;
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
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    void Type(std::wstring text) { m_answers.push_back({std::move(text), true}); }
    void Accept() { m_answers.push_back({std::nullopt, true}); }
    void Cancel() { m_answers.push_back({std::nullopt, false}); }
    void Enter(std::wstring text, bool ok) { m_answers.push_back({std::move(text), ok}); }
    void AnswerBoxes(bool yes) { m_boxYes = yes; }
    void ForgetAnswers() { m_answers.clear(); }

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
    static std::wstring Text(HWND hWnd) { return CWindow(hWnd).GetWindowText(); }

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

// The windows whose client object raised `event`, as a screen reader's hook hears them:
// delivered while the thread pumps its messages. One recorder at a time.
struct WinEvents {
    static inline std::multiset<HWND>* s_windows = nullptr;
    std::multiset<HWND> windows;
    HWINEVENTHOOK hook;
    explicit WinEvents(DWORD event)
        : hook(::SetWinEventHook(event, event, nullptr, &Hear, 0, 0, WINEVENT_OUTOFCONTEXT)) {
        s_windows = &windows;
    }
    ~WinEvents() { ::UnhookWinEvent(hook), s_windows = nullptr; }
    static void CALLBACK Hear(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD, DWORD) {
        if (s_windows && object == OBJID_CLIENT) s_windows->insert(window);
    }
};

// A window's text, as the user sees it.
inline std::wstring Text(HWND hWnd) {
    return CWindow(hWnd).GetWindowText();
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

}  // namespace harness
