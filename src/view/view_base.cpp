#include "view/view_base.h"

#include "app/main_frame.h"
#include "res/resource.h"
#include "settings/app_settings.h"
#include "win/defer_window_pos.h"

UINT CViewBase::PickTemplate(UINT firstTemplateId, std::int32_t fontSize) {
    switch (fontSize) {
    case 1:
        return firstTemplateId + 1;
    case 2:
        return firstTemplateId + 2;
    default:
        return firstTemplateId;
    }
}

CViewBase::CViewBase(AppSettings& settings, UINT firstTemplateId, int menuPosition,
                     bool hasBack)
    : CDialogImplBase(PickTemplate(firstTemplateId, settings.FontSize)),
      m_settings(settings),
      m_menuPosition(menuPosition),
      m_hasBack(hasBack) {}

BOOL CViewBase::PreTranslateMessage(MSG* msg) {
    if (PostHomeOnBackMouseButton(msg)) return TRUE;
    return DialogNavigation(msg);
}

BOOL CViewBase::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM,
                                     LRESULT& result) {
    // The "< Back" button, and Escape through the dialog manager, which sends the cancel id.
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        if (m_hasBack) PostToFrame(ID_GOTO_HOME);
        result = 0;
        return TRUE;
    }
    return FALSE;
}

void CViewBase::ShowOwnMenu() const {
    if (CMainFrame* frame = CMainFrame::Instance()) frame->ShowViewMenu(m_menuPosition);
}

HMENU CViewBase::FrameMenu() {
    CMainFrame* frame = CMainFrame::Instance();
    return frame && frame->IsWindow() ? frame->GetMenu() : nullptr;
}

bool CViewBase::IsOwnCommandEnabled(UINT command) {
    HMENU popup = ::GetSubMenu(FrameMenu(), 1);
    return popup && ::GetMenuState(popup, command, MF_BYCOMMAND) == 0;
}

void CViewBase::PostToFrame(UINT command) const {
    ::PostMessageW(GetParent(), WM_COMMAND, command, 0);
}

BOOL CViewBase::PostHomeOnBackMouseButton(const MSG* msg) const {
    if (!m_hasBack || msg->message != WM_XBUTTONUP ||
        GET_XBUTTON_WPARAM(msg->wParam) != XBUTTON1) {
        return FALSE;
    }
    PostToFrame(ID_GOTO_HOME);
    return TRUE;
}

BOOL CViewBase::DialogNavigation(MSG* msg) const {
    return m_hWnd && ::IsDialogMessageW(m_hWnd, msg);
}

void CViewBase::PlaceShownOrHidden(CDeferWindowPos& batch, HWND control, const RECT& rc,
                                   bool shown) {
    // Both keep the z-order: it is the dialog's Tab order.
    batch.Move(control, rc, shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
}
