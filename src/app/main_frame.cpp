#include "app/main_frame.h"

#include <commctrl.h>

#include <string>

#include "app/frame_geometry.h"
#include "data/folder_watcher_win32.h"
#include "data/vocabulary_cache.h"
#include "settings/app_settings.h"
#include "view/message_boxes.h"
#include "win/app_module.h"

namespace {

// The client area below which the window cannot be dragged.
constexpr SIZE kMinimumClientDlu{100, 77};

}  // namespace

CMainFrame::CMainFrame(AppSettings& settings, VocabularyCache& cache, WatcherSlot& watcher)
    : m_settings(settings),
      m_cache(cache),
      m_watcher(watcher),
      m_homeView({*this, settings, cache, watcher}),
      m_browView({*this, settings, cache, watcher}),
      m_testView({*this, settings, cache, watcher}),
      m_graphView({*this, settings, cache, watcher}),
      m_setupView({*this, settings, cache, watcher}),
      m_aboutView({*this, settings, cache, watcher}) {}

CMainFrame::~CMainFrame() {
    // The window procedure must not outlive the object it calls into.
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
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

LRESULT CMainFrame::OnCreate() {
    m_watcher.ReportTo(m_hWnd, WM_DATA_FOLDER_CHANGED);
    m_watcher.Restart(m_settings.DataFolderPath());
    SetIcons();

    // The templates carry WS_VISIBLE: home shows from its creation on, the others are hidden
    // at once and sized when they are first shown.
    if (!m_homeView.Create(m_hWnd)) return -1;  // a frame without its home view is of no use
    m_hWndClient = m_homeView;
    for (CViewBase* view : Views()) {
        if (view != &m_homeView && view->Create(m_hWnd)) view->ShowWindow(SW_HIDE);
    }
    m_homeView.SendMessage(WM_VIEW_ACTIVATE);

    if (CMessageLoop* loop = AppModule().GetMessageLoop()) loop->AddMessageFilter(this);
    PlaceWindow();
    LayOutActiveView();
    return 0;
}

void CMainFrame::OnDestroy() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (::GetWindowPlacement(m_hWnd, &placement)) {
        const RECT& normal = placement.rcNormalPosition;
        m_normalSize = SIZE{normal.right - normal.left, normal.bottom - normal.top};
    }
    // The watcher was started for this window; left running it would keep the folder open and
    // report to nobody.
    if (m_watcher.receiver == m_hWnd) {
        m_watcher.Stop();
        m_watcher.ReportTo(nullptr, 0);
    }
    if (CMessageLoop* loop = AppModule().GetMessageLoop()) loop->RemoveMessageFilter(this);
    SetMsgHandled(false);  // the frame base ends the loop
}

void CMainFrame::SetIcons() {
    const auto set = [this](UniqueIcon& icon, WPARAM which, int cxMetric, int cyMetric) {
        icon.Reset(static_cast<HICON>(::LoadImageW(
            AppModule().GetResourceInstance(), MAKEINTRESOURCEW(IDI_MAINFRAME), IMAGE_ICON,
            ::GetSystemMetrics(cxMetric), ::GetSystemMetrics(cyMetric), LR_DEFAULTCOLOR)));
        if (icon)
            SendMessage(WM_SETICON, which, reinterpret_cast<LPARAM>(static_cast<HICON>(icon)));
    };
    set(m_bigIcon, ICON_BIG, SM_CXICON, SM_CYICON);
    set(m_smallIcon, ICON_SMALL, SM_CXSMICON, SM_CYSMICON);
}

DialogUnits CMainFrame::ViewUnits() const {
    return DialogUnits::Measure(m_testView.m_hWnd);
}

void CMainFrame::PlaceWindow() {
    const DialogUnits du = ViewUnits();
    const SIZE size =
        FrameSizeForClient(SIZE{m_settings.WinDluW, m_settings.WinDluH}, du, kStyle, kExStyle);
    // Stored as the placement gives it (workspace coordinates), placed on the screen.
    const std::vector<MonitorArea> monitors = MonitorAreas();
    const SIZE before = m_normalSize.cx > 0 ? m_normalSize : size;
    const POINT stored =
        WorkspaceToScreen(POINT{m_settings.WinX, m_settings.WinY}, size, before, monitors);
    if (UseStoredPosition(m_settings.WinX, m_settings.WinY, size, MonitorRectangles(monitors))) {
        SetWindowPos(nullptr, stored.x, stored.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
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
void CMainFrame::OnMove() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (::GetWindowPlacement(m_hWnd, &placement)) {
        m_settings.WinX = placement.rcNormalPosition.left;
        m_settings.WinY = placement.rcNormalPosition.top;
    }
}

void CMainFrame::OnSize(UINT type, int width, int height) {
    if (type == SIZE_RESTORED && m_testView.IsWindow()) {
        const SIZE dlu = ClientSizeInDialogUnits(SIZE{width, height}, ViewUnits());
        if (dlu.cx > 0 && dlu.cy > 0) {
            m_settings.WinDluW = dlu.cx;
            m_settings.WinDluH = dlu.cy;
        }
    }
    SetMsgHandled(false);  // the frame base lays out the view
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* info) {
    if (!info || !m_testView.IsWindow()) {
        SetMsgHandled(false);
        return;
    }
    const SIZE size = FrameSizeForClient(kMinimumClientDlu, ViewUnits(), kStyle, kExStyle);
    info->ptMinTrackSize = POINT{size.cx, size.cy};
}

bool CMainFrame::MayAbandonTest() {
    if (!m_settings.ConfirmExit || m_hWndClient != m_testView.m_hWnd ||
        !m_testView.IsTestUnfinished()) {
        return true;
    }
    const std::wstring question = LoadResString(IDS_CONFIRM_ABANDON);
    return QuestionBox(m_hWnd, question.c_str()) == IDYES;
}

void CMainFrame::OnClose() {
    if (MayAbandonTest()) SetMsgHandled(false);  // the default processing destroys the window
}

bool CMainFrame::IsGrayedInMenu(UINT command) const {
    HMENU menu = GetMenu();
    if (!menu) return false;
    const UINT state = ::GetMenuState(menu, command, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) != 0;
}

void CMainFrame::DropGrayedAccelerator(UINT id, UINT code) {
    // The system's translation already holds to this; the check keeps it so wherever the key
    // comes from.
    SetMsgHandled(code == 1 && IsGrayedInMenu(id));
}

void CMainFrame::OnGoToHome() {
    if (MayAbandonTest()) SwitchToView(m_homeView);
}

void CMainFrame::OnGoTo(UINT command) {
    SwitchToView(Views()[command - ID_GOTO_HOME]->m_hWnd);
}

void CMainFrame::ForwardToView(UINT command) const {
    if (m_hWndClient) ::PostMessageW(m_hWndClient, WM_COMMAND, command, 0);
}

// A change seen while home shows is for home to report and reload. Elsewhere the library is
// dropped, for home to rebuild when shown again. The pool is left alone: a running test keeps
// its own.
void CMainFrame::OnDataFolderChanged() {
    if (m_hWndClient == m_homeView.m_hWnd) {
        m_watcher.changePending = true;
    } else {
        m_cache.DropLibrary();
    }
}

// The system tells top-level windows only; the views and their panes read settings too (the
// wheel's step, for one), and the controls keep colours of the scheme (the common controls,
// the answer field's window colour).
void CMainFrame::ForwardSystemChange(UINT msg, WPARAM wParam, LPARAM lParam) {
    MSG change{m_hWnd, msg, wParam, lParam, 0, {}};
    ::EnumChildWindows(
        m_hWnd,
        [](HWND child, LPARAM param) -> BOOL {
            const MSG& m = *reinterpret_cast<const MSG*>(param);
            ::SendMessageW(child, m.message, m.wParam, m.lParam);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&change));
    SetMsgHandled(false);
}

// The session is ending and the process will be ended without returning from the entry
// point, so the save at normal exit would never come.
void CMainFrame::OnEndSession(bool ending) {
    if (!ending) return;
    m_testView.RecordEarnedScore();
    m_settings.Save();
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

UINT CMainFrame::ActiveGoToCommand() {
    const auto views = Views();
    for (UINT i = 0; i < views.size(); ++i) {
        if (views[i]->m_hWnd && views[i]->m_hWnd == m_hWndClient) return ID_GOTO_HOME + i;
    }
    return 0;
}

void CMainFrame::ShowViewMenu(int position) {
    HMENU menu = ::LoadMenuW(AppModule().GetResourceInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    if (!menu) return;
    for (int i = ::GetMenuItemCount(menu) - 1; i > 0; --i) {
        if (i != position) ::DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    }
    const UniqueMenu old(GetMenu());  // no window holds it once the new one is set
    SetMenu(menu);

    EnableWordViews(menu, m_homeView.HasWordsSelected());
    if (UINT active = ActiveGoToCommand()) {
        ::EnableMenuItem(menu, active, MF_BYCOMMAND | MF_GRAYED);
    }
    ::DrawMenuBar(m_hWnd);
}

CViewBase* CMainFrame::ActiveViewObject() {
    const UINT command = ActiveGoToCommand();
    return command ? Views()[command - ID_GOTO_HOME] : nullptr;
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg) {
    if (TranslateAccelerators(msg)) return TRUE;
    if (CViewBase* view = ActiveViewObject()) return view->PreTranslateMessage(msg);
    return FALSE;
}
