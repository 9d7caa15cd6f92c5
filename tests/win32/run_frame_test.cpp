// Whole runs of the frame, as the entry point makes them: the loop ends with the frame, a
// restart request builds a new frame in the same process, and nothing piles up on the way.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "app/run_frame.h"
#include "data/vocabulary_cache.h"
#include "harness.h"
#include "res/resource.h"

namespace {

using harness::FrameHarness;
using harness::TestSettings;

// The frame of the run in progress, once its window exists: the top-level window of this
// thread that is bound to a CMainFrame.
CMainFrame* CurrentFrame() {
    CMainFrame* found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM param) -> BOOL {
            auto* frame = dynamic_cast<CMainFrame*>(CWindowImplRoot::FromHandle(hWnd));
            if (frame) *reinterpret_cast<CMainFrame**>(param) = frame;
            return !frame;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Looks at every message the loop takes from the queue; the first one after a new frame has
// shown itself hands that frame to `onFrame` and then closes the frame, as a user would.
class FrameScript {
public:
    explicit FrameScript(std::function<void(CMainFrame&)> onFrame) {
        s_onFrame = std::move(onFrame);
        s_lastFrame = nullptr;
        s_runs = 0;
        s_hook = ::SetWindowsHookExW(WH_GETMESSAGE, &Proc, nullptr, ::GetCurrentThreadId());
    }
    ~FrameScript() { ::UnhookWindowsHookEx(s_hook); }
    int Runs() const { return s_runs; }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        CMainFrame* frame = CurrentFrame();
        if (code == HC_ACTION && wParam == PM_REMOVE && frame && frame->IsWindow() &&
            frame->m_hWnd != s_lastFrame && ::IsWindowVisible(frame->m_hWnd)) {
            s_lastFrame = frame->m_hWnd;
            ++s_runs;
            s_onFrame(*frame);
            ::PostMessageW(frame->m_hWnd, WM_CLOSE, 0, 0);
        }
        return ::CallNextHookEx(s_hook, code, wParam, lParam);
    }
    static inline HHOOK s_hook = nullptr;
    static inline HWND s_lastFrame = nullptr;
    static inline int s_runs = 0;
    static inline std::function<void(CMainFrame&)> s_onFrame;
};

SIZE ClientSize(HWND hWnd) {
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    return SIZE{rc.right, rc.bottom};
}

TEST(RunFrame, ARestartRebuildsTheFrameWithTheNewFontSizeAndKeepsTheSettings) {
    TestSettings settings;
    settings->FontSize = 1;
    settings->ConfirmExit = false;
    struct Seen {
        UINT homeTemplate, testTemplate, aboutTemplate;
        DialogUnits du;
        SIZE client;
        RECT window;
    };
    std::vector<Seen> seen;
    FrameScript script([&](CMainFrame& frame) {
        Seen s{frame.HomeView().GetTemplateId(),
               frame.TestView().GetTemplateId(),
               frame.AboutView().GetTemplateId(),
               DialogUnits::Measure(frame.TestView()),
               ClientSize(frame),
               frame.GetWindowRect()};
        seen.push_back(s);
        if (seen.size() < 3) {
            // What the setup view does on a confirmed change of the font size.
            settings->FontSize = static_cast<std::int32_t>(seen.size() + 1) % 3;
            settings->RestartRequested = true;
        }
    });
    settings->WinX = 80;
    settings->WinY = 90;
    EXPECT_EQ(RunFramesUntilExit(SW_SHOWNORMAL, *settings, settings.Cache(), settings.watcher), 1);
    EXPECT_FALSE(settings->RestartRequested);
    ASSERT_EQ(seen.size(), 3u);

    EXPECT_EQ(seen[0].testTemplate, UINT{IDD_TEST_10PT});
    EXPECT_EQ(seen[0].homeTemplate, UINT{IDD_HOME_10PT});
    EXPECT_EQ(seen[0].aboutTemplate, UINT{IDD_ABOUT_10PT});
    EXPECT_EQ(seen[1].testTemplate, UINT{IDD_TEST_18PT});
    EXPECT_EQ(seen[1].homeTemplate, UINT{IDD_HOME_18PT});
    EXPECT_EQ(seen[2].testTemplate, UINT{IDD_TEST});

    // The same units in a larger font give a larger window, at the same place unless it would
    // grow past the work area: then it moves in, no further, and the next frame opens there.
    EXPECT_GT(seen[1].du.cy, seen[0].du.cy);
    EXPECT_GT(seen[1].client.cx, seen[0].client.cx);
    EXPECT_GT(seen[1].client.cy, seen[0].client.cy);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG wide = seen[1].window.right - seen[1].window.left;
    EXPECT_EQ(seen[1].window.left, std::min<LONG>(80, work.right - wide));
    EXPECT_EQ(seen[2].window.left, seen[1].window.left);
    for (const Seen& s : seen) {
        EXPECT_EQ(s.window.top, 90);
        EXPECT_NEAR(s.client.cx, s.du.X(269), s.du.X(1));
        EXPECT_NEAR(s.client.cy, s.du.Y(164), s.du.Y(1));
    }
    EXPECT_EQ(script.Runs(), 3);
}

TEST(RunFrame, TheShowCommandAppliesToEveryRebuiltFrame) {
    TestSettings settings;
    std::vector<bool> zoomed;
    FrameScript script([&](CMainFrame& frame) {
        zoomed.push_back(::IsZoomed(frame) != 0);
        settings->RestartRequested = zoomed.size() < 2;
    });
    EXPECT_EQ(RunFramesUntilExit(SW_SHOWMAXIMIZED, *settings, settings.Cache(), settings.watcher),
              1);
    EXPECT_EQ(zoomed, (std::vector<bool>{true, true}));
    EXPECT_EQ(settings->WinDluW, 269) << "maximized sizes are not stored";
}

struct GuiObjects {
    DWORD gdi, user;
    static GuiObjects Now() {
        return {::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS),
                ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS)};
    }
};

bool IsIcon(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) return false;
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return true;
}

// Windows counts the objects of the process; Wine reports 0 for both counts, so the objects
// the frame makes itself (a menu bar per activation, two icons per frame) are also checked
// one by one for having been released.
TEST(RunFrame, ViewSwitchesAndRebuildsLeaveNoGdiOrUserObjectsBehind) {
    TestSettings settings;
    {
        // Warm up: classes registered, fonts and system objects made on first use.
        FrameHarness h(settings);
        h.Key(VK_F8);
        h.Key(VK_F1);
    }
    const GuiObjects before = GuiObjects::Now();
    {
        settings.folder.Write(L"words.mrn", "one\\jedna\r\ntwo\\dva\r\n");
        settings->SetSelection({u"words.mrn"});
        settings.Cache().DropLibrary();  // the warm-up frame listed an empty folder
        FrameHarness h(settings);
        ASSERT_EQ(h.frame.HomeView().Summary().selectedWords, 2u);
        const UINT keys[] = {VK_F3, VK_F7, VK_F8, VK_F9, VK_F10, VK_F1};
        int menusLeft = 0;
        for (int i = 0; i < 200; ++i) {
            HMENU previous = ::GetMenu(h.hWnd);
            h.Key(keys[i % 6]);
            if (::GetMenu(h.hWnd) != previous && ::IsMenu(previous)) ++menusLeft;
        }
        EXPECT_EQ(menusLeft, 0) << "each activation must destroy the menu bar it replaces";
        EXPECT_EQ(h.frame.ActiveView(), h.frame.TestView().m_hWnd);  // 200 = 33·6 + 2
    }
    std::vector<HICON> icons;
    std::vector<HMENU> menus;
    int runs = 0;
    FrameScript script([&](CMainFrame& frame) {
        ++runs;
        icons.push_back(reinterpret_cast<HICON>(frame.SendMessage(WM_GETICON, ICON_BIG)));
        icons.push_back(reinterpret_cast<HICON>(frame.SendMessage(WM_GETICON, ICON_SMALL)));
        menus.push_back(frame.GetMenu());
        settings->FontSize = runs % 3;
        settings->RestartRequested = runs < 20;
    });
    EXPECT_EQ(RunFramesUntilExit(SW_SHOWNORMAL, *settings, settings.Cache(), settings.watcher), 1);
    EXPECT_EQ(runs, 20);
    for (HICON icon : icons) EXPECT_FALSE(IsIcon(icon)) << "an icon outlived its frame";
    for (HMENU menu : menus) EXPECT_FALSE(::IsMenu(menu)) << "a menu outlived its frame";

    const GuiObjects after = GuiObjects::Now();
    EXPECT_LE(after.gdi, before.gdi + 2) << "GDI objects before " << before.gdi;
    EXPECT_LE(after.user, before.user + 2) << "USER objects before " << before.user;
}

}  // namespace
