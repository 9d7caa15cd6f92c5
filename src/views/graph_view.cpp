#include "views/graph_view.h"

#include <string>

#include "settings/app_settings.h"
#include "view/view_layout.h"
#include "win/defer_window_pos.h"
#include "win/menu_position.h"

std::wstring ScoresText(const ScoreList& scores) {
    if (scores.empty()) return LoadResString(IDS_ACC_NO_SCORES);
    std::wstring text;
    for (const std::uint32_t score : scores) {
        text += (text.empty() ? L"" : L", ") + std::to_wstring(score) + L"%";
    }
    return text;
}

CGraphView::CGraphView(const ViewContext& context)
    : CViewBase(context, IDD_GRAPH, kGraphMenu, /*hasBack*/ true) {}

BOOL CGraphView::OnInitDialog() {
    m_graph.SubclassWindow(GetDlgItem(IDC_GRAPH));
    // A screen reader may read the chart before the view was ever shown.
    m_graph.SetAccessibleName(LoadResString(IDS_ACC_GRAPH));
    m_graph.SetAccessibleValue(ScoresText(m_settings.Scores()));
    return FALSE;
}

void CGraphView::Refresh() {
    ShowOwnMenu();
    const ScoreList scores = m_settings.Scores();
    // Always a line: flat at 0 % with no record, flat at the score with one.
    std::vector<std::int32_t> values(scores.begin(), scores.end());
    if (values.empty()) values = {0, 0};
    if (values.size() == 1) values.push_back(values.front());
    m_graph.SetValues(std::move(values));
    m_graph.SetAccessibleValue(ScoresText(scores));

    const std::wstring status =
        FormatResString(IDS_GRAPH_STATUS, static_cast<unsigned>(scores.size()),
                        static_cast<unsigned>(scores.empty() ? 0 : scores.back()));
    SetControlText(IDC_STATUS, status);
    ::SetFocus(GetDlgItem(IDCANCEL));
}

void CGraphView::Clear() {
    ClearScores(m_settings);
    Refresh();
    ::RedrawWindow(m_graph, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

BOOL CGraphView::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_DELETE &&
        IsOwnCommandEnabled(ID_GRAPH_CLEAR)) {
        Clear();
        return TRUE;
    }
    return CViewBase::PreTranslateMessage(msg);
}

void CGraphView::OnSize(UINT, int width, int height) {
    const GraphLayout layout = LayoutGraphView(width, height, Units());
    // The chart is drawn for its size: it is redrawn whole, never stretched.
    if (m_graph) ::InvalidateRect(m_graph, nullptr, FALSE);
    CDeferWindowPos batch(3);
    PlaceShownOrHidden(batch, GetDlgItem(IDCANCEL), layout.back, layout.tall);
    PlaceShownOrHidden(batch, GetDlgItem(IDC_STATUS), layout.status, layout.tall);
    batch.Move(m_graph, layout.graph);
}

std::optional<POINT> CGraphView::ContextMenuPoint(HWND source, POINT screen) const {
    if (IsKeyboardMenuPoint(screen)) {
        // From the keyboard: just inside the chart's corner.
        POINT corner{2, 2};
        ::ClientToScreen(m_graph, &corner);
        return corner;
    }
    // The chart lets clicks through to the view, so a right-click on it comes from the view;
    // one on the status line or the margins must open nothing.
    const RECT graph = m_graph.GetWindowRect();
    if (source != m_hWnd || !::PtInRect(&graph, screen)) return std::nullopt;
    return screen;
}

void CGraphView::OnContextMenu(HWND source, POINT screen) const {
    if (const std::optional<POINT> at = ContextMenuPoint(source, screen)) TrackOwnPopup(*at);
}
