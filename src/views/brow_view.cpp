#include "views/brow_view.h"

#include "app/messages.h"
#include "app/view_layout.h"
#include "res/resource.h"
#include "win/defer_window_pos.h"

CBrowView::CBrowView(AppSettings& settings)
    : CViewBase(settings, IDD_BROWSE, /*menuPosition Browse*/ 2, /*hasBack*/ true) {}

BOOL CBrowView::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
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

BOOL CBrowView::OnInitDialog(LRESULT& result) {
    m_tree = GetDlgItem(IDC_TREE);
    m_backButton = GetDlgItem(IDCANCEL);
    result = FALSE;
    return TRUE;
}

BOOL CBrowView::OnViewActivate(LRESULT& result) {
    ShowOwnMenu();
    ::SetFocus(m_tree);
    result = 0;
    return TRUE;
}

BOOL CBrowView::OnSize(int width, int height, LRESULT& result) {
    const BackLayout layout = LayoutBackAndContent(width, height, Units());
    {
        CDeferWindowPos batch(2);
        PlaceShownOrHidden(batch, m_backButton, layout.back, layout.tall);
        batch.Move(m_tree, layout.content);
    }
    result = 0;
    return TRUE;
}
