#include "views/string_dlg.h"

#include "res/resource.h"

namespace {

// One axis: centred on the reference, then inside [low, high) of the work area.
LONG Centred(LONG size, LONG refLow, LONG refHigh, LONG low, LONG high) {
    LONG pos = (refLow + refHigh) / 2 - size / 2;
    if (pos < low) {
        pos = low;
    } else if (pos + size > high) {
        pos = high - size;
    }
    return pos;
}

}  // namespace

POINT CentredInWorkArea(const RECT& dialog, const RECT& reference, const RECT& workArea) {
    const LONG width = dialog.right - dialog.left;
    const LONG height = dialog.bottom - dialog.top;
    return POINT{Centred(width, reference.left, reference.right, workArea.left, workArea.right),
                 Centred(height, reference.top, reference.bottom, workArea.top,
                         workArea.bottom)};
}

CStringDlg::CStringDlg(std::wstring label, std::wstring text)
    : CDialogImpl<CStringDlg>(IDD_STRING), m_label(std::move(label)), m_text(std::move(text)) {}

INT_PTR CStringDlg::Run(HWND owner) {
    // The system answers 0 rather than -1 for an owner that is no window; the dialog itself
    // only ever ends with OK or Cancel.
    const INT_PTR result = DoModal(owner);
    return result == IDOK || result == IDCANCEL ? result : -1;
}

BOOL CStringDlg::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM,
                                      LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(result);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            return OnClose(LOWORD(wParam), result);
        }
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL CStringDlg::OnInitDialog(LRESULT& result) {
    ::SetDlgItemTextW(m_hWnd, IDC_STRING_LABEL, m_label.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_STRING_EDIT, m_text.c_str());
    CentreOverOwner();
    result = TRUE;  // the dialog manager focuses the edit box and selects its text
    return TRUE;
}

BOOL CStringDlg::OnClose(UINT id, LRESULT& result) {
    HWND edit = GetDlgItem(IDC_STRING_EDIT);
    const int length = ::GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(edit, text.data(), length + 1)));
    m_text = std::move(text);
    EndDialog(id);
    result = 0;
    return TRUE;
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
