#pragma once
// The three centred lines of the about view: the product and its version, the credits, and
// the product's web page as a link.

#include "win/dialog.h"
#include "win/hyperlink.h"

class AppSettings;

class CAboutPane : public CDialogImpl<CAboutPane> {
public:
    explicit CAboutPane(const AppSettings& settings);

    CHyperLink& Link() { return m_link; }

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    BOOL OnInitDialog(LRESULT& result);
    void FitLinesToTheirTexts();

    CHyperLink m_link;
};
