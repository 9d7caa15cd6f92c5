#include "win/defer_window_pos.h"

#include <algorithm>
#include <utility>

CDeferWindowPos::CDeferWindowPos(int expectedCount)
    : m_hdwp(::BeginDeferWindowPos(std::max(expectedCount, 1))) {
    m_failed = m_hdwp == nullptr;
}

CDeferWindowPos::~CDeferWindowPos() {
    End();
}

void CDeferWindowPos::DeferWindowPos(HWND hWnd, HWND after, int x, int y, int cx, int cy,
                                     UINT flags) {
    if (m_ended || !hWnd) return;
    m_positions.push_back({hWnd, after, x, y, cx, cy, flags});
    if (m_failed) return;
    // On failure DeferWindowPos has already freed the handle and forgotten the batch.
    m_hdwp = ::DeferWindowPos(m_hdwp, hWnd, after, x, y, cx, cy, flags);
    m_failed = m_hdwp == nullptr;
}

void CDeferWindowPos::Move(HWND hWnd, const RECT& rc, UINT extraFlags) {
    DeferWindowPos(hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOACTIVATE | extraFlags);
}

bool CDeferWindowPos::End() {
    if (m_ended) return !m_failed;
    m_ended = true;
    // A batch that has not failed holds its handle, which ending it gives back either way.
    if (!m_failed && ::EndDeferWindowPos(std::exchange(m_hdwp, nullptr))) return true;
    m_failed = true;
    ApplyOneByOne();
    return false;
}

void CDeferWindowPos::ApplyOneByOne() {
    for (const Position& p : m_positions) {
        if (::IsWindow(p.hWnd)) ::SetWindowPos(p.hWnd, p.after, p.x, p.y, p.cx, p.cy, p.flags);
    }
}
