#include "views/string_dlg.h"

#include "res/resource.h"

namespace {

// One axis: centred on the reference, then inside [low, high) of the work area.
LONG Centred(LONG size, LONG refLow, LONG refHigh, LONG low, LONG high) {
    const LONG pos = (refLow + refHigh) / 2 - size / 2;
    return pos < low ? low : pos + size > high ? high - size : pos;
}

}  // namespace

POINT CentredInWorkArea(const RECT& dialog, const RECT& reference, const RECT& workArea) {
    const LONG width = dialog.right - dialog.left;
    const LONG height = dialog.bottom - dialog.top;
    return POINT{Centred(width, reference.left, reference.right, workArea.left, workArea.right),
                 Centred(height, reference.top, reference.bottom, workArea.top, workArea.bottom)};
}

CStringDlg::CStringDlg(std::wstring label, std::wstring text)
    : CDialogImpl<CStringDlg>(IDD_STRING), m_label(std::move(label)), m_text(std::move(text)) {}

INT_PTR CStringDlg::Run(HWND owner) {
    // The system answers 0 rather than -1 for an owner that is no window; the dialog itself
    // only ever ends with OK or Cancel.
    const INT_PTR result = DoModal(owner);
    return result == IDOK || result == IDCANCEL ? result : -1;
}

BOOL CStringDlg::OnInitDialog() {
    ::SetDlgItemTextW(m_hWnd, IDC_STRING_LABEL, m_label.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_STRING_EDIT, m_text.c_str());
    CentreOverOwner();
    return TRUE;  // the dialog manager focuses the edit box and selects its text
}

void CStringDlg::Close(UINT id) {
    m_text = CWindow(GetDlgItem(IDC_STRING_EDIT)).GetWindowText();
    EndDialog(id);
}

void CStringDlg::CentreOverOwner() {
    RECT workArea{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    // A hidden or minimized owner has no place worth centring on.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    RECT reference = workArea;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &reference);

    const RECT dialog = GetWindowRect();
    const POINT pos = CentredInWorkArea(dialog, reference, workArea);
    SetWindowPos(nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
