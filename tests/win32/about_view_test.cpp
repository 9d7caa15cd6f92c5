// The about view in process under Wine: the three lines stay centred at every size, the
// button hides on a short view, and the address is a link that opens what it shows.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "harness.h"
#include "res/resource.h"
#include "view/view_layout.h"

namespace {

using harness::FrameHarness;
using harness::TestSettings;

TEST(AboutView, LayoutCentresThePaneAboveTheButtonOrInTheWholeHeight) {
    const DialogUnits du{6, 13};  // mx 2, my 2, button 26 high, tall above 197
    const SIZE pane{150, 65};
    struct Row {
        int w, h;
        bool tall;
        POINT at;
    };
    const Row rows[] = {
        {404, 267, true, {127, 86}},   // (267 - 4 - 26) / 2 - 32
        {404, 198, true, {127, 52}},   // just above the threshold
        {404, 197, false, {127, 65}},  // button hidden: (197 - 2) / 2 - 32
        {100, 60, false, {-25, -3}},   // smaller than the pane: still centred
    };
    for (const Row& row : rows) {
        const AboutLayout layout = LayoutAboutView(row.w, row.h, du, pane);
        EXPECT_EQ(layout.tall, row.tall) << row.w << "x" << row.h;
        EXPECT_EQ(layout.pane.x, row.at.x) << row.w << "x" << row.h;
        EXPECT_EQ(layout.pane.y, row.at.y) << row.w << "x" << row.h;
        EXPECT_EQ(layout.back.left, 2);
        EXPECT_EQ(layout.back.top, row.h - 2 - 26);
        EXPECT_EQ(layout.back.right - layout.back.left, row.w - 4);
    }
}

struct AboutHarness {
    explicit AboutHarness(TestSettings& settings) : h(settings) { h.Command(ID_GOTO_ABOUT); }
    CAboutView& View() { return h.frame.AboutView(); }
    void SizeView(int width, int height) {
        ::SetWindowPos(View(), nullptr, 0, 0, width, height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        h.Pump();
    }
    FrameHarness h;
};

TEST(AboutView, LinesStayCentredAtEverySize) {
    TestSettings settings(L"AboutCentre");
    AboutHarness a(settings);
    const DialogUnits du = DialogUnits::Measure(a.View());
    HWND pane = a.View().Pane();
    HWND back = a.View().GetDlgItem(IDCANCEL);
    int paneWidth = 0;
    for (SIZE size :
         {SIZE{du.X(269), du.Y(164)}, SIZE{du.X(400), du.Y(300)}, SIZE{du.X(150), du.Y(122)},
          SIZE{du.X(150), du.Y(121)}, SIZE{du.X(110), du.Y(60)}}) {
        a.SizeView(size.cx, size.cy);
        RECT rc{};
        ::GetWindowRect(pane, &rc);
        ::MapWindowPoints(nullptr, a.View(), reinterpret_cast<POINT*>(&rc), 2);
        // The template's width, or wider where the font needs it for the lines; kept.
        if (!paneWidth) paneWidth = rc.right - rc.left;
        EXPECT_GE(paneWidth, du.X(100));
        EXPECT_EQ(rc.right - rc.left, paneWidth) << "the pane keeps its size";
        EXPECT_EQ(rc.bottom - rc.top, du.Y(40));
        const bool tall = size.cy > du.Y(121);
        EXPECT_EQ(::IsWindowVisible(back) != FALSE, tall) << size.cy;
        const int room = tall ? size.cy - 2 * du.Y(1) - du.Y(16) : size.cy - du.Y(1);
        EXPECT_NEAR(rc.left + rc.right, size.cx, 1) << size.cx << "x" << size.cy;
        EXPECT_NEAR(rc.top + rc.bottom, room, 1) << size.cx << "x" << size.cy;
    }
}

TEST(AboutView, AddressIsALinkToWhatItShows) {
    TestSettings settings(L"AboutLink");
    AboutHarness a(settings);
    CHyperLink& link = a.View().Pane().Link();
    HWND line = a.View().Pane().GetDlgItem(IDC_ABOUT_LINK);
    ASSERT_EQ(link.m_hWnd, line) << "the static is the link";
    const std::wstring shown = CWindow(line).GetWindowText();
    EXPECT_EQ(link.GetHyperLink(), shown);
    EXPECT_EQ(shown.rfind(L"https://", 0), 0u);
    EXPECT_NE(shown.find(L".example.org/"), std::wstring::npos) << "a reserved placeholder";

    std::vector<std::wstring> opened;
    link.SetOpener([&opened](HWND, const std::wstring& target) {
        opened.push_back(target);
        return true;
    });
    const RECT& rc = link.LinkRect();
    const LPARAM middle = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageW(line, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    ::SendMessageW(line, WM_LBUTTONUP, 0, middle);
    EXPECT_EQ(opened, std::vector<std::wstring>{shown});
    EXPECT_TRUE(link.IsVisited());
    EXPECT_EQ(link.TextColor(), link.Colors().visited);
}

TEST(AboutView, BackMouseButtonOverTheLinesGoesHome) {
    TestSettings settings(L"AboutBack");
    AboutHarness a(settings);
    EXPECT_EQ(::GetFocus(), a.View().GetDlgItem(IDCANCEL));
    ::PostMessageW(a.View().Pane().GetDlgItem(IDC_ABOUT_CREDITS), WM_XBUTTONUP,
                   MAKEWPARAM(0, XBUTTON1), 0);
    a.h.Pump();
    EXPECT_EQ(a.h.frame.ActiveView(), a.h.frame.HomeView().m_hWnd);
}

}  // namespace
