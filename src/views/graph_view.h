#pragma once
// The graph view: the scores of the last tests as a line chart, with the number of records
// and the latest score under it, and Clear.

#include <optional>

#include "settings/score_history.h"
#include "view/view_base.h"
#include "views/graph_ctl.h"

// The chart's value for a screen reader: the scores oldest first, "55%, 80%, 75%".
std::wstring ScoresText(const ScoreList& scores);

class CGraphView : public CViewBase {
public:
    explicit CGraphView(const ViewContext& context);

    // Delete clears while Clear is enabled; the mouse's back button goes home; the rest is
    // dialog navigation.
    BOOL PreTranslateMessage(MSG* msg) override;

    // Where the context menu asked for from `source` at `screen` opens, before the clamping
    // to a monitor; nothing for a click outside the chart.
    std::optional<POINT> ContextMenuPoint(HWND source, POINT screen) const;

    const CGraphCtl& Graph() const { return m_graph; }

    BEGIN_MSG_MAP(CGraphView)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_VIEW_ACTIVATE, Refresh)
        MSG_WM_SIZE(OnSize)
        MSG_WM_CONTEXTMENU(OnContextMenu)
        COMMAND_ID_HANDLER(ID_GRAPH_CLEAR, Clear)
        CHAIN_MSG_MAP(CViewBase)
    END_MSG_MAP()

private:
    BOOL OnInitDialog();
    void OnSize(UINT, int width, int height);
    void OnContextMenu(HWND source, POINT screen) const;

    // The view is shown right after its activation, which paints the chart; Clear redraws it.
    void Refresh();
    void Clear();

    CGraphCtl m_graph;
};
