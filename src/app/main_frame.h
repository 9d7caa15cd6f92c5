#pragma once
// The program's one top-level window. It owns the six views, shows one of them at a time
// stretched over its client area, owns the menu bar and the accelerators, turns commands into
// view switches or hands them to the active view, and keeps its position and size in the
// settings.

#include <windows.h>

#include <array>

#include "base/handles_win32.h"
#include "view/view_base.h"
#include "views/about_view.h"
#include "views/brow_view.h"
#include "views/graph_view.h"
#include "views/home_view.h"
#include "views/quiz_view.h"
#include "views/setup_view.h"
#include "win/frame_window.h"
#include "win/message_loop.h"

class CMainFrame : public CFrameWindowImpl<CMainFrame>, public CMessageFilter, public CViewFrame {
public:
    static constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    static constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    static constexpr wchar_t kClassName[] = L"Memorion.MainFrame";
    static constexpr int kExitCode = 1;  // what a normal close has always returned

    // The views read the settings and the cache they are handed here, as the frame does; the
    // process passes its own, tests records on keys and data folders of their own.
    CMainFrame(AppSettings& settings, VocabularyCache& cache, WatcherSlot& watcher);
    ~CMainFrame() override;

    // Creates the window with its title, menu, styles and accelerators; null on failure.
    HWND CreateFrame();

    // Makes `view` (one of the six views' windows) the active view. A view without a window
    // is not switched to: the active view is activated again instead.
    void SwitchToView(HWND view);
    void ShowViewMenu(int position) override;

    HWND ActiveView() const { return m_hWndClient; }

    // The outer size of the window in its normal state, as it closed. A frame that follows one
    // of another size (a restart to another font) keeps its growth inside the work area.
    SIZE NormalSize() const { return m_normalSize; }
    void Follow(SIZE previousNormalSize) { m_normalSize = previousNormalSize; }

    // The views in the order of their GoTo commands, Home's first: the one list of them that
    // creation, the GoTo commands, the grayed GoTo item and the hook walk.
    static constexpr UINT kViewCount = 6;
    static constexpr UINT kLastGoTo = ID_GOTO_HOME + kViewCount - 1;
    std::array<CViewBase*, kViewCount> Views() {
        return {&m_homeView, &m_browView, &m_testView, &m_graphView, &m_setupView, &m_aboutView};
    }

    CHomeView& HomeView() { return m_homeView; }
    CBrowView& BrowView() { return m_browView; }
    CTestView& TestView() { return m_testView; }
    CGraphView& GraphView() { return m_graphView; }
    CSetupView& SetupView() { return m_setupView; }
    CAboutView& AboutView() { return m_aboutView; }

    // Accelerators first, then the active view's own hook.
    BOOL PreTranslateMessage(MSG* msg) override;

    BEGIN_MSG_MAP(CMainFrame)
        MESSAGE_HANDLER(WM_CREATE, OnCreate)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_MOVE, OnMove)
        MSG_WM_SIZE(OnSize)
        MSG_WM_GETMINMAXINFO(OnGetMinMaxInfo)
        MESSAGE_HANDLER(WM_CLOSE, OnClose)
        COMMAND_FILTER(DropGrayedAccelerator)
        COMMAND_ID_HANDLER(ID_GOTO_HOME, OnGoToHome)
        COMMAND_RANGE_HANDLER(ID_GOTO_HOME + 1, kLastGoTo, OnGoTo)
        COMMAND_ID_HANDLER(ID_APP_EXIT, OnExit)
        COMMAND_RANGE_HANDLER(ID_VIEW_COMMAND_FIRST, ID_VIEW_COMMAND_LAST, ForwardToView)
        MESSAGE_HANDLER(WM_DATA_FOLDER_CHANGED, OnDataFolderChanged)
        MSG_WM_ENDSESSION(OnEndSession)
        MESSAGE_HANDLER_EX(WM_SETTINGCHANGE, ForwardSystemChange)
        MESSAGE_HANDLER_EX(WM_SYSCOLORCHANGE, ForwardSystemChange)
        CHAIN_MSG_MAP(Base)
    END_MSG_MAP()

private:
    using Base = CFrameWindowImpl<CMainFrame>;

    LRESULT OnCreate();
    void OnDestroy();
    void OnMove();
    void OnSize(UINT type, int width, int height);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnClose();
    // An accelerator whose item is grayed in the menu bar gives no command.
    void DropGrayedAccelerator(UINT id, UINT code);
    void OnGoToHome();
    void OnGoTo(UINT command);
    void OnExit() { PostMessage(WM_CLOSE); }
    void ForwardToView(UINT command) const;
    void OnDataFolderChanged();
    void OnEndSession(bool ending);
    void ForwardSystemChange(UINT msg, WPARAM wParam, LPARAM lParam);

    void SetIcons();
    void PlaceWindow();
    void LayOutActiveView();
    // Dialog units of the current template variant, measured on the test view.
    DialogUnits ViewUnits() const;
    CViewBase* ActiveViewObject();
    UINT ActiveGoToCommand();
    // Leaving a running test loses it: asks first when the user wants to be asked.
    bool MayAbandonTest();
    bool IsGrayedInMenu(UINT command) const;

    AppSettings& m_settings;
    VocabularyCache& m_cache;
    WatcherSlot& m_watcher;
    SIZE m_normalSize{};   // none before the window is placed, unless it follows another
    UniqueIcon m_bigIcon;  // the window keeps using them until it is gone
    UniqueIcon m_smallIcon;
    CHomeView m_homeView;
    CBrowView m_browView;
    CTestView m_testView;
    CGraphView m_graphView;
    CSetupView m_setupView;
    CAboutView m_aboutView;
};
