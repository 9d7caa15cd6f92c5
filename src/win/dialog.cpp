#include "win/dialog.h"

#include "win/reflection.h"

namespace {

// The messages whose answer a dialog procedure returns itself; for every other message the
// answer goes through DWLP_MSGRESULT and the procedure returns TRUE for "handled".
bool ReturnsResultDirectly(UINT msg) {
    return msg == WM_COMPAREITEM || msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM ||
           msg == WM_INITDIALOG || msg == WM_QUERYDRAGICON || IsCtlColorMessage(msg);
}

}  // namespace

HWND CDialogImplBase::Create(HWND parent) {
    if (m_hWnd) return nullptr;
    m_modal = false;
    auto self = reinterpret_cast<LPARAM>(this);
    HINSTANCE instance = AppModule().GetResourceInstance();
    if (m_template) {
        return ::CreateDialogIndirectParamW(instance, m_template, parent,
                                            &CDialogImplBase::DialogProc, self);
    }
    return ::CreateDialogParamW(instance, MAKEINTRESOURCEW(m_templateId), parent,
                                &CDialogImplBase::DialogProc, self);
}

INT_PTR CDialogImplBase::DoModal(HWND parent) {
    if (m_hWnd) return -1;
    m_modal = true;
    auto self = reinterpret_cast<LPARAM>(this);
    HINSTANCE instance = AppModule().GetResourceInstance();
    if (m_template) {
        return ::DialogBoxIndirectParamW(instance, m_template, parent, &CDialogImplBase::DialogProc,
                                         self);
    }
    return ::DialogBoxParamW(instance, MAKEINTRESOURCEW(m_templateId), parent,
                             &CDialogImplBase::DialogProc, self);
}

BOOL CDialogImplBase::EndDialog(INT_PTR result) {
    if (!m_hWnd) return FALSE;
    return m_modal ? ::EndDialog(m_hWnd, result) : ::DestroyWindow(m_hWnd);
}

INT_PTR CALLBACK CDialogImplBase::DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<CDialogImplBase*>(FromHandle(hWnd));
    if (!self) {
        if (msg != WM_INITDIALOG || !lParam) return FALSE;
        self = reinterpret_cast<CDialogImplBase*>(lParam);
        self->Bind(hWnd);
    }

    LRESULT result = 0;
    const std::optional<BOOL> handled = self->RunMessageMap(hWnd, msg, wParam, lParam, result);
    // A dialog whose initialisation threw is not created at all.
    if (!handled && msg == WM_INITDIALOG) self->EndDialog(-1);

    INT_PTR answer = FALSE;
    if (handled.value_or(FALSE)) {
        if (ReturnsResultDirectly(msg)) {
            answer = static_cast<INT_PTR>(result);
        } else {
            ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
            answer = TRUE;
        }
    }

    if (msg == WM_NCDESTROY && FromHandle(hWnd) == self) self->EndBinding(hWnd);
    return answer;
}
