#include "view/view_base.h"

#include "settings/app_settings.h"
#include "win/defer_window_pos.h"
#include "win/menu_position.h"

UINT CViewBase::PickTemplate(UINT firstTemplateId, std::int32_t fontSize) {
    return fontSize == 1 || fontSize == 2 ? firstTemplateId + fontSize : firstTemplateId;
}

CViewBase::CViewBase(const ViewContext& context, UINT firstTemplateId, int menuPosition,
                     bool hasBack)
    : CDialogImplBase(PickTemplate(firstTemplateId, context.settings.FontSize)),
      m_frame(context.frame),
      m_settings(context.settings),
      m_cache(context.cache),
      m_watcher(context.watcher),
      m_menuPosition(menuPosition),
      m_hasBack(hasBack) {}

BOOL CViewBase::PreTranslateMessage(MSG* msg) {
    return PostHomeOnBackMouseButton(msg) || DialogNavigation(msg);
}

void CViewBase::OnBack() const {
    if (m_hasBack) PostToFrame(ID_GOTO_HOME);
}

bool CViewBase::IsOwnCommandEnabled(UINT command) const {
    HMENU popup = ::GetSubMenu(FrameMenu(), 1);
    return popup && ::GetMenuState(popup, command, MF_BYCOMMAND) == 0;
}

void CViewBase::TrackOwnPopup(POINT screen) const {
    const POINT pt = ClampMenuX(screen);
    if (HMENU popup = ::GetSubMenu(FrameMenu(), 1)) {
        ::TrackPopupMenu(popup, TPM_RIGHTBUTTON, pt.x, pt.y, 0, m_hWnd, nullptr);
    }
}

void CViewBase::TrackOwnPopupOver(HWND control, HWND source, POINT screen) const {
    if (IsKeyboardMenuPoint(screen)) {
        screen = POINT{0, 0};
        ::ClientToScreen(control, &screen);
    } else if (source != control) {
        return;
    }
    TrackOwnPopup(screen);
}

void CViewBase::PostToFrame(UINT command) const {
    ::PostMessageW(GetParent(), WM_COMMAND, command, 0);
}

BOOL CViewBase::PostHomeOnBackMouseButton(const MSG* msg) const {
    if (!m_hasBack || msg->message != WM_XBUTTONUP || GET_XBUTTON_WPARAM(msg->wParam) != XBUTTON1) {
        return FALSE;
    }
    PostToFrame(ID_GOTO_HOME);
    return TRUE;
}

BOOL CViewBase::DialogNavigation(MSG* msg) const {
    return m_hWnd && ::IsDialogMessageW(m_hWnd, msg);
}

void EnableWordViews(HMENU menu, bool wordsSelected) {
    const UINT state = MF_BYCOMMAND | (wordsSelected ? MF_ENABLED : MF_GRAYED);
    ::EnableMenuItem(menu, ID_GOTO_BROWSE, state);
    ::EnableMenuItem(menu, ID_GOTO_TEST, state);
}

void CViewBase::PlaceShownOrHidden(CDeferWindowPos& batch, HWND control, const RECT& rc,
                                   bool shown) {
    // Both keep the z-order: it is the dialog's Tab order.
    batch.Move(control, rc, shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
}
