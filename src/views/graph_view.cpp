#include "views/graph_view.h"

#include "app/messages.h"
#include "app/view_layout.h"
#include "res/resource.h"
#include "win/defer_window_pos.h"

CGraphView::CGraphView(AppSettings& settings)
    : CViewBase(settings, IDD_GRAPH, /*menuPosition Graph*/ 3, /*hasBack*/ true) {}

BOOL CGraphView::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
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

BOOL CGraphView::OnInitDialog(LRESULT& result) {
    m_graph = GetDlgItem(IDC_GRAPH);
    m_status = GetDlgItem(IDC_STATUS);
    m_backButton = GetDlgItem(IDCANCEL);
    result = FALSE;
    return TRUE;
}

BOOL CGraphView::OnViewActivate(LRESULT& result) {
    ShowOwnMenu();
    ::SetFocus(m_backButton);
    result = 0;
    return TRUE;
}

BOOL CGraphView::OnSize(int width, int height, LRESULT& result) {
    const GraphLayout layout = LayoutGraphView(width, height, Units());
    // The chart is drawn for its size: it is redrawn whole, never stretched.
    if (m_graph) ::InvalidateRect(m_graph, nullptr, FALSE);
    {
        CDeferWindowPos batch(3);
        PlaceShownOrHidden(batch, m_backButton, layout.back, layout.tall);
        PlaceShownOrHidden(batch, m_status, layout.status, layout.tall);
        batch.Move(m_graph, layout.graph);
    }
    result = 0;
    return TRUE;
}
