#include "views/about_view.h"

#include "app/messages.h"
#include "app/view_layout.h"
#include "res/resource.h"
#include "win/defer_window_pos.h"

CAboutView::CAboutView(AppSettings& settings)
    : CViewBase(settings, IDD_ABOUT, kNoOwnMenu, /*hasBack*/ true), m_pane(settings) {}

BOOL CAboutView::PreTranslateMessage(MSG* msg) {
    return PostHomeOnBackMouseButton(msg) || DialogNavigation(msg) ||
           (m_pane.m_hWnd && ::IsDialogMessageW(m_pane, msg));
}

BOOL CAboutView::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
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

BOOL CAboutView::OnInitDialog(LRESULT& result) {
    m_backButton = GetDlgItem(IDCANCEL);
    m_pane.Create(m_hWnd);
    // A view created at its final size gets no WM_SIZE to place the pane.
    const RECT client = GetClientRect();
    OnSize(client.right, client.bottom, result);
    result = FALSE;
    return TRUE;
}

BOOL CAboutView::OnViewActivate(LRESULT& result) {
    ShowOwnMenu();
    ::SetFocus(m_backButton);
    result = 0;
    return TRUE;
}

BOOL CAboutView::OnSize(int width, int height, LRESULT& result) {
    const RECT pane = m_pane.GetWindowRect();
    const AboutLayout layout = LayoutAboutView(
        width, height, Units(), SIZE{pane.right - pane.left, pane.bottom - pane.top});
    {
        CDeferWindowPos batch(2);
        PlaceShownOrHidden(batch, m_backButton, layout.back, layout.tall);
        if (m_pane.m_hWnd) {
            batch.DeferWindowPos(m_pane, nullptr, layout.pane.x, layout.pane.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    result = 0;
    return TRUE;
}
