#include "views/about_pane.h"

#include "app/view_base.h"
#include "res/resource.h"
#include "settings/app_settings.h"

CAboutPane::CAboutPane(const AppSettings& settings)
    : CDialogImpl(CViewBase::PickTemplate(IDD_ABOUT_PANE, settings.FontSize)) {}

BOOL CAboutPane::ProcessWindowMessage(HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(result);
    default:
        return FALSE;
    }
}

BOOL CAboutPane::OnInitDialog(LRESULT& result) {
    // The address is written once, in the template; the link opens what it shows.
    HWND line = GetDlgItem(IDC_ABOUT_LINK);
    m_link.SubclassWindow(line);
    m_link.SetHyperLink(CWindow(line).GetWindowText());
    result = FALSE;  // the view decides where the focus goes
    return TRUE;
}
