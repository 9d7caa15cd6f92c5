#include "view/message_boxes.h"

#include <algorithm>
#include <string>

#include "base/handles_win32.h"
#include "res/resource.h"
#include "win/app_module.h"

namespace {

// Only one box is open at a time, on the user-interface thread; the hook is that thread's.
thread_local WindowsHook t_boxHook;

HWND ReferenceWindow() {
    HWND foreground = ::GetForegroundWindow();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    const bool restored =
        foreground && ::GetWindowPlacement(foreground, &placement) &&
        placement.showCmd != SW_SHOWMINIMIZED && placement.showCmd != SW_SHOWMAXIMIZED &&
        placement.showCmd != SW_MINIMIZE && placement.showCmd != SW_SHOWMINNOACTIVE;
    return restored ? foreground : ::GetDesktopWindow();
}

// A button counts only when shown: a box may keep the buttons it does not use hidden.
HWND ShownButton(HWND box, int id) {
    HWND button = ::GetDlgItem(box, id);
    if (!button || !(::GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE)) return nullptr;
    return button;
}

void PrepareBox(HWND box) {
    HWND reference = ReferenceWindow();

    HWND first = ShownButton(box, IDOK);
    HWND second = ShownButton(box, IDCANCEL);
    if (first && second) {
        std::wstring yes = LoadResString(IDS_YES);
        std::wstring no = LoadResString(IDS_NO);
        if (!yes.empty()) ::SetWindowTextW(first, yes.c_str());
        if (!no.empty()) ::SetWindowTextW(second, no.c_str());
    }

    RECT boxRect{}, referenceRect{};
    if (!::GetWindowRect(box, &boxRect) || !::GetWindowRect(reference, &referenceRect)) return;
    const POINT pos = CentredInWorkArea(boxRect, referenceRect, WorkAreaOf(reference));
    ::SetWindowPos(box, nullptr, pos.x, pos.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

LRESULT CALLBACK BoxHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && t_boxHook) {
        // The first activation is the box's own; after it the hook has nothing more to do.
        const WindowsHook hook(t_boxHook.Release());
        try {
            PrepareBox(reinterpret_cast<HWND>(wParam));
        } catch (...) {
        }
        // Hooks installed before ours (a test's, a tool's) still see the activation.
        ::CallNextHookEx(hook, code, wParam, lParam);
        return 0;
    }
    ::CallNextHookEx(t_boxHook, code, wParam, lParam);
    return 0;
}

int ShowBox(HWND owner, const wchar_t* text, UINT style) {
    std::wstring caption = LoadResString(IDS_APP_CAPTION);
    t_boxHook.Reset(::SetWindowsHookExW(WH_CBT, &BoxHookProc, nullptr, ::GetCurrentThreadId()));
    int result =
        ::MessageBoxW(owner, text ? text : L"", caption.empty() ? nullptr : caption.c_str(), style);
    // A box that never came up (no desktop to show it on) never activated either: the hook
    // must not stay behind to seize the next window's activation.
    t_boxHook.Reset();
    return result;
}

}  // namespace

POINT CentredInWorkArea(const RECT& box, const RECT& reference, const RECT& workArea) {
    const auto axis = [](LONG size, LONG refLow, LONG refHigh, LONG low, LONG high) {
        const LONG centred = refLow + (refHigh - refLow) / 2 - size / 2;
        return std::max(std::min(centred, high - size), low);
    };
    return POINT{
        axis(box.right - box.left, reference.left, reference.right, workArea.left, workArea.right),
        axis(box.bottom - box.top, reference.top, reference.bottom, workArea.top, workArea.bottom)};
}

RECT WorkAreaOf(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    return info.rcWork;
}

int WarningBox(HWND owner, const wchar_t* text) {
    return ShowBox(owner, text, MB_OK | MB_ICONWARNING);
}

int InfoBox(HWND owner, const wchar_t* text) {
    return ShowBox(owner, text, MB_OK | MB_ICONINFORMATION);
}

int QuestionBox(HWND owner, const wchar_t* text) {
    const int result = ShowBox(owner, text, MB_OKCANCEL | MB_ICONQUESTION);
    return result == IDOK ? IDYES : result == IDCANCEL ? IDNO : result;
}
