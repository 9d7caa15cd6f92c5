#pragma once
// The test view: one question at a time, the typed answer, progress and score.

#include "app/view_base.h"

class CTestView : public CViewBase {
public:
    explicit CTestView(AppSettings& settings);

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    BOOL OnViewActivate(LRESULT& result);
    BOOL OnSize(int width, int height, LRESULT& result);
    BOOL OnSetFocus(LRESULT& result);

    HWND m_answerField = nullptr;
    HWND m_backButton = nullptr;
};
