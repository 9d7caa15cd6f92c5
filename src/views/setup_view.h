#pragma once
// The setup view: every setting, on a scrolling pane above the "< Back" button.

#include "app/view_base.h"
#include "views/setup_pane.h"

class CSetupView : public CViewBase {
public:
    explicit CSetupView(AppSettings& settings);

    CSetupPane& Pane() { return m_pane; }

    // The back mouse button, then the view's and the pane's dialog navigation.
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);

    CSetupPane m_pane;
    HWND m_backButton = nullptr;
};
