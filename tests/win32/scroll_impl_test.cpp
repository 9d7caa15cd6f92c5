// The scrolling mix-in on a real window: scroll bar commands and the wheel move the child
// controls, and the offset never leaves the content.

#include <gtest/gtest.h>

#include <windows.h>

#include "win/scroll_impl.h"
#include "win/window.h"

namespace {

TEST(ScrollImpl, WheelNotchesKeepTheRemainderOfPartialNotches) {
    struct Row {
        int remainder, delta, notches, rest;
    };
    const Row rows[] = {
        {0, 120, 1, 0},     {0, 60, 0, 60},    {60, 60, 1, 0},  {0, 360, 3, 0},
        {0, -200, -1, -80}, {-80, 100, 0, 20}, {40, -40, 0, 0},
    };
    for (const Row& row : rows) {
        int remainder = row.remainder;
        EXPECT_EQ(TakeWheelNotches(remainder, row.delta), row.notches)
            << row.remainder << " + " << row.delta;
        EXPECT_EQ(remainder, row.rest) << row.remainder << " + " << row.delta;
    }
}

class CScrolledPane : public CWindowImpl<CScrolledPane>, public CScrollImpl<CScrolledPane> {
public:
    static constexpr wchar_t kClassName[] = L"Memorion.Test.ScrolledPane";
    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override {
        return ProcessScrollMessage(hWnd, msg, wParam, lParam, result);
    }
};

struct Pane {
    CScrolledPane pane;
    HWND child = nullptr;
    Pane() {
        RECT rc{0, 0, 200, 100};
        ::AdjustWindowRectEx(&rc, WS_POPUP, FALSE, 0);
        pane.Create(nullptr, &rc, L"", WS_POPUP | WS_VISIBLE);
        child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, pane,
                                  nullptr, nullptr, nullptr);
    }
    ~Pane() { pane.DestroyWindow(); }
    LONG ChildTop() const {
        RECT rc{};
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(nullptr, pane, reinterpret_cast<POINT*>(&rc), 2);
        return rc.top;
    }
    LONG MaxOffset() const {
        RECT client{};
        ::GetClientRect(pane, &client);
        return 400 - client.bottom;
    }
};

TEST(ScrollImpl, ScrollBarCommandsMoveTheChildrenWithinTheContent) {
    Pane p;
    ASSERT_NE(p.pane.m_hWnd, nullptr);
    p.pane.SetScrollSize(0, 400);  // line 4, page 40
    EXPECT_TRUE(p.pane.GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(p.pane.GetStyle() & WS_HSCROLL);

    struct Step {
        WORD code;
        LONG offset;
    };
    const LONG max = p.MaxOffset();
    const Step steps[] = {
        {SB_LINEDOWN, 4},   {SB_PAGEDOWN, 44}, {SB_LINEUP, 40}, {SB_BOTTOM, max},
        {SB_PAGEDOWN, max}, {SB_TOP, 0},       {SB_LINEUP, 0},
    };
    for (const Step& step : steps) {
        ::SendMessageW(p.pane, WM_VSCROLL, MAKEWPARAM(step.code, 0), 0);
        EXPECT_EQ(p.pane.GetScrollOffset().y, step.offset) << "code " << step.code;
        EXPECT_EQ(p.ChildTop(), -step.offset) << "code " << step.code;
        EXPECT_EQ(::GetScrollPos(p.pane, SB_VERT), step.offset) << "code " << step.code;
    }
}

TEST(ScrollImpl, WheelScrollsBySystemLinesPerNotch) {
    UINT lines = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    if (lines == 0 || lines == WHEEL_PAGESCROLL) GTEST_SKIP() << "wheel set to pages or off";

    Pane p;
    p.pane.SetScrollSize(0, 400);
    ::SendMessageW(p.pane, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);  // offset 40
    ::SendMessageW(p.pane, WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0);
    EXPECT_EQ(p.pane.GetScrollOffset().y, 40) << "half a notch does not scroll yet";
    ::SendMessageW(p.pane, WM_MOUSEWHEEL, MAKEWPARAM(0, -60), 0);
    EXPECT_EQ(p.pane.GetScrollOffset().y, 40 + static_cast<LONG>(lines) * 4);
    ::SendMessageW(p.pane, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), 0);
    EXPECT_EQ(p.pane.GetScrollOffset().y, std::max(40 - static_cast<LONG>(lines) * 4, 0L));
}

TEST(ScrollImpl, GrowingTheWindowPastTheContentScrollsBackAndDropsTheBar) {
    Pane p;
    p.pane.SetScrollSize(0, 400);
    ::SendMessageW(p.pane, WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    ASSERT_GT(p.pane.GetScrollOffset().y, 0);

    p.pane.SetWindowPos(nullptr, 0, 0, 300, 500, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(p.pane.GetScrollOffset().y, 0);
    EXPECT_EQ(p.ChildTop(), 0);
    EXPECT_FALSE(p.pane.GetStyle() & WS_VSCROLL);
}

TEST(ScrollImpl, ScrollingAHiddenWindowStillMovesItsChildren) {
    // Views are hidden while they are activated: a pane scrolled back to the top then must
    // not leave its controls where they were.
    Pane p;
    p.pane.SetScrollSize(0, 400);
    ::SendMessageW(p.pane, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);  // offset 40
    p.pane.ShowWindow(SW_HIDE);
    p.pane.SetScrollOffset(0, 0);
    EXPECT_EQ(p.ChildTop(), 0);
    ::SendMessageW(p.pane, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(p.ChildTop(), -4);
    p.pane.ShowWindow(SW_SHOWNA);
    ::SendMessageW(p.pane, WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    EXPECT_EQ(p.ChildTop(), 0);
}

}  // namespace
