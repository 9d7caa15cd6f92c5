#include "views/string_dlg.h"

#include "res/resource.h"
#include "view/message_boxes.h"

CStringDlg::CStringDlg(std::wstring label, std::wstring text)
    : CDialogImpl<CStringDlg>(IDD_STRING), m_label(std::move(label)), m_text(std::move(text)) {}

INT_PTR CStringDlg::Run(HWND owner) {
    // The system answers 0 rather than -1 for an owner that is no window; the dialog itself
    // only ever ends with OK or Cancel.
    const INT_PTR result = DoModal(owner);
    return result == IDOK || result == IDCANCEL ? result : -1;
}

BOOL CStringDlg::OnInitDialog() {
    SetControlText(IDC_STRING_LABEL, m_label);
    SetControlText(IDC_STRING_EDIT, m_text);
    CentreOverOwner();
    return TRUE;  // the dialog manager focuses the edit box and selects its text
}

void CStringDlg::Close(UINT id) {
    m_text = ControlText(IDC_STRING_EDIT);
    EndDialog(id);
}

void CStringDlg::CentreOverOwner() {
    // A hidden or minimized owner has no place worth centring on: the dialog's own monitor.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    const bool shown = owner && ::IsWindowVisible(owner) && !::IsIconic(owner);
    const RECT workArea = WorkAreaOf(shown ? owner : m_hWnd);
    RECT reference = workArea;
    if (shown) ::GetWindowRect(owner, &reference);

    const RECT dialog = GetWindowRect();
    const POINT pos = CentredInWorkArea(dialog, reference, workArea);
    SetWindowPos(nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
