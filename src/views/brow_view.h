#pragma once
// The browse view: the selected entries as a tree of questions with their answers and hints.

#include "app/view_base.h"

class CBrowView : public CViewBase {
public:
    explicit CBrowView(AppSettings& settings);

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);

    HWND m_tree = nullptr;
    HWND m_backButton = nullptr;
};
