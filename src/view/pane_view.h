#pragma once
// A view that shows one child pane above its "< Back" button (setup and about): the pane is
// created with the view, joins the view's dialog navigation, is told when the view is shown
// and is placed by the derived view's layout.

#include "view/messages.h"
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

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override {
        switch (msg) {
        case WM_INITDIALOG:
            return OnInitDialog(result);
        case WM_VIEW_ACTIVATE:
            return OnViewActivate(result);
        case WM_SIZE:
            PlaceControls(LOWORD(lParam), HIWORD(lParam));
            result = 0;
            return TRUE;
        default:
            return CViewBase::ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
        }
    }

protected:
    CPaneView(AppSettings& settings, UINT firstTemplateId)
        : CViewBase(settings, firstTemplateId, kNoOwnMenu, /*hasBack*/ true), m_pane(settings) {}

    // Places the Back button and the pane for a client area of width × height pixels.
    virtual void PlaceControls(int width, int height) = 0;

    TPane m_pane;
    HWND m_backButton = nullptr;

private:
    BOOL OnInitDialog(LRESULT& result) {
        m_backButton = GetDlgItem(IDCANCEL);
        m_pane.Create(m_hWnd);
        // A view created at its final size gets no WM_SIZE to place the pane.
        const RECT client = GetClientRect();
        PlaceControls(client.right, client.bottom);
        result = FALSE;
        return TRUE;
    }

    BOOL OnViewActivate(LRESULT& result) {
        // The pane refreshes first, as every view does before it asks for its menu.
        if (m_pane.m_hWnd) m_pane.SendMessage(WM_VIEW_ACTIVATE);
        ShowOwnMenu();
        ::SetFocus(m_backButton);
        result = 0;
        return TRUE;
    }
};
