#pragma once
// The three centred lines of the about view: the product and its version, the credits, and
// the product's web page as a link.

#include "view/view_base.h"
#include "win/hyperlink.h"

class CAboutPane : public CDialogImpl<CAboutPane> {
public:
    explicit CAboutPane(const ViewContext& context);

    CHyperLink& Link() { return m_link; }

    BEGIN_MSG_MAP(CAboutPane)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    END_MSG_MAP()

private:
    BOOL OnInitDialog();
    void FitLinesToTheirTexts();

    CHyperLink m_link;
};
