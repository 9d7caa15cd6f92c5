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

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnClose(UINT id, LRESULT& result);
    void CentreOverOwner();

    std::wstring m_label;
    std::wstring m_text;
};

// Where a dialog of rectangle `dialog` goes: centred on `reference`, then pushed back inside
// `workArea` on each axis (its left and top edges win when it is larger than the work area).
POINT CentredInWorkArea(const RECT& dialog, const RECT& reference, const RECT& workArea);
