#include "win/window.h"

#include "win/reflection.h"

namespace {

// Never destroyed: objects of static storage may still unbind as the process ends.
CWindowObjectTable& BoundObjects() {
    static auto* const table = new CWindowObjectTable;
    return *table;
}

}  // namespace

void* CWindowObjectTable::Find(HWND hWnd) const {
    ::AcquireSRWLockShared(&m_lock);
    const auto found = m_objects.find(hWnd);
    void* object = found == m_objects.end() ? nullptr : found->second;
    ::ReleaseSRWLockShared(&m_lock);
    return object;
}

void CWindowObjectTable::Set(HWND hWnd, void* object) {
    ::AcquireSRWLockExclusive(&m_lock);
    m_objects[hWnd] = object;
    ::ReleaseSRWLockExclusive(&m_lock);
}

void CWindowObjectTable::Erase(HWND hWnd, const void* object) {
    ::AcquireSRWLockExclusive(&m_lock);
    if (const auto found = m_objects.find(hWnd);
        found != m_objects.end() && found->second == object) {
        m_objects.erase(found);
    }
    ::ReleaseSRWLockExclusive(&m_lock);
}

std::wstring CWindow::GetWindowText() const {
    int length = ::GetWindowTextLengthW(m_hWnd);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

CWindowImplRoot* CWindowImplRoot::FromHandle(HWND hWnd) {
    return hWnd ? static_cast<CWindowImplRoot*>(BoundObjects().Find(hWnd)) : nullptr;
}

void CWindowImplRoot::Bind(HWND hWnd) {
    m_hWnd = hWnd;
    BoundObjects().Set(hWnd, this);
}

void CWindowImplRoot::Unbind() {
    if (m_hWnd) BoundObjects().Erase(m_hWnd, this);
    m_hWnd = nullptr;
}

HWND CWindowImplBase::CreateImpl(ATOM windowClass, HWND parent, const RECT* rc,
                                 const wchar_t* title, DWORD style, DWORD exStyle, HMENU menuOrId) {
    if (m_hWnd) return nullptr;  // one window per object
    const int x = rc ? rc->left : CW_USEDEFAULT, y = rc ? rc->top : CW_USEDEFAULT;
    const int cx = rc ? rc->right - rc->left : CW_USEDEFAULT;
    const int cy = rc ? rc->bottom - rc->top : CW_USEDEFAULT;
    m_pfnSuperWindowProc = ::DefWindowProcW;
    // The object's address travels in the creation parameters and is bound at WM_NCCREATE.
    return ::CreateWindowExW(exStyle, MAKEINTATOM(windowClass), title, style, x, y, cx, cy, parent,
                             menuOrId, AppModule().GetModuleInstance(), this);
}

BOOL CWindowImplBase::SubclassWindow(HWND hWnd) {
    if (m_hWnd || !::IsWindow(hWnd) || FromHandle(hWnd)) return FALSE;
    Bind(hWnd);
    auto previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowImplBase::WindowProc)));
    if (!previous) {
        Unbind();
        return FALSE;
    }
    m_pfnSuperWindowProc = previous;
    return TRUE;
}

HWND CWindowImplBase::UnsubclassWindow() {
    HWND hWnd = m_hWnd;
    if (!hWnd || m_pfnSuperWindowProc == ::DefWindowProcW) return nullptr;
    // Somebody subclassed the control after us: taking our procedure out now would cut
    // them off, so we stay.
    auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    if (current != &CWindowImplBase::WindowProc) return nullptr;
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuperWindowProc));
    m_pfnSuperWindowProc = ::DefWindowProcW;
    Unbind();
    return hWnd;
}

std::optional<BOOL> CWindowImplRoot::RunMessageMap(HWND hWnd, UINT msg, WPARAM wParam,
                                                   LPARAM lParam, LRESULT& result) {
    try {
        return ProcessWindowMessage(hWnd, msg, wParam, lParam, result) ||
               DefaultReflectionHandler(hWnd, msg, wParam, lParam, result);
    } catch (...) {
        return std::nullopt;
    }
}

void CWindowImplRoot::EndBinding(HWND hWnd) {
    Unbind();
    try {
        OnFinalMessage(hWnd);
    } catch (...) {
    }
}

LRESULT CWindowImplBase::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(m_pfnSuperWindowProc, m_hWnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWindowImplBase::WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CWindowImplBase*>(FromHandle(hWnd));
    if (!self) {
        if (msg != WM_NCCREATE) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<CWindowImplBase*>(create ? create->lpCreateParams : nullptr);
        if (!self) return ::DefWindowProcW(hWnd, msg, wParam, lParam);
        self->Bind(hWnd);
    }

    LRESULT result = 0;
    const std::optional<BOOL> handled = self->RunMessageMap(hWnd, msg, wParam, lParam, result);
    if (!handled) {
        result = msg == WM_CREATE ? -1 : 0;  // a window whose creation threw is not created
    } else if (!*handled) {
        result = self->DefWindowProc(msg, wParam, lParam);
    }

    if (msg == WM_NCDESTROY) {
        // A subclassed control goes back to its own procedure for whatever follows.
        auto ours = reinterpret_cast<LONG_PTR>(&CWindowImplBase::WindowProc);
        if (self->m_pfnSuperWindowProc != ::DefWindowProcW &&
            ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == ours) {
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC,
                                reinterpret_cast<LONG_PTR>(self->m_pfnSuperWindowProc));
        }
        self->m_pfnSuperWindowProc = ::DefWindowProcW;
        self->EndBinding(hWnd);
    }
    return result;
}
