#pragma once
// The program's one top-level window. It owns the six views, shows one of them at a time
// stretched over its client area, owns the menu bar and the accelerators, turns commands into
// view switches or hands them to the active view, and keeps its position and size in the
// settings.

#include <windows.h>

#include "views/home_view.h"
#include "views/test_view.h"
#include "views/about_view.h"
#include "views/brow_view.h"
#include "views/graph_view.h"
#include "views/setup_view.h"
#include "win/frame_window.h"
#include "win/message_loop.h"

class AppSettings;

class CMainFrame : public CFrameWindowImpl<CMainFrame>,
                   public CMessageFilter,
                   public CIdleHandler {
public:
    static constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    static constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

    // The views read the settings they are given here; the process passes
    // AppSettings::Instance(), tests a record on a key of their own. The new frame becomes
    // the process-wide frame.
    explicit CMainFrame(AppSettings& settings);
    ~CMainFrame() override;

    // The frame of the current run, through which views reach the frame's window, its menu
    // and its active view; null between runs.
    static CMainFrame* Instance();

    // Creates the window with its title, menu, styles and accelerators; null on failure.
    HWND CreateFrame();

    // Makes `view` (one of the six views' windows) the active view. A view without a window
    // is not switched to: the active view is activated again instead.
    void SwitchToView(HWND view);
    // Menu bar: GoTo plus the popup at `position` of menu 128 (0: GoTo alone), with the
    // active view's GoTo item grayed, and Browse and Test grayed while no word is selected.
    void ShowViewMenu(int position);

    HWND ActiveView() const { return m_hWndClient; }
    AppSettings& Settings() const { return m_settings; }

    CHomeView& HomeView() { return m_homeView; }
    CBrowView& BrowView() { return m_browView; }
    CTestView& TestView() { return m_testView; }
    CGraphView& GraphView() { return m_graphView; }
    CSetupView& SetupView() { return m_setupView; }
    CAboutView& AboutView() { return m_aboutView; }

    // Accelerators first, then the active view's own hook.
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnIdle() override;

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override;

private:
    using Base = CFrameWindowImpl<CMainFrame>;

    BOOL OnCreate(LRESULT& result);
    BOOL OnDestroy(HWND hWnd, WPARAM wParam, LPARAM lParam, LRESULT& result);
    BOOL OnMove(LRESULT& result);
    BOOL OnSize(HWND hWnd, WPARAM wParam, LPARAM lParam, LRESULT& result);
    BOOL OnGetMinMaxInfo(MINMAXINFO* info, LRESULT& result);
    BOOL OnClose(LRESULT& result);
    BOOL OnCommand(WPARAM wParam, LRESULT& result);
    BOOL OnDataFolderChanged(LRESULT& result);
    BOOL OnEndSession(WPARAM ending, LRESULT& result);

    void SetIcons();
    void PlaceWindow();
    void LayOutActiveView();
    // Dialog units of the current template variant, measured on the test view.
    DialogUnits ViewUnits() const;
    CViewBase* ActiveViewObject();
    UINT ActiveGoToCommand() const;
    // Leaving a running test loses it: asks first when the user wants to be asked.
    bool MayAbandonTest();
    bool IsGrayedInMenu(UINT command) const;

    AppSettings& m_settings;
    HICON m_bigIcon = nullptr;
    HICON m_smallIcon = nullptr;
    CHomeView m_homeView;
    CBrowView m_browView;
    CTestView m_testView;
    CGraphView m_graphView;
    CSetupView m_setupView;
    CAboutView m_aboutView;
};
