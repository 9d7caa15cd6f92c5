#pragma once
// The frame base: a top-level window whose client area is filled by one view window.

#include <windows.h>

#include "win/window.h"

template <class T>
class CFrameWindowImpl : public CWindowImpl<T> {
public:
    // The view that fills the client area: resized with the frame, given the focus when the
    // frame gets it, and the reason the frame's background is never erased.
    HWND m_hWndClient = nullptr;
    HACCEL m_hAccel = nullptr;

    CFrameWindowImpl() = default;
    ~CFrameWindowImpl() override {
        // Only tables loaded from resources are ours; they are freed with the module too,
        // but a rebuilt frame should not leave its predecessor's behind.
        if (m_hAccel) ::DestroyAcceleratorTable(m_hAccel);
    }

    // Creates the frame with the derived class's title, menu and styles. The menu belongs to
    // the window from here on.
    HWND CreateEx(HWND parent, const wchar_t* title, DWORD style, DWORD exStyle, HMENU menu,
                  const RECT* rc = nullptr) {
        HWND hWnd = this->Create(parent, rc, title, style, exStyle, menu);
        if (!hWnd && menu) ::DestroyMenu(menu);
        return hWnd;
    }

    bool LoadAccelerators(UINT id) {
        HACCEL loaded = ::LoadAcceleratorsW(AppModule().GetResourceInstance(),
                                            MAKEINTRESOURCEW(id));
        if (!loaded) return false;
        if (m_hAccel) ::DestroyAcceleratorTable(m_hAccel);
        m_hAccel = loaded;
        return true;
    }

    // For the derived class's message filter: TRUE when the accelerator table translated
    // the message into a command.
    BOOL TranslateAccelerators(MSG* msg) {
        return m_hAccel && this->m_hWnd &&
               ::TranslateAcceleratorW(this->m_hWnd, m_hAccel, msg);
    }

    // Stretches the client view over the whole client area.
    void UpdateLayout() {
        if (!m_hWndClient || !::IsWindow(m_hWndClient)) return;
        RECT rc = this->GetClientRect();
        ::SetWindowPos(m_hWndClient, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }

    BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
        switch (msg) {
        case WM_SIZE:
            return OnSize(wParam, result);
        case WM_SETFOCUS:
            return OnSetFocus(result);
        case WM_ERASEBKGND:
            return OnEraseBackground(result);
        case WM_DESTROY:
            return OnDestroy(result);
        default:
            return FALSE;
        }
    }

protected:
    BOOL OnSize(WPARAM type, LRESULT& result) {
        if (type != SIZE_MINIMIZED) UpdateLayout();
        result = 0;
        return FALSE;  // the default processing follows
    }

    BOOL OnSetFocus(LRESULT& result) {
        if (!m_hWndClient || !::IsWindow(m_hWndClient)) return FALSE;
        ::SetFocus(m_hWndClient);
        result = 0;
        return TRUE;
    }

    BOOL OnEraseBackground(LRESULT& result) {
        if (!m_hWndClient) return FALSE;
        result = 1;  // the view covers everything; erasing would only flicker
        return TRUE;
    }

    BOOL OnDestroy(LRESULT& result) {
        // A top-level frame ends its thread's loop; the exit code of a normal close is 1.
        if ((this->GetStyle() & (WS_CHILD | WS_POPUP)) == 0) ::PostQuitMessage(1);
        result = 0;
        return FALSE;
    }
};
