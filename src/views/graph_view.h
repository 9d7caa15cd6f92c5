#pragma once
// The graph view: the scores of the last tests as a line chart.

#include "app/view_base.h"

class CGraphView : public CViewBase {
public:
    explicit CGraphView(AppSettings& settings);

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);

    HWND m_graph = nullptr;
    HWND m_status = nullptr;
    HWND m_backButton = nullptr;
};
