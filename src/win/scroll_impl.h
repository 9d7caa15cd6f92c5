#pragma once
// The scrolling mix-in: a window whose content (its child controls, typically) is larger
// than its client area, moved by the scroll bars and the mouse wheel. T is the window class;
// its message table ends with CHAIN_SCROLL_MAP() and its WM_SIZE handler calls SetScrollSize
// with the content's extent.

#include <windows.h>

#include <algorithm>

// Whole wheel notches in `remainder + delta`, keeping the part of a notch left over for the
// next message. Positive notches scroll towards the top.
inline int TakeWheelNotches(int& remainder, int delta) {
    remainder += delta;
    int notches = remainder / WHEEL_DELTA;
    remainder -= notches * WHEEL_DELTA;
    return notches;
}

template <class T>
class CScrollImpl {
public:
    // The content's size in pixels; 0 in a direction means no scrolling that way. The line
    // and page steps follow as a hundredth and a tenth of the extent, at least one pixel.
    void SetScrollSize(int cx, int cy) {
        m_all = SIZE{std::max<LONG>(cx, 0), std::max<LONG>(cy, 0)};
        m_line = SIZE{std::max(m_all.cx / 100, 1L), std::max(m_all.cy / 100, 1L)};
        m_page = SIZE{std::max(m_all.cx / 10, 1L), std::max(m_all.cy / 10, 1L)};
        UpdateBars();
    }

    POINT GetScrollOffset() const { return m_offset; }
    void SetScrollOffset(int x, int y) { ScrollTo(x, y); }

    BOOL ProcessScrollMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
        result = 0;
        switch (msg) {
        case WM_VSCROLL:
            OnScroll(SB_VERT, LOWORD(wParam));
            return TRUE;
        case WM_HSCROLL:
            OnScroll(SB_HORZ, LOWORD(wParam));
            return TRUE;
        case WM_MOUSEWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), false);
            return TRUE;
        case WM_MOUSEHWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), true);
            return TRUE;
        // Others may want these too.
        case WM_SETTINGCHANGE:
            ReadWheelSetting();
            return FALSE;
        case WM_SIZE:
            UpdateBars();
            return FALSE;
        default:
            return FALSE;
        }
    }

protected:
    CScrollImpl() { ReadWheelSetting(); }

private:
    HWND Window() const { return static_cast<const T*>(this)->m_hWnd; }

    SIZE ClientSize() const {
        RECT rc{};
        ::GetClientRect(Window(), &rc);
        return SIZE{rc.right - rc.left, rc.bottom - rc.top};
    }

    POINT MaxOffset() const {
        SIZE client = ClientSize();
        return POINT{std::max(m_all.cx - client.cx, 0L), std::max(m_all.cy - client.cy, 0L)};
    }

    void UpdateBars() {
        HWND hWnd = Window();
        if (!hWnd) return;
        SIZE client = ClientSize();
        // The bars themselves change the client area; a second round settles it.
        for (int round = 0; round < 2; ++round) {
            SetBar(SB_VERT, m_all.cy, client.cy, m_offset.y);
            SetBar(SB_HORZ, m_all.cx, client.cx, m_offset.x);
            client = ClientSize();
        }
        POINT max = MaxOffset();
        ScrollTo(std::min(m_offset.x, max.x), std::min(m_offset.y, max.y));
    }

    void SetBar(int bar, LONG all, LONG client, LONG pos) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = all > client ? all - 1 : 0;
        si.nPage = all > client ? static_cast<UINT>(client) : 0;
        si.nPos = all > client ? pos : 0;
        ::SetScrollInfo(Window(), bar, &si, TRUE);
        ::ShowScrollBar(Window(), bar, all > client);
    }

    void ScrollTo(LONG x, LONG y) {
        POINT max = MaxOffset();
        x = std::clamp(x, 0L, max.x);
        y = std::clamp(y, 0L, max.y);
        LONG dx = m_offset.x - x, dy = m_offset.y - y;
        if (!dx && !dy) return;
        m_offset = POINT{x, y};
        HWND hWnd = Window();
        if (IsDrawable(hWnd)) {
            ::ScrollWindowEx(hWnd, dx, dy, nullptr, nullptr, nullptr, nullptr,
                             SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
        } else {
            // The system scrolls nothing in a window that cannot be drawn (hidden, or in a
            // minimized frame), children included; they must move all the same.
            MoveChildren(hWnd, dx, dy);
        }
        if (dy) ::SetScrollPos(hWnd, SB_VERT, y, TRUE);
        if (dx) ::SetScrollPos(hWnd, SB_HORZ, x, TRUE);
    }

    static bool IsDrawable(HWND hWnd) {
        return ::IsWindowVisible(hWnd) && !::IsIconic(::GetAncestor(hWnd, GA_ROOT));
    }

    static void MoveChildren(HWND hWnd, LONG dx, LONG dy) {
        for (HWND child = ::GetWindow(hWnd, GW_CHILD); child;
             child = ::GetWindow(child, GW_HWNDNEXT)) {
            RECT rc{};
            ::GetWindowRect(child, &rc);
            ::MapWindowPoints(nullptr, hWnd, reinterpret_cast<POINT*>(&rc), 1);
            ::SetWindowPos(child, nullptr, rc.left + dx, rc.top + dy, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::InvalidateRect(hWnd, nullptr, TRUE);
    }

    void OnScroll(int bar, WORD code) {
        bool vertical = bar == SB_VERT;
        LONG pos = vertical ? m_offset.y : m_offset.x;
        LONG line = vertical ? m_line.cy : m_line.cx;
        LONG page = vertical ? m_page.cy : m_page.cx;
        LONG max = vertical ? MaxOffset().y : MaxOffset().x;
        switch (code) {
        case SB_TOP:
            pos = 0;
            break;
        case SB_BOTTOM:
            pos = max;
            break;
        case SB_LINEUP:
            pos -= line;
            break;
        case SB_LINEDOWN:
            pos += line;
            break;
        case SB_PAGEUP:
            pos -= page;
            break;
        case SB_PAGEDOWN:
            pos += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_TRACKPOS;
            if (::GetScrollInfo(Window(), bar, &si)) pos = si.nTrackPos;
            break;
        }
        default:
            return;
        }
        ScrollTo(vertical ? m_offset.x : pos, vertical ? pos : m_offset.y);
    }

    void OnWheel(int delta, bool horizontal) {
        int notches = TakeWheelNotches(m_wheelRemainder, horizontal ? -delta : delta);
        if (!notches) return;
        // Without vertical scrolling the wheel moves the content sideways.
        bool vertical = !horizontal && m_all.cy > ClientSize().cy;
        const SIZE unit = m_wheelLines == WHEEL_PAGESCROLL ? m_page : m_line;
        const LONG lines = m_wheelLines == WHEEL_PAGESCROLL ? 1 : static_cast<LONG>(m_wheelLines);
        const LONG distance = -notches * lines * (vertical ? unit.cy : unit.cx);
        ScrollTo(m_offset.x + (vertical ? 0 : distance), m_offset.y + (vertical ? distance : 0));
    }

    void ReadWheelSetting() {
        UINT lines = 3;
        if (!::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
        m_wheelLines = lines;
    }

    SIZE m_all{0, 0};
    SIZE m_line{1, 1};
    SIZE m_page{1, 1};
    POINT m_offset{0, 0};
    UINT m_wheelLines = 3;
    int m_wheelRemainder = 0;
};

// In the message table of a class with the mix-in.
#define CHAIN_SCROLL_MAP() \
    if (this->ProcessScrollMessage(hWnd, uMsg, wParam, lParam, lResult)) return TRUE;
