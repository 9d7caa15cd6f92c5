#pragma once
// The window base: a thin HWND wrapper, and window classes whose C++ object is bound to its
// HWND in one static window procedure that dispatches to the class's message table.

#include <windows.h>

#include <optional>
#include <string>
#include <unordered_map>

#include "win/app_module.h"
#include "win/message_map.h"

// A non-owning HWND with the few helpers the program needs.
class CWindow {
public:
    HWND m_hWnd = nullptr;

    CWindow(HWND hWnd = nullptr) : m_hWnd(hWnd) {}
    operator HWND() const { return m_hWnd; }

    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }
    BOOL DestroyWindow() { return ::DestroyWindow(m_hWnd); }

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(m_hWnd, msg, wParam, lParam);
    }

    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }

    RECT GetClientRect() const {
        RECT rc{};
        ::GetClientRect(m_hWnd, &rc);
        return rc;
    }
    RECT GetWindowRect() const {
        RECT rc{};
        ::GetWindowRect(m_hWnd, &rc);
        return rc;
    }
    // Where the window is in its parent's client area.
    RECT GetRectInParent() const {
        RECT rc = GetWindowRect();
        ::MapWindowPoints(nullptr, GetParent(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
    }
    BOOL SetWindowPos(HWND after, const RECT& rc, UINT flags) {
        return ::SetWindowPos(m_hWnd, after, rc.left, rc.top, rc.right - rc.left,
                              rc.bottom - rc.top, flags);
    }
    BOOL ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    BOOL Invalidate(BOOL erase = TRUE) { return ::InvalidateRect(m_hWnd, nullptr, erase); }

    BOOL SetWindowText(const wchar_t* text) { return ::SetWindowTextW(m_hWnd, text); }
    std::wstring GetWindowText() const;

    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    void SetFont(HFONT font, BOOL redraw = TRUE) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw, 0));
    }
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    BOOL SetMenu(HMENU menu) { return ::SetMenu(m_hWnd, menu); }
};

// Keeps a control from drawing while it lives, then has it painted once, whole. A shown
// list box otherwise redraws its scroll bar for every item added and paints every item
// selected at once. Only for a control meant to show: turning drawing on marks it visible.
class CRedrawOff {
public:
    explicit CRedrawOff(HWND hWnd) : m_hWnd(hWnd) { ::SendMessageW(hWnd, WM_SETREDRAW, FALSE, 0); }
    ~CRedrawOff() {
        ::SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    CRedrawOff(const CRedrawOff&) = delete;
    CRedrawOff& operator=(const CRedrawOff&) = delete;

private:
    HWND m_hWnd;
};

// Objects by the windows they are bound to, found on every message without asking the system:
// under Wine a window property costs a round trip to the server (25-37 us a call). Extra window
// bytes would serve only our own classes and DWLP_USER only dialogs, while GWLP_USERDATA
// belongs to the controls we subclass; a table serves all of them, and whoever binds also
// unbinds. Any thread may bind or look up.
class CWindowObjectTable {
public:
    void* Find(HWND hWnd) const;
    void Set(HWND hWnd, void* object);
    // Only while the window is still bound to `object`.
    void Erase(HWND hWnd, const void* object);

private:
    mutable SRWLOCK m_lock = SRWLOCK_INIT;
    std::unordered_map<HWND, void*> m_objects;
};

// A procedure of T's put in front of the procedure a window already has, for a window that has
// an object of its own (a dialog of ours, a control): T::Take(msg, wParam, lParam, result)
// answers a message, or leaves it to the window's own procedure by returning false. The window
// gets its procedure back when it is destroyed or the object goes, whichever comes first; at
// WM_NCDESTROY, T::OnWindowGone runs where T has one. One object a window, and a window one
// object of a kind.
template <class T>
class CFrontProcedure {
public:
    CFrontProcedure() = default;
    CFrontProcedure(const CFrontProcedure&) = delete;
    CFrontProcedure& operator=(const CFrontProcedure&) = delete;
    ~CFrontProcedure() { Remove(); }

    bool PutInFront(HWND hWnd) {
        if (m_hWnd || !::IsWindow(hWnd) || Objects().Find(hWnd)) return false;
        Objects().Set(hWnd, this);
        m_previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
        if (!m_previous) {
            Objects().Erase(hWnd, this);
            return false;
        }
        m_hWnd = hWnd;
        return true;
    }

    void Remove() {
        if (!m_hWnd) return;
        if (::IsWindow(m_hWnd)) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        }
        Objects().Erase(m_hWnd, this);
        m_hWnd = nullptr;
    }

    HWND Window() const { return m_hWnd; }

private:
    // Never destroyed: objects of static storage may still remove themselves as the process ends.
    static CWindowObjectTable& Objects() {
        static auto* const table = new CWindowObjectTable;
        return *table;
    }

    static LRESULT CALLBACK Procedure(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        auto* front = static_cast<CFrontProcedure*>(Objects().Find(hWnd));
        if (!front) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
        auto* self = static_cast<T*>(front);
        const WNDPROC previous = front->m_previous;
        LRESULT result = 0;
        if (msg == WM_NCDESTROY) {
            front->Remove();
            if constexpr (requires { self->OnWindowGone(); }) self->OnWindowGone();
        } else if (self->Take(msg, wParam, lParam, result)) {
            return result;
        }
        return ::CallWindowProcW(previous, hWnd, msg, wParam, lParam);
    }

    HWND m_hWnd = nullptr;
    WNDPROC m_previous = nullptr;
};

// What windows and dialogs share: the binding between HWND and object, which ends with
// whichever of the two goes first.
class CWindowImplRoot : public CWindow, public CMessageMap {
public:
    CWindowImplRoot() = default;
    CWindowImplRoot(const CWindowImplRoot&) = delete;
    CWindowImplRoot& operator=(const CWindowImplRoot&) = delete;
    // A window that outlives its object gets the default answers from then on.
    virtual ~CWindowImplRoot() { Unbind(); }

    // The object bound to a window of ours, or null.
    static CWindowImplRoot* FromHandle(HWND hWnd);

protected:
    // Called after the window's last message; the object may delete itself here.
    virtual void OnFinalMessage(HWND) {}

    void Bind(HWND hWnd);
    void Unbind();

    // What the window procedures share: the message table, then the default answer to a
    // reflected notification that the table left alone. Null when a handler threw: an
    // exception must not unwind through the system's frames.
    std::optional<BOOL> RunMessageMap(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result);
    // After WM_NCDESTROY: the object lets go of the window and hears that it is gone.
    void EndBinding(HWND hWnd);
};

// Windows of our own classes and subclassed controls.
class CWindowImplBase : public CWindowImplRoot {
public:
    // A subclassed control that outlives its object goes back to its own procedure.
    ~CWindowImplBase() override { UnsubclassWindow(); }

    // Takes over an existing control: its messages come to ProcessWindowMessage first and
    // go on to the control's own procedure when not handled. Undone at the control's
    // destruction or by UnsubclassWindow.
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND CreateImpl(ATOM windowClass, HWND parent, const RECT* rc, const wchar_t* title,
                    DWORD style, DWORD exStyle, HMENU menuOrId);

    WNDPROC m_pfnSuperWindowProc = ::DefWindowProcW;
};

// A window of a class registered for T on first use, named by T's kClassName, written out
// rather than taken from the type, whose text differs between compilers. T may hide
// CustomizeWndClass to change the defaults (arrow cursor, COLOR_WINDOW background).
template <class T>
class CWindowImpl : public CWindowImplBase {
public:
    HWND Create(HWND parent, const RECT* rc, const wchar_t* title, DWORD style, DWORD exStyle = 0,
                HMENU menuOrId = nullptr) {
        ATOM windowClass = RegisterWndClass();
        if (!windowClass) return nullptr;
        return CreateImpl(windowClass, parent, rc, title, style, exStyle, menuOrId);
    }

    static void CustomizeWndClass(WNDCLASSEXW&) {}

    static ATOM RegisterWndClass() {
        static const ATOM atom = [] {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
            wc.lpfnWndProc = &CWindowImplBase::WindowProc;
            wc.hInstance = AppModule().GetModuleInstance();
            wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
            wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
            wc.lpszClassName = T::kClassName;
            T::CustomizeWndClass(wc);
            return ::RegisterClassExW(&wc);
        }();
        return atom;
    }
};
