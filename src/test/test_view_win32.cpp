#include "test/test_view_win32.h"

#include "app/messages.h"
#include "app/view_layout.h"
#include "res/resource.h"
#include "win/defer_window_pos.h"

CTestView::CTestView(AppSettings& settings)
    : CViewBase(settings, IDD_TEST, kNoOwnMenu, /*hasBack*/ true) {}

BOOL CTestView::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     LRESULT& result) {
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog(result);
    case WM_VIEW_ACTIVATE:
        return OnViewActivate(result);
    case WM_SIZE:
        return OnSize(LOWORD(lParam), HIWORD(lParam), result);
    case WM_SETFOCUS:
        return OnSetFocus(result);
    default:
        return CViewBase::ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
    }
}

BOOL CTestView::OnInitDialog(LRESULT& result) {
    m_answerField = GetDlgItem(IDC_ANSWER);
    m_backButton = GetDlgItem(IDCANCEL);
    result = FALSE;
    return TRUE;
}

BOOL CTestView::OnViewActivate(LRESULT& result) {
    ShowOwnMenu();
    ::SetFocus(m_answerField);
    result = 0;
    return TRUE;
}

BOOL CTestView::OnSize(int width, int height, LRESULT& result) {
    const BackLayout layout = LayoutTestBack(width, height, Units());
    {
        CDeferWindowPos batch(8);
        PlaceShownOrHidden(batch, m_backButton, layout.back, layout.tall);
    }
    result = 0;
    return TRUE;
}

// Whatever gives the view the focus (the frame coming back to the foreground, for one), the
// typing goes to the answer.
BOOL CTestView::OnSetFocus(LRESULT& result) {
    ::SetFocus(m_answerField);
    result = 0;
    return TRUE;
}
