#include "app/main_frame.h"

#include <commctrl.h>

#include <string>

#include "app/frame_geometry.h"
#include "view/message_boxes.h"
#include "view/messages.h"
#include "data/folder_watcher_win32.h"
#include "data/vocabulary_cache.h"
#include "res/resource.h"
#include "settings/app_settings.h"
#include "win/app_module.h"

namespace {

CMainFrame* g_frame = nullptr;

// The client area below which the window cannot be dragged.
constexpr SIZE kMinimumClientDlu{100, 77};

}  // namespace

CMainFrame::CMainFrame(AppSettings& settings)
    : m_settings(settings),
      m_homeView(settings),
      m_browView(settings),
      m_testView(settings),
      m_graphView(settings),
      m_setupView(settings),
      m_aboutView(settings) {
    g_frame = this;
}

CMainFrame::~CMainFrame() {
    // The window procedure must not outlive the object it calls into.
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    if (m_bigIcon) ::DestroyIcon(m_bigIcon);
    if (m_smallIcon) ::DestroyIcon(m_smallIcon);
    if (g_frame == this) g_frame = nullptr;
}

CMainFrame* CMainFrame::Instance() {
    return g_frame;
}

HWND CMainFrame::CreateFrame() {
    // The browse and test templates hold a tree view and a progress bar.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    // The title comes through a buffer of 256 units, as it always has.
    std::wstring title = LoadResString(IDR_MAINFRAME).substr(0, 255);
    HMENU menu = ::LoadMenuW(AppModule().GetResourceInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    HWND hWnd = CreateEx(nullptr, title.c_str(), kStyle, kExStyle, menu);
    if (hWnd) LoadAccelerators(IDR_MAINFRAME);
    return hWnd;
}

BOOL CMainFrame::ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate(result);
    case WM_DESTROY:
        return OnDestroy(hWnd, wParam, lParam, result);
    case WM_MOVE:
        return OnMove(result);
    case WM_SIZE:
        return OnSize(hWnd, wParam, lParam, result);
    case WM_GETMINMAXINFO:
        return OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam), result);
    case WM_CLOSE:
        return OnClose(result);
    case WM_COMMAND:
        return OnCommand(wParam, result);
    case WM_DATA_FOLDER_CHANGED:
        return OnDataFolderChanged(result);
    case WM_ENDSESSION:
        return OnEndSession(wParam, result);
    case WM_SETTINGCHANGE: {
        // The system tells top-level windows only; the views and their panes read settings
        // too (the wheel's step, for one).
        MSG change{hWnd, msg, wParam, lParam, 0, {}};
        ::EnumChildWindows(hWnd, [](HWND child, LPARAM param) -> BOOL {
            const MSG& m = *reinterpret_cast<const MSG*>(param);
            ::SendMessageW(child, m.message, m.wParam, m.lParam);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&change));
        return FALSE;
    }
    default:
        return Base::ProcessWindowMessage(hWnd, msg, wParam, lParam, result);
    }
}

BOOL CMainFrame::OnCreate(LRESULT& result) {
    RestartFolderWatcher(m_settings.DataFolderPath(), m_hWnd);
    SetIcons();

    // The templates carry WS_VISIBLE: home shows from its creation on, the others are hidden
    // at once and sized when they are first shown.
    if (!m_homeView.Create(m_hWnd)) {
        result = -1;  // a frame without its home view is of no use
        return TRUE;
    }
    m_hWndClient = m_homeView;
    CViewBase* others[] = {&m_browView, &m_testView, &m_graphView, &m_setupView, &m_aboutView};
    for (CViewBase* view : others) {
        if (view->Create(m_hWnd)) view->ShowWindow(SW_HIDE);
    }
    m_homeView.SendMessage(WM_VIEW_ACTIVATE);

    if (CMessageLoop* loop = AppModule().GetMessageLoop()) {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
    }
    PlaceWindow();
    LayOutActiveView();
    result = 0;
    return TRUE;
}

BOOL CMainFrame::OnDestroy(HWND hWnd, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (CMessageLoop* loop = AppModule().GetMessageLoop()) {
        loop->RemoveMessageFilter(this);
        loop->RemoveIdleHandler(this);
    }
    return Base::ProcessWindowMessage(hWnd, WM_DESTROY, wParam, lParam, result);
}

void CMainFrame::SetIcons() {
    HINSTANCE instance = AppModule().GetResourceInstance();
    auto load = [instance](int cx, int cy) {
        return static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_MAINFRAME),
                                               IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
    };
    m_bigIcon = load(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    m_smallIcon = load(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    if (m_bigIcon) SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon));
    if (m_smallIcon) SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon));
}

DialogUnits CMainFrame::ViewUnits() const {
    return DialogUnits::Measure(m_testView.m_hWnd);
}

void CMainFrame::PlaceWindow() {
    const DialogUnits du = ViewUnits();
    const SIZE size = FrameSizeForClient(SIZE{m_settings.WinDluW, m_settings.WinDluH}, du,
                                         kStyle, kExStyle);
    // Stored as the placement gives it (workspace coordinates), placed on the screen.
    const POINT stored = WorkspaceToScreen(POINT{m_settings.WinX, m_settings.WinY}, size,
                                           MonitorAreas());
    if (UseStoredPosition(m_settings.WinX, m_settings.WinY, size, MonitorRectangles())) {
        SetWindowPos(nullptr, stored.x, stored.y, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT workArea{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const RECT rc = GetWindowRect();
    const POINT pos = CentredPosition(SIZE{rc.right - rc.left, rc.bottom - rc.top}, workArea);
    SetWindowPos(nullptr, pos.x, pos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The restored rectangle, not the current one: a window closed maximized or minimized
// reopens where the user last had it.
BOOL CMainFrame::OnMove(LRESULT& result) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (::GetWindowPlacement(m_hWnd, &placement)) {
        m_settings.WinX = placement.rcNormalPosition.left;
        m_settings.WinY = placement.rcNormalPosition.top;
    }
    result = 0;
    return TRUE;
}

BOOL CMainFrame::OnSize(HWND hWnd, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (wParam == SIZE_RESTORED && m_testView.IsWindow()) {
        const SIZE dlu = ClientSizeInDialogUnits(
            SIZE{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))},
            ViewUnits());
        if (dlu.cx > 0 && dlu.cy > 0) {
            m_settings.WinDluW = dlu.cx;
            m_settings.WinDluH = dlu.cy;
        }
    }
    return Base::ProcessWindowMessage(hWnd, WM_SIZE, wParam, lParam, result);
}

BOOL CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info, LRESULT& result) {
    if (!info || !m_testView.IsWindow()) return FALSE;
    const SIZE size = FrameSizeForClient(kMinimumClientDlu, ViewUnits(), kStyle, kExStyle);
    info->ptMinTrackSize = POINT{size.cx, size.cy};
    result = 0;
    return TRUE;
}

bool CMainFrame::MayAbandonTest() {
    if (!m_settings.ConfirmExit || m_hWndClient != m_testView.m_hWnd ||
        !m_testView.IsTestUnfinished()) {
        return true;
    }
    const std::wstring question = LoadResString(IDS_CONFIRM_ABANDON);
    return QuestionBox(m_hWnd, question.c_str()) == IDYES;
}

BOOL CMainFrame::OnClose(LRESULT& result) {
    result = 0;
    if (!MayAbandonTest()) return TRUE;
    return FALSE;  // the default processing destroys the window
}

bool CMainFrame::IsGrayedInMenu(UINT command) const {
    HMENU menu = GetMenu();
    if (!menu) return false;
    const UINT state = ::GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) != 0;
}

BOOL CMainFrame::OnCommand(WPARAM wParam, LRESULT& result) {
    const UINT command = LOWORD(wParam);
    // An accelerator whose item is grayed in the menu bar gives no command. The system's
    // translation already holds to this; the check keeps it so wherever the key comes from.
    if (HIWORD(wParam) == 1 && IsGrayedInMenu(command)) {
        result = 0;
        return TRUE;
    }
    result = 0;
    switch (command) {
    case ID_GOTO_HOME:
        if (MayAbandonTest()) SwitchToView(m_homeView);
        return TRUE;
    case ID_GOTO_BROWSE:
        SwitchToView(m_browView);
        return TRUE;
    case ID_GOTO_TEST:
        SwitchToView(m_testView);
        return TRUE;
    case ID_GOTO_GRAPH:
        SwitchToView(m_graphView);
        return TRUE;
    case ID_GOTO_SETUP:
        SwitchToView(m_setupView);
        return TRUE;
    case ID_GOTO_ABOUT:
        SwitchToView(m_aboutView);
        return TRUE;
    case ID_APP_EXIT:
        PostMessage(WM_CLOSE);
        return TRUE;
    default:
        break;
    }
    if (command >= ID_VIEW_COMMAND_FIRST && command <= ID_VIEW_COMMAND_LAST) {
        if (m_hWndClient) ::PostMessageW(m_hWndClient, WM_COMMAND, command, 0);
        return TRUE;
    }
    return FALSE;
}

BOOL CMainFrame::OnDataFolderChanged(LRESULT& result) {
    ::OnDataFolderChanged(m_hWndClient == m_homeView.m_hWnd,
                          [] { VocabularyCache::Instance().DropLibrary(); });
    result = 0;
    return TRUE;
}

// The session is ending and the process will be ended without returning from the entry
// point, so the save at normal exit would never come.
BOOL CMainFrame::OnEndSession(WPARAM ending, LRESULT& result) {
    if (ending) m_settings.Save();
    result = 0;
    return TRUE;
}

void CMainFrame::SwitchToView(HWND view) {
    if (!view || !::IsWindow(view)) {
        if (m_hWndClient) ::SendMessageW(m_hWndClient, WM_VIEW_ACTIVATE, 0, 0);
        return;
    }
    if (m_hWndClient) {
        ::ShowWindow(m_hWndClient, SW_HIDE);
        ::SendMessageW(m_hWndClient, WM_VIEW_DEACTIVATE, 0, 0);
    }
    m_hWndClient = view;
    ::SendMessageW(view, WM_VIEW_ACTIVATE, 0, 0);
    ::ShowWindow(view, SW_SHOW);
    UpdateLayout();
    LayOutActiveView();
}

// A view that already has the size it is shown at gets no WM_SIZE from the frame's layout
// (at the default window size every view is created at exactly the client size), yet it must
// be laid out for that size however it got there.
void CMainFrame::LayOutActiveView() {
    if (!m_hWndClient || !::IsWindow(m_hWndClient)) return;
    RECT client{};
    ::GetClientRect(m_hWndClient, &client);
    ::SendMessageW(m_hWndClient, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

UINT CMainFrame::ActiveGoToCommand() const {
    const HWND views[] = {m_homeView, m_browView, m_testView,
                          m_graphView, m_setupView, m_aboutView};
    for (UINT i = 0; i < 6; ++i) {
        if (views[i] && views[i] == m_hWndClient) return ID_GOTO_HOME + i;
    }
    return 0;
}

void CMainFrame::ShowViewMenu(int position) {
    HMENU menu = ::LoadMenuW(AppModule().GetResourceInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!menu) return;
    for (int i = ::GetMenuItemCount(menu) - 1; i > 0; --i) {
        if (i != position) ::DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    }
    HMENU old = GetMenu();
    SetMenu(menu);
    if (old) ::DestroyMenu(old);

    if (UINT active = ActiveGoToCommand()) {
        ::EnableMenuItem(menu, active, MF_BYCOMMAND | MF_GRAYED);
    }
    if (m_homeView.Summary().selectedWords == 0) {
        ::EnableMenuItem(menu, ID_GOTO_BROWSE, MF_BYCOMMAND | MF_GRAYED);
        ::EnableMenuItem(menu, ID_GOTO_TEST, MF_BYCOMMAND | MF_GRAYED);
    }
    ::DrawMenuBar(m_hWnd);
}

CViewBase* CMainFrame::ActiveViewObject() {
    CViewBase* views[] = {&m_homeView,  &m_browView,  &m_testView,
                          &m_graphView, &m_setupView, &m_aboutView};
    for (CViewBase* view : views) {
        if (view->m_hWnd && view->m_hWnd == m_hWndClient) return view;
    }
    return nullptr;
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg) {
    if (TranslateAccelerators(msg)) return TRUE;
    if (CViewBase* view = ActiveViewObject()) return view->PreTranslateMessage(msg);
    return FALSE;
}

BOOL CMainFrame::OnIdle() {
    return FALSE;
}
