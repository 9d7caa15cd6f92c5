#pragma once
// What the window tests of the main frame share: a settings record on a test key of its own,
// a frame driven through its own message filter as the program's loop drives it, a recorder
// of the messages a view receives, and an answerer of message boxes.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_frame.h"
#include "settings/app_settings.h"
#include "settings/app_settings_win32.h"
#include "view_test_settings.h"
#include "win/app_module.h"
#include "win/message_loop.h"

namespace frame_test {

// A fresh record with the defaults of a first start, on a registry key and an empty data
// folder of its own that the process-wide vocabulary cache reads while it lives.
class TestSettings : public view_test::BoundSettings {
public:
    TestSettings() : BoundSettings(L"Frame") {}
};

// One frame with a registered message loop; messages are pumped through the frame's filter
// first, as the loop does.
class FrameHarness {
public:
    explicit FrameHarness(AppSettings& settings, int showCmd = SW_SHOWNORMAL)
        : frame(settings) {
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

// Records WM_COMMAND ids and activations that reach one window, by subclassing it.
class MessageRecorder {
public:
    explicit MessageRecorder(HWND hWnd) : m_hWnd(hWnd) {
        s_self = this;
        m_previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
            hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~MessageRecorder() {
        if (::IsWindow(m_hWnd)) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        }
        s_self = nullptr;
    }
    std::vector<UINT> commands;
    int activations = 0;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        MessageRecorder* self = s_self;
        if (msg == WM_COMMAND) self->commands.push_back(LOWORD(wParam));
        if (msg == WM_USER + 101) ++self->activations;
        return ::CallWindowProcW(self->m_previous, hWnd, msg, wParam, lParam);
    }
    static inline MessageRecorder* s_self = nullptr;
    HWND m_hWnd;
    WNDPROC m_previous = nullptr;
};

// Answers every message box of the thread with Yes (OK) or No (Cancel) and keeps its text.
class BoxAnswerer {
public:
    explicit BoxAnswerer(bool yes) {
        s_yes = yes;
        s_texts.clear();
        s_hook = ::SetWindowsHookExW(WH_CBT, &Proc, nullptr, ::GetCurrentThreadId());
    }
    ~BoxAnswerer() { ::UnhookWindowsHookEx(s_hook); }
    void Answer(bool yes) { s_yes = yes; }
    const std::vector<std::wstring>& Texts() const { return s_texts; }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            auto box = reinterpret_cast<HWND>(wParam);
            wchar_t className[16]{};
            ::GetClassNameW(box, className, 16);
            if (std::wstring(className) == L"#32770") {
                wchar_t text[512]{};
                ::GetDlgItemTextW(box, 0xFFFF, text, 512);  // the box's message text
                s_texts.emplace_back(text);
                const int id = s_yes ? IDOK : IDCANCEL;
                ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(box, id)));
            }
        }
        return ::CallNextHookEx(s_hook, code, wParam, lParam);
    }
    static inline HHOOK s_hook = nullptr;
    static inline bool s_yes = false;
    static inline std::vector<std::wstring> s_texts;
};

}  // namespace frame_test
