#pragma once
// The about view: the product, its maker and its web page, centred above the "< Back" button.

#include "app/view_base.h"
#include "views/about_pane.h"

class CAboutView : public CViewBase {
public:
    explicit CAboutView(AppSettings& settings);

    CAboutPane& Pane() { return m_pane; }

    // The back mouse button, then the view's and the pane's dialog navigation.
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);

    CAboutPane m_pane;
    HWND m_backButton = nullptr;
};
