#include "win/message_loop.h"

#include <algorithm>

namespace {

// Undocumented but long-standing: the system's caret blink timer.
constexpr UINT kSystemCaretTimer = 0x0118;

template <class P>
bool AddUnique(std::vector<P*>& list, P* item) {
    if (!item || std::find(list.begin(), list.end(), item) != list.end()) return false;
    list.push_back(item);
    return true;
}

}  // namespace

bool CMessageLoop::AddMessageFilter(CMessageFilter* filter) {
    return AddUnique(m_filters, filter);
}

bool CMessageLoop::RemoveMessageFilter(CMessageFilter* filter) {
    const auto found = std::find(m_filters.begin(), m_filters.end(), filter);
    if (!filter || found == m_filters.end()) return false;
    if (m_walking) {
        *found = nullptr;
    } else {
        m_filters.erase(found);
    }
    return true;
}

bool CMessageLoop::AddIdleHandler(CIdleHandler* handler) {
    return AddUnique(m_idleHandlers, handler);
}

bool CMessageLoop::IsIdleMessage(const MSG& msg) {
    return msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE &&
           msg.message != WM_PAINT && msg.message != kSystemCaretTimer;
}

BOOL CMessageLoop::PreTranslateMessage(MSG* msg) {
    ++m_walking;
    BOOL consumed = FALSE;
    // Walk by index from the end: a filter added during the walk is not asked this time,
    // and a removed one has left a null slot behind.
    for (size_t i = m_filters.size(); i-- > 0 && !consumed;) {
        if (i < m_filters.size() && m_filters[i]) consumed = m_filters[i]->PreTranslateMessage(msg);
    }
    if (--m_walking == 0) std::erase(m_filters, nullptr);
    return consumed;
}

void CMessageLoop::OnIdle() {
    // By index: a handler registered during the round is called in it too.
    for (size_t i = 0; i < m_idleHandlers.size(); ++i) m_idleHandlers[i]->OnIdle();
}

int CMessageLoop::Run() {
    bool idle = true;
    for (;;) {
        while (idle && !::PeekMessageW(&m_msg, nullptr, 0, 0, PM_NOREMOVE)) {
            OnIdle();
            idle = false;
        }
        BOOL got = ::GetMessageW(&m_msg, nullptr, 0, 0);
        if (got == -1) continue;
        if (!got) break;
        if (!PreTranslateMessage(&m_msg)) {
            ::TranslateMessage(&m_msg);
            ::DispatchMessageW(&m_msg);
        }
        if (IsIdleMessage(m_msg)) idle = true;
    }
    return static_cast<int>(m_msg.wParam);
}
