#include "views/setup_view.h"

#include "app/messages.h"
#include "app/view_layout.h"
#include "res/resource.h"
#include "win/defer_window_pos.h"

CSetupView::CSetupView(AppSettings& settings)
    : CViewBase(settings, IDD_SETUP, kNoOwnMenu, /*hasBack*/ true), m_pane(settings) {}

BOOL CSetupView::PreTranslateMessage(MSG* msg) {
    return PostHomeOnBackMouseButton(msg) || DialogNavigation(msg) ||
           (m_pane.m_hWnd && ::IsDialogMessageW(m_pane, msg));
}

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
    m_pane.Create(m_hWnd);
    // A view created at its final size gets no WM_SIZE to place the pane.
    const RECT client = GetClientRect();
    OnSize(client.right, client.bottom, result);
    result = FALSE;
    return TRUE;
}

BOOL CSetupView::OnViewActivate(LRESULT& result) {
    if (m_pane.m_hWnd) m_pane.SendMessage(WM_VIEW_ACTIVATE);
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
        if (m_pane.m_hWnd) batch.Move(m_pane, layout.content);
    }
    result = 0;
    return TRUE;
}
