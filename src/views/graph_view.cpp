#include "views/graph_view.h"

#include <cwchar>
#include <string>

#include "view/messages.h"
#include "view/view_layout.h"
#include "res/resource.h"
#include "settings/app_settings.h"
#include "win/defer_window_pos.h"
#include "win/menu_position.h"

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
    case WM_CONTEXTMENU:
        return OnContextMenu(wParam, lParam, result);
    case WM_COMMAND:
        if (LOWORD(wParam) == ID_GRAPH_CLEAR) return OnClear(result);
        return CViewBase::ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
    default:
        return CViewBase::ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
    }
}

BOOL CGraphView::OnInitDialog(LRESULT& result) {
    m_graph.SubclassWindow(GetDlgItem(IDC_GRAPH));
    m_status = GetDlgItem(IDC_STATUS);
    m_backButton = GetDlgItem(IDCANCEL);
    result = FALSE;
    return TRUE;
}

BOOL CGraphView::OnViewActivate(LRESULT& result) {
    Refresh();
    result = 0;
    return TRUE;
}

// The view is shown right after its activation, which paints the chart; Clear redraws it.
void CGraphView::Refresh() {
    ShowOwnMenu();
    const ScoreList scores = m_settings.Scores();
    // Always a line: flat at 0 % with no record, flat at the score with one.
    std::vector<std::int32_t> values(scores.begin(), scores.end());
    if (values.empty()) values = {0, 0};
    if (values.size() == 1) values.push_back(values.front());
    m_graph.SetValues(std::move(values));

    const std::wstring format = LoadResString(IDS_GRAPH_STATUS);
    wchar_t text[256]{};
    std::swprintf(text, 256, format.c_str(), static_cast<unsigned>(scores.size()),
                  static_cast<unsigned>(scores.empty() ? 0 : scores.back()));
    ::SetWindowTextW(m_status, text);
    ::SetFocus(m_backButton);
}

void CGraphView::Clear() {
    ClearScores(m_settings);
    Refresh();
    ::RedrawWindow(m_graph, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CGraphView::OnClear(LRESULT& result) {
    Clear();
    result = 0;
    return TRUE;
}

BOOL CGraphView::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_DELETE &&
        IsOwnCommandEnabled(ID_GRAPH_CLEAR)) {
        Clear();
        return TRUE;
    }
    return CViewBase::PreTranslateMessage(msg);
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

std::optional<POINT> CGraphView::ContextMenuPoint(WPARAM wParam, LPARAM lParam) const {
    // Signed screen coordinates: a monitor left of or above the primary one has negative ones.
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (pt.x < 0 || pt.y < 0) {
        // From the keyboard: just inside the chart's corner.
        pt = POINT{2, 2};
        ::ClientToScreen(m_graph, &pt);
        return pt;
    }
    // The chart lets clicks through to the view, so a right-click on it comes from the view;
    // one on the status line or the margins must open nothing.
    const RECT graph = m_graph.GetWindowRect();
    if (reinterpret_cast<HWND>(wParam) != m_hWnd || !::PtInRect(&graph, pt)) {
        return std::nullopt;
    }
    return pt;
}

BOOL CGraphView::OnContextMenu(WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    const std::optional<POINT> at = ContextMenuPoint(wParam, lParam);
    HMENU popup = ::GetSubMenu(FrameMenu(), 1);
    if (!at || !popup) return TRUE;
    const POINT pt = ClampMenuX(*at);
    ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
    return TRUE;
}
