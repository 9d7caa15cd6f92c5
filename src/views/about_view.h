#pragma once
// The about view: the product, its maker and its web page, centred above the "< Back" button.

#include "app/view_base.h"

class CAboutView : public CViewBase {
public:
    explicit CAboutView(AppSettings& settings);

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);

    HWND m_backButton = nullptr;
};
