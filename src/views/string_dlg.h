#pragma once
// Asks for one line of text under a caller's label, with OK and Cancel. The caller judges
// the text; the dialog accepts anything, the empty text too.

#include <windows.h>

#include <string>

#include "win/dialog.h"

class CStringDlg : public CDialogImpl<CStringDlg> {
public:
    CStringDlg(std::wstring label, std::wstring text);

    // IDOK or IDCANCEL; -1 when the dialog could not be shown (callers treat it as Cancel).
    INT_PTR Run(HWND owner);
    // The initial text, and after the dialog has closed (either way) the edited text.
    const std::wstring& Text() const { return m_text; }

    BEGIN_MSG_MAP(CStringDlg)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        COMMAND_ID_HANDLER(IDOK, OnOK)
        COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
    END_MSG_MAP()

private:
    BOOL OnInitDialog();
    void OnOK() { Close(IDOK); }
    void OnCancel() { Close(IDCANCEL); }
    // Either way the edited text is kept.
    void Close(UINT id);
    void CentreOverOwner();

    std::wstring m_label;
    std::wstring m_text;
};
