#pragma once
// The graph view: the scores of the last tests as a line chart, with the number of records
// and the latest score under it, and Clear.

#include <optional>

#include "view/view_base.h"
#include "views/graph_ctl.h"

class CGraphView : public CViewBase {
public:
    explicit CGraphView(AppSettings& settings);

    // Delete clears while Clear is enabled; the mouse's back button goes home; the rest is
    // dialog navigation.
    BOOL PreTranslateMessage(MSG* msg) override;

    // Where the context menu of a WM_CONTEXTMENU opens, in screen coordinates before the
    // clamping to a monitor; nothing for a click outside the chart.
    std::optional<POINT> ContextMenuPoint(WPARAM wParam, LPARAM lParam) const;

    const CGraphCtl& Graph() const { return m_graph; }

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);
    BOOL OnContextMenu(WPARAM wParam, LPARAM lParam, LRESULT& result);
    BOOL OnClear(LRESULT& result);

    void Refresh();
    void Clear();

    CGraphCtl m_graph;
    HWND m_status = nullptr;
    HWND m_backButton = nullptr;
};
