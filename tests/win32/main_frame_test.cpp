// The main frame in process under Wine: its placement from the stored geometry, its view
// switching by keys and commands, its menu bar, the question before a test is abandoned.

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "app/frame_geometry.h"
#include "data/folder_watcher_win32.h"
#include "harness.h"
#include "res/resource.h"
#include "text_fit.h"
#include "view/messages.h"

namespace {

using harness::DialogScript;
using harness::FrameHarness;
using harness::MessageRecorder;
using harness::TestSettings;

SIZE ClientSize(HWND hWnd) {
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    return SIZE{rc.right, rc.bottom};
}

DialogUnits FrameUnits(CMainFrame& frame) {
    return DialogUnits::Measure(frame.TestView());
}

RECT WorkArea() {
    RECT rc{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

// One word file of three entries, selected, for the home view to list when the frame starts.
// Written before the frame exists, so that its watcher has nothing to report.
void SelectSomeWords(TestSettings& settings) {
    settings.folder.Write(L"words.mrn", "one\\jedna\r\ntwo\\dva\r\nthree\\tri\r\n");
    settings->SetSelection({u"words.mrn"});
}

TEST(MainFrame, FirstStartIsA269By164UnitClientCentredOnTheWorkArea) {
    TestSettings settings;
    FrameHarness h(settings);
    ASSERT_TRUE(h.hWnd);
    EXPECT_EQ(h.frame.TestView().GetTemplateId(), UINT{IDD_TEST}) << "the 8-point variant";

    const DialogUnits du = FrameUnits(h.frame);
    ASSERT_GT(du.cx, 0);
    const SIZE client = ClientSize(h.hWnd);
    EXPECT_EQ(client.cx, du.X(269));
    EXPECT_EQ(client.cy, du.Y(164));

    RECT rc{};
    ::GetWindowRect(h.hWnd, &rc);
    const RECT work = WorkArea();
    EXPECT_NEAR((rc.left + rc.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, (work.top + work.bottom) / 2, 1);
    // What was placed is what will be stored.
    EXPECT_EQ(settings->WinX, rc.left);
    EXPECT_EQ(settings->WinY, rc.top);
    EXPECT_NEAR(settings->WinDluW, 269, 1);
    EXPECT_NEAR(settings->WinDluH, 164, 1);

    EXPECT_EQ(h.frame.ActiveView(), h.frame.HomeView().m_hWnd);
    EXPECT_TRUE(::IsWindowVisible(h.frame.HomeView()));
    EXPECT_FALSE(::IsWindowVisible(h.frame.BrowView()));
    wchar_t title[64]{};
    ::GetWindowTextW(h.hWnd, title, 64);
    EXPECT_STREQ(title, L"Memorion 1.2 by Dorsel");
    EXPECT_EQ(::SendMessageW(h.hWnd, WM_GETICON, ICON_BIG, 0) != 0, true);
    EXPECT_EQ(::SendMessageW(h.hWnd, WM_GETICON, ICON_SMALL, 0) != 0, true);
}

TEST(MainFrame, StoredPositionAndSizeAreRestored) {
    struct Row {
        const char* fault;
        int x, y;
        LONG left, top;
    } rows[] = {
        {"on the screen", 37, 53, 37, 53},
        {"dragged partly off to the left and top: reopens there", -120, -40, -120, -40},
    };
    for (const Row& row : rows) {
        TestSettings settings;
        settings->WinX = row.x;
        settings->WinY = row.y;
        settings->WinDluW = 200;
        settings->WinDluH = 130;
        FrameHarness h(settings);
        RECT rc{};
        ::GetWindowRect(h.hWnd, &rc);
        EXPECT_EQ(rc.left, row.left) << row.fault;
        EXPECT_EQ(rc.top, row.top) << row.fault;
        const DialogUnits du = FrameUnits(h.frame);
        EXPECT_EQ(ClientSize(h.hWnd).cx, du.X(200)) << row.fault;
        EXPECT_EQ(ClientSize(h.hWnd).cy, du.Y(130)) << row.fault;
        EXPECT_EQ(settings->WinX, row.left) << row.fault;
    }
}

TEST(MainFrame, WindowLeftWhereNoMonitorIsOpensCentred) {
    TestSettings settings;
    settings->WinX = -30000;
    settings->WinY = -30000;
    FrameHarness h(settings);
    RECT rc{};
    ::GetWindowRect(h.hWnd, &rc);
    const RECT work = WorkArea();
    EXPECT_NEAR((rc.left + rc.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((rc.top + rc.bottom) / 2, (work.top + work.bottom) / 2, 1);
    EXPECT_TRUE(IsOnAnyMonitor(rc, MonitorRectangles()));
}

TEST(MainFrame, ClosedMaximizedReopensAtTheRestoredRectangle) {
    TestSettings settings;
    settings->WinX = 60;
    settings->WinY = 70;
    RECT restored{};
    {
        FrameHarness h(settings);
        ::GetWindowRect(h.hWnd, &restored);
        ::ShowWindow(h.hWnd, SW_MAXIMIZE);
        h.Pump();
        ASSERT_TRUE(::IsZoomed(h.hWnd));
        EXPECT_EQ(settings->WinX, 60) << "maximizing must not store the maximized position";
        EXPECT_EQ(settings->WinY, 70);
        h.Command(ID_APP_EXIT);
        EXPECT_FALSE(::IsWindow(h.hWnd));
        EXPECT_EQ(h.quitCode, 1);
    }
    FrameHarness again(settings);
    EXPECT_FALSE(::IsZoomed(again.hWnd));
    RECT rc{};
    ::GetWindowRect(again.hWnd, &rc);
    EXPECT_EQ(rc.left, restored.left);
    EXPECT_EQ(rc.top, restored.top);
    EXPECT_EQ(rc.right, restored.right);
    EXPECT_EQ(rc.bottom, restored.bottom);
}

TEST(MainFrame, MinimumTrackingSizeIs100By77UnitsOfClientArea) {
    TestSettings settings;
    FrameHarness h(settings);
    MINMAXINFO info{};
    ::SendMessageW(h.hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    const DialogUnits du = FrameUnits(h.frame);
    RECT rc{0, 0, du.X(100), du.Y(77)};
    ::AdjustWindowRectEx(&rc, CMainFrame::kStyle, TRUE, CMainFrame::kExStyle);
    EXPECT_EQ(info.ptMinTrackSize.x, rc.right - rc.left);
    EXPECT_EQ(info.ptMinTrackSize.y, rc.bottom - rc.top);
}

TEST(MainFrame, FunctionKeysSwitchViewsAndEachViewShowsItsMenu) {
    TestSettings settings;
    SelectSomeWords(settings);
    FrameHarness h(settings);
    ASSERT_EQ(h.frame.HomeView().Summary().selectedWords, 3u);
    CMainFrame& f = h.frame;
    struct Row {
        UINT key;
        HWND view;
        UINT goTo;
        std::vector<std::wstring> menuBar;
    } rows[] = {
        {VK_F3, f.BrowView(), ID_GOTO_BROWSE, {L"&GoTo", L"&Browse"}},
        {VK_F7, f.TestView(), ID_GOTO_TEST, {L"&GoTo"}},
        {VK_F8, f.GraphView(), ID_GOTO_GRAPH, {L"&GoTo", L"&Graph"}},
        {VK_F9, f.SetupView(), ID_GOTO_SETUP, {L"&GoTo"}},
        {VK_F10, f.AboutView(), ID_GOTO_ABOUT, {L"&GoTo"}},
        {VK_F1, f.HomeView(), ID_GOTO_HOME, {L"&GoTo", L"&File"}},
        {VK_F7, f.TestView(), ID_GOTO_TEST, {L"&GoTo"}},
        {VK_F10, f.AboutView(), ID_GOTO_ABOUT, {L"&GoTo"}},
    };
    std::set<HWND> visited;
    for (const Row& row : rows) {
        h.Key(row.key);
        visited.insert(row.view);
        EXPECT_EQ(f.ActiveView(), row.view) << "key " << row.key;
        EXPECT_EQ(h.MenuBar(), row.menuBar) << "key " << row.key;
        for (UINT id = ID_GOTO_HOME; id <= CMainFrame::kLastGoTo; ++id) {
            EXPECT_EQ(h.IsGrayed(id), id == row.goTo) << "key " << row.key << " item " << id;
        }
        // Exactly the active view shows, over the whole client area.
        for (CViewBase* view : f.Views()) {
            EXPECT_EQ(::IsWindowVisible(*view) != 0, view->m_hWnd == row.view);
        }
        RECT rc{};
        ::GetWindowRect(row.view, &rc);
        const SIZE client = ClientSize(h.hWnd);
        EXPECT_EQ(rc.right - rc.left, client.cx);
        EXPECT_EQ(rc.bottom - rc.top, client.cy);
        // ...and is laid out for it, although at the first start's size it was created at
        // exactly that size: laying it out again moves nothing.
        auto controls = [&] {
            std::vector<RECT> rects;
            for (HWND c = ::GetWindow(row.view, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
                rects.push_back(RECT{});
                ::GetWindowRect(c, &rects.back());
            }
            return rects;
        };
        const std::vector<RECT> shown = controls();
        ::SendMessageW(row.view, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.cx, client.cy));
        const std::vector<RECT> laidOut = controls();
        ASSERT_EQ(shown.size(), laidOut.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_TRUE(::EqualRect(&shown[i], &laidOut[i])) << "key " << row.key << " child " << i;
        }
    }
    EXPECT_EQ(visited.size(), f.Views().size()) << "a view of the frame's table has no row";
}

// Every caption of every view shows whole, in every font size and whatever font stands in
// for the dialog font (ctest runs this once more with a wider one): a single line that is
// wider than its static wraps out of sight, a button's is clipped.
TEST(MainFrame, EveryCaptionFitsItsControlInEveryFontSize) {
    for (int fontSize = 0; fontSize < 3; ++fontSize) {
        TestSettings settings;
        SelectSomeWords(settings);
        settings->FontSize = fontSize;
        FrameHarness h(settings);
        for (UINT key : FrameHarness::GoToKeys()) {
            h.Key(key);
            std::vector<HWND> shown;
            ::EnumChildWindows(
                h.frame.ActiveView(),
                [](HWND c, LPARAM list) -> BOOL {
                    if (::IsWindowVisible(c))
                        reinterpret_cast<std::vector<HWND>*>(list)->push_back(c);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&shown));
            for (HWND c : shown) {
                const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(c, WM_GETFONT, 0, 0));
                EXPECT_EQ(CutOffText(c, CWindow(c).GetWindowText(), font), L"")
                    << "font size " << fontSize << ", key " << key;
            }
        }
    }
}

TEST(MainFrame, TheActiveViewsOwnKeyDoesNothing) {
    TestSettings settings;
    FrameHarness h(settings);
    h.Key(VK_F8);
    ASSERT_EQ(h.frame.ActiveView(), h.frame.GraphView().m_hWnd);
    MessageRecorder graph(h.frame.GraphView());
    h.Key(VK_F8);
    EXPECT_EQ(graph.activations, 0) << "a grayed accelerator must give no command";
}

TEST(MainFrame, WithNoWordSelectedBrowseAndTestAreGrayedAndTheirKeysDoNothing) {
    TestSettings settings;
    FrameHarness h(settings);
    const UINT keys[] = {VK_F1, VK_F8, VK_F9, VK_F10};
    for (UINT key : keys) {
        h.Key(key);
        EXPECT_TRUE(h.IsGrayed(ID_GOTO_BROWSE)) << key;
        EXPECT_TRUE(h.IsGrayed(ID_GOTO_TEST)) << key;
        const HWND before = h.frame.ActiveView();
        h.Key(VK_F3);
        h.Key(VK_F7);
        EXPECT_EQ(h.frame.ActiveView(), before) << key;
    }
}

TEST(MainFrame, ViewCommandsReachTheActiveView) {
    TestSettings settings;
    FrameHarness h(settings);
    h.Key(VK_F8);
    MessageRecorder graph(h.frame.GraphView());
    h.Key(VK_F4);  // Edit, not in the graph view's menu: still forwarded, and ignored there
    h.Command(ID_GRAPH_CLEAR);
    h.Command(ID_VIEW_COMMAND_LAST);
    h.Command(ID_VIEW_COMMAND_LAST + 1);  // outside the range: not the view's business
    EXPECT_EQ(graph.commands,
              (std::vector<UINT>{ID_FILE_EDIT, ID_GRAPH_CLEAR, ID_VIEW_COMMAND_LAST}));
    EXPECT_EQ(h.frame.ActiveView(), h.frame.GraphView().m_hWnd);
    EXPECT_TRUE(::IsWindow(h.hWnd));
}

TEST(MainFrame, BackEscapeAndTheMouseBackButtonReturnHome) {
    TestSettings settings;
    FrameHarness h(settings);
    CMainFrame& f = h.frame;
    const UINT keys[] = {VK_F8, VK_F9, VK_F10};
    for (UINT key : keys) {
        h.Key(key);
        h.Key(VK_ESCAPE);
        EXPECT_EQ(f.ActiveView(), f.HomeView().m_hWnd) << "Escape after " << key;

        h.Key(key);
        ::PostMessageW(f.ActiveView(), WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), 0);
        h.Pump();
        EXPECT_EQ(f.ActiveView(), f.HomeView().m_hWnd) << "back button after " << key;

        h.Key(key);
        ::PostMessageW(f.ActiveView(), WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON2), 0);
        h.Pump();
        EXPECT_NE(f.ActiveView(), f.HomeView().m_hWnd) << "the forward button is not back";

        ::SendMessageW(::GetDlgItem(f.ActiveView(), IDCANCEL), BM_CLICK, 0, 0);
        h.Pump();
        EXPECT_EQ(f.ActiveView(), f.HomeView().m_hWnd) << "< Back after " << key;
    }
    MessageRecorder frame(h.hWnd);
    h.Key(VK_ESCAPE);
    ::PostMessageW(f.HomeView(), WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), 0);
    h.Pump();
    EXPECT_TRUE(frame.commands.empty()) << "home has no way back";
}

TEST(MainFrame, AbandoningATestAsksFirstWhenConfirmExitIsSet) {
    TestSettings settings;
    settings->ConfirmExit = true;
    SelectSomeWords(settings);
    FrameHarness h(settings);
    ASSERT_EQ(h.frame.HomeView().Summary().selectedWords, 3u);
    CMainFrame& f = h.frame;
    const std::wstring question = LoadResString(IDS_CONFIRM_ABANDON);
    ASSERT_FALSE(question.empty());
    DialogScript boxes(false);

    h.Key(VK_F7);
    ASSERT_EQ(f.ActiveView(), f.TestView().m_hWnd);
    h.Key(VK_F1);
    h.Command(ID_APP_EXIT);
    h.Key(VK_ESCAPE);
    ::PostMessageW(h.hWnd, WM_CLOSE, 0, 0);
    h.Pump();
    EXPECT_EQ(boxes.BoxTexts(), std::vector<std::wstring>(4, question));
    EXPECT_TRUE(::IsWindow(h.hWnd)) << "No keeps the window";
    EXPECT_EQ(f.ActiveView(), f.TestView().m_hWnd) << "No keeps the test";

    // Other views are left without a question.
    h.Key(VK_F3);
    EXPECT_EQ(f.ActiveView(), f.BrowView().m_hWnd);
    h.Key(VK_F7);
    h.Key(VK_F8);
    EXPECT_EQ(f.ActiveView(), f.GraphView().m_hWnd);
    EXPECT_EQ(boxes.BoxTexts().size(), 4u);

    boxes.AnswerBoxes(true);
    h.Key(VK_F7);
    h.Key(VK_F1);
    EXPECT_EQ(f.ActiveView(), f.HomeView().m_hWnd) << "Yes goes home";
    h.Key(VK_F7);
    h.Command(ID_APP_EXIT);
    EXPECT_FALSE(::IsWindow(h.hWnd)) << "Yes closes";
    EXPECT_EQ(boxes.BoxTexts().size(), 6u);
    EXPECT_EQ(h.quitCode, 1);
}

TEST(MainFrame, NothingIsAskedWithoutConfirmExitOrOutsideTheTest) {
    {
        TestSettings settings;
        SelectSomeWords(settings);
        FrameHarness h(settings);
        ASSERT_EQ(h.frame.HomeView().Summary().selectedWords, 3u);
        DialogScript boxes(false);
        h.Key(VK_F7);
        h.Key(VK_F1);
        EXPECT_EQ(h.frame.ActiveView(), h.frame.HomeView().m_hWnd);
        h.Key(VK_F7);
        h.Command(ID_APP_EXIT);
        EXPECT_FALSE(::IsWindow(h.hWnd));
        EXPECT_TRUE(boxes.BoxTexts().empty());
    }
    {
        TestSettings settings;
        settings->ConfirmExit = true;
        FrameHarness h(settings);
        DialogScript boxes(false);
        h.Key(VK_F8);
        h.Command(ID_APP_EXIT);
        EXPECT_FALSE(::IsWindow(h.hWnd));
        EXPECT_TRUE(boxes.BoxTexts().empty());
    }
}

TEST(MainFrame, FolderChangesArePendingForHomeAndDropTheLibraryElsewhere) {
    TestSettings settings;
    FrameHarness h(settings);
    settings.watcher.changePending = false;
    h.Key(VK_F8);
    ::PostMessageW(h.hWnd, WM_DATA_FOLDER_CHANGED, 0, 0);
    h.Pump();
    EXPECT_FALSE(settings.watcher.changePending) << "not with the graph view showing";
    EXPECT_FALSE(settings.Cache().HasLibrary()) << "dropped, for home to rebuild";
    h.Key(VK_F1);
    ::PostMessageW(h.hWnd, WM_DATA_FOLDER_CHANGED, 0, 0);
    h.Pump();
    EXPECT_TRUE(settings.watcher.changePending);
    EXPECT_TRUE(settings.Cache().HasLibrary()) << "kept until the change is reported";
    settings.watcher.changePending = false;
    h.frame.DestroyWindow();
    EXPECT_TRUE(harness::WatchedFolder(settings.watcher).empty())
        << "nothing watches for a frame that is gone";
}

TEST(MainFrame, EndOfTheSessionSavesTheSettings) {
    TestSettings settings;
    FrameHarness h(settings);
    settings->WordOrder = 2;
    ::SendMessageW(h.hWnd, WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(AppSettings(SettingsSeamsWin32(settings.Key())).WordOrder, 0)
        << "a cancelled end of session saves nothing";
    ::SendMessageW(h.hWnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(AppSettings(SettingsSeamsWin32(settings.Key())).WordOrder, 2);
}

}  // namespace
