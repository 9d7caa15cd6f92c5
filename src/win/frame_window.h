#pragma once
// The frame base: a top-level window whose client area is filled by one view window. T names
// the exit code its thread's loop ends with when the frame closes (kExitCode).

#include <windows.h>

#include "base/handles_win32.h"
#include "win/window.h"

template <class T>
class CFrameWindowImpl : public CWindowImpl<T> {
public:
    // The view that fills the client area: resized with the frame, given the focus when the
    // frame gets it, and the reason the frame's background is never erased.
    HWND m_hWndClient = nullptr;
    // Tables loaded from resources are freed with the module too, but a rebuilt frame should
    // not leave its predecessor's behind.
    AcceleratorTable m_hAccel;

    // Creates the frame with the derived class's title, menu and styles. The menu belongs to
    // the window from here on.
    HWND CreateEx(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, HMENU menu,
                  const RECT* rc = nullptr) {
        UniqueMenu owned(menu);
        HWND hWnd = this->Create(parent, rc, title, style, exStyle, menu);
        if (hWnd) owned.Release();
        return hWnd;
    }

    bool LoadAccelerators(UINT id) {
        AcceleratorTable loaded(
            ::LoadAcceleratorsW(AppModule().GetResourceInstance(), MAKEINTRESOURCEW(id)));
        if (!loaded) return false;
        m_hAccel = std::move(loaded);
        return true;
    }

    // For the derived class's message filter: TRUE when the accelerator table translated
    // the message into a command.
    BOOL TranslateAccelerators(MSG* msg) {
        return m_hAccel && this->m_hWnd && ::TranslateAcceleratorW(this->m_hWnd, m_hAccel, msg);
    }

    // Stretches the client view over the whole client area.
    void UpdateLayout() {
        if (!m_hWndClient || !::IsWindow(m_hWndClient)) return;
        RECT rc = this->GetClientRect();
        ::SetWindowPos(m_hWndClient, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }

    BEGIN_MSG_MAP(CFrameWindowImpl)
        MSG_WM_SIZE(OnSize)
        MESSAGE_HANDLER(WM_SETFOCUS, OnSetFocus)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

protected:
    // The default processing follows each of these unless said otherwise.
    void OnSize(UINT type, int, int) {
        if (type != SIZE_MINIMIZED) UpdateLayout();
        this->SetMsgHandled(false);
    }

    void OnSetFocus() {
        const bool hasView = m_hWndClient && ::IsWindow(m_hWndClient);
        if (hasView) ::SetFocus(m_hWndClient);
        this->SetMsgHandled(hasView);
    }

    LRESULT OnEraseBackground() {
        this->SetMsgHandled(!!m_hWndClient);
        return 1;  // the view covers everything; erasing would only flicker
    }

    void OnDestroy() {
        // A top-level frame ends its thread's loop, with the exit code its program chose.
        if ((this->GetStyle() & (WS_CHILD | WS_POPUP)) == 0) ::PostQuitMessage(T::kExitCode);
        this->SetMsgHandled(false);
    }
};
