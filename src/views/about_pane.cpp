#include "views/about_pane.h"

#include <algorithm>
#include <string>

#include "base/handles_win32.h"
#include "settings/app_settings.h"

CAboutPane::CAboutPane(const ViewContext& context)
    : CDialogImpl(CViewBase::PickTemplate(IDD_ABOUT_PANE, context.settings.FontSize)) {}

BOOL CAboutPane::OnInitDialog() {
    FitLinesToTheirTexts();
    // The address is written once, in the template; the link opens what it shows.
    HWND line = GetDlgItem(IDC_ABOUT_LINK);
    m_link.SubclassWindow(line);
    m_link.SetHyperLink(CWindow(line).GetWindowText());
    m_link.SetActionName(LoadResString(IDS_ACC_LINK_ACTION));
    return FALSE;  // the view decides where the focus goes
}

// The lines are one line high and centred: a text wider than its static would wrap out of
// sight. The template's width suits the intended dialog font; a wider font substituted for it
// widens the pane and its lines, which stay centred on the pane's middle. The view centres
// the pane by its actual size.
void CAboutPane::FitLinesToTheirTexts() {
    const int lines[] = {IDC_ABOUT_PRODUCT, IDC_ABOUT_CREDITS, IDC_ABOUT_LINK};
    const RECT pane = GetClientRect();
    int widest = pane.right;
    {
        const WindowDC dc(m_hWnd);
        const SelectedObject font(dc, GetFont());
        for (int id : lines) {
            const std::wstring text = ControlText(id);
            SIZE extent{};
            ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            widest = std::max(widest, static_cast<int>(extent.cx) + 2);  // the static's margin
        }
    }
    if (widest == pane.right) return;
    SetWindowPos(nullptr, 0, 0, widest, pane.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : lines) {
        CWindow line = GetDlgItem(id);
        const RECT rc = line.GetRectInParent();
        line.SetWindowPos(nullptr, 0, rc.top, widest, rc.bottom - rc.top,
                          SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
