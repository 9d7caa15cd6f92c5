#include "app/home_view.h"

#include "app/messages.h"
#include "app/view_layout.h"
#include "res/resource.h"
#include "win/defer_window_pos.h"

CHomeView::CHomeView(AppSettings& settings)
    : CViewBase(settings, IDD_HOME, /*menuPosition File*/ 1, /*hasBack*/ false) {}

BOOL CHomeView::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(result);
    case WM_VIEW_ACTIVATE:
        return OnViewActivate(result);
    case WM_SIZE:
        return OnSize(LOWORD(lParam), HIWORD(lParam), result);
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), result)) return TRUE;
        break;
    default:
        break;
    }
    return CViewBase::ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
}

BOOL CHomeView::OnInitDialog(LRESULT& result) {
    m_list = GetDlgItem(IDC_FILE_LIST);
    m_status = GetDlgItem(IDC_STATUS);
    m_browseButton = GetDlgItem(IDC_HOME_BROWSE);
    m_testButton = GetDlgItem(IDOK);
    m_graphButton = GetDlgItem(IDC_HOME_GRAPH);
    m_setupButton = GetDlgItem(IDC_HOME_SETUP);
    m_aboutButton = GetDlgItem(IDC_HOME_ABOUT);
    result = FALSE;  // activation sets the focus
    return TRUE;
}

BOOL CHomeView::OnViewActivate(LRESULT& result) {
    ShowOwnMenu();
    ::SetFocus(m_list);
    result = 0;
    return TRUE;
}

BOOL CHomeView::OnSize(int width, int height, LRESULT& result) {
    const HomeLayout layout = LayoutHomeView(width, height, Units());
    {
        CDeferWindowPos batch(7);
        PlaceShownOrHidden(batch, m_graphButton, layout.graph, layout.tall);
        PlaceShownOrHidden(batch, m_setupButton, layout.setup, layout.tall);
        PlaceShownOrHidden(batch, m_aboutButton, layout.about, layout.tall);
        PlaceShownOrHidden(batch, m_browseButton, layout.browse, layout.tall);
        PlaceShownOrHidden(batch, m_testButton, layout.test, layout.tall);
        PlaceShownOrHidden(batch, m_status, layout.status, layout.tall);
        batch.Move(m_list, layout.list);
    }
    result = 0;
    return TRUE;
}

BOOL CHomeView::OnCommand(UINT id, LRESULT& result) {
    result = 0;
    switch (id) {
    case IDOK:  // "Test >", also Enter
        if (m_summary.selectedWords > 0) PostToFrame(ID_GOTO_TEST);
        return TRUE;
    case IDC_HOME_BROWSE:
        PostToFrame(ID_GOTO_BROWSE);
        return TRUE;
    case IDC_HOME_GRAPH:
        PostToFrame(ID_GOTO_GRAPH);
        return TRUE;
    case IDC_HOME_SETUP:
        PostToFrame(ID_GOTO_SETUP);
        return TRUE;
    case IDC_HOME_ABOUT:
        PostToFrame(ID_GOTO_ABOUT);
        return TRUE;
    default:
        return FALSE;
    }
}
