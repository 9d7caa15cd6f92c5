#include "views/setup_view.h"

#include "app/messages.h"
#include "app/view_layout.h"
#include "res/resource.h"
#include "win/defer_window_pos.h"

CSetupView::CSetupView(AppSettings& settings)
    : CViewBase(settings, IDD_SETUP, kNoOwnMenu, /*hasBack*/ true) {}

BOOL CSetupView::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(result);
    case WM_VIEW_ACTIVATE:
        return OnViewActivate(result);
    case WM_SIZE:
        return OnSize(LOWORD(lParam), HIWORD(lParam), result);
    default:
        return CViewBase::ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
    }
}

BOOL CSetupView::OnInitDialog(LRESULT& result) {
    m_backButton = GetDlgItem(IDCANCEL);
    result = FALSE;
    return TRUE;
}

BOOL CSetupView::OnViewActivate(LRESULT& result) {
    ShowOwnMenu();
    ::SetFocus(m_backButton);
    result = 0;
    return TRUE;
}

BOOL CSetupView::OnSize(int width, int height, LRESULT& result) {
    const BackLayout layout = LayoutBackAndContent(width, height, Units());
    {
        CDeferWindowPos batch(2);
        PlaceShownOrHidden(batch, m_backButton, layout.back, layout.tall);
    }
    result = 0;
    return TRUE;
}
