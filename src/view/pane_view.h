#pragma once
// A view that shows one child pane above its "< Back" button (setup and about): the pane is
// created with the view, joins the view's dialog navigation, is told when the view is shown
// and is placed by the derived view's layout.

#include "view/view_base.h"

template <class TPane>
class CPaneView : public CViewBase {
public:
    TPane& Pane() { return m_pane; }

    // The back mouse button, then the view's and the pane's dialog navigation.
    BOOL PreTranslateMessage(MSG* msg) override {
        return PostHomeOnBackMouseButton(msg) || DialogNavigation(msg) ||
               (m_pane.m_hWnd && ::IsDialogMessageW(m_pane, msg));
    }

    BEGIN_MSG_MAP(CPaneView)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_VIEW_ACTIVATE, OnViewActivate)
        MSG_WM_SIZE(OnSize)
        CHAIN_MSG_MAP(CViewBase)
    END_MSG_MAP()

protected:
    CPaneView(const ViewContext& context, UINT firstTemplateId)
        : CViewBase(context, firstTemplateId, kNoOwnMenu, /*hasBack*/ true), m_pane(context) {}

    // Places the Back button and the pane for a client area of width × height pixels.
    virtual void PlaceControls(int width, int height) = 0;

    TPane m_pane;

private:
    BOOL OnInitDialog() {
        m_pane.Create(m_hWnd);
        // A view created at its final size gets no WM_SIZE to place the pane.
        const RECT client = GetClientRect();
        PlaceControls(client.right, client.bottom);
        return FALSE;
    }

    void OnViewActivate() {
        // The pane refreshes first, as every view does before it asks for its menu.
        if (m_pane.m_hWnd) m_pane.SendMessage(WM_VIEW_ACTIVATE);
        ShowOwnMenu();
        ::SetFocus(GetDlgItem(IDCANCEL));
    }

    void OnSize(UINT, int width, int height) { PlaceControls(width, height); }
};
