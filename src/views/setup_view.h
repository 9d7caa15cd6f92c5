#pragma once
// The setup view: every setting, on a scrolling pane above the "< Back" button.

#include "app/view_base.h"

class CSetupView : public CViewBase {
public:
    explicit CSetupView(AppSettings& settings);

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);

    HWND m_backButton = nullptr;
};
