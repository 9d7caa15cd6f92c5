// The hyperlink control on a real static under Wine: the user's link colours, where the text
// is a link, the hand cursor, the tooltip, and a click that opens the address and turns the
// link to the visited colour.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "win/hyperlink.h"

namespace {

TEST(HyperLink, AnchorColoursParseOnlyAsThreeByteValues) {
    struct Row {
        const wchar_t* text;
        bool parses;
        COLORREF color;
    };
    const Row rows[] = {
        {L"0,0,255", true, RGB(0, 0, 255)},
        {L"128, 0, 128", true, RGB(128, 0, 128)},
        {L" 12 ,34 , 56 ", true, RGB(12, 34, 56)},
        {L"255,255,255", true, RGB(255, 255, 255)},
        {L"256,0,0", false, 0},  // not a byte
        {L"0,0", false, 0},      // a part missing
        {L"0,0,0,0", false, 0},  // one too many
        {L"0,,0", false, 0},
        {L"-1,0,0", false, 0},
        {L"red,green,blue", false, 0},
        {L"00001,0,0", false, 0},  // no endless digit runs
        {L"", false, 0},
    };
    for (const Row& row : rows) {
        COLORREF color = RGB(1, 2, 3);
        EXPECT_EQ(ParseAnchorColor(row.text, color), row.parses) << row.text;
        EXPECT_EQ(color, row.parses ? row.color : RGB(1, 2, 3)) << row.text;
    }
}

class ColourKey : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str()); }
    void TearDown() override {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MemorionTests");  // only when empty
    }
    void Put(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, m_key.c_str(), name, type, text.c_str(),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    const std::wstring m_key =
        L"Software\\MemorionTests\\Hyperlink-" + std::to_wstring(::GetCurrentProcessId());
};

TEST_F(ColourKey, UserColoursReplaceTheDefaultsOneByOne) {
    LinkColors colors = ReadLinkColors(HKEY_CURRENT_USER, m_key.c_str());
    EXPECT_EQ(colors.link, RGB(0, 0, 255)) << "no key: blue";
    EXPECT_EQ(colors.visited, RGB(128, 0, 128)) << "no key: purple";

    Put(L"Anchor Color", L"10,20,30");
    Put(L"Anchor Color Visited", L"not a colour");
    colors = ReadLinkColors(HKEY_CURRENT_USER, m_key.c_str());
    EXPECT_EQ(colors.link, RGB(10, 20, 30));
    EXPECT_EQ(colors.visited, RGB(128, 0, 128));

    Put(L"Anchor Color", L"1,2,3", REG_EXPAND_SZ);  // only plain text counts
    Put(L"Anchor Color Visited", L"40,50,60");
    colors = ReadLinkColors(HKEY_CURRENT_USER, m_key.c_str());
    EXPECT_EQ(colors.link, RGB(0, 0, 255));
    EXPECT_EQ(colors.visited, RGB(40, 50, 60));
}

TEST(HyperLink, TextSitsWhereTheStaticStyleAlignsIt) {
    const RECT client{0, 0, 200, 16};
    struct Row {
        DWORD style;
        SIZE text;
        RECT expected;
    };
    const Row rows[] = {
        {SS_LEFT, {80, 13}, {0, 0, 80, 13}},
        {SS_CENTER | SS_NOTIFY, {80, 13}, {60, 0, 140, 13}},
        {SS_RIGHT, {80, 13}, {120, 0, 200, 13}},
        {SS_CENTER, {300, 13}, {0, 0, 200, 13}},  // a text wider than the static is clipped
    };
    for (const Row& row : rows) {
        const RECT rc = LinkTextRect(client, row.text, row.style);
        EXPECT_TRUE(::EqualRect(&rc, &row.expected))
            << row.style << ": " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

// A centred link static on a top-level window, with the shell replaced by a recorder.
struct LinkOnWindow {
    LinkOnWindow() {
        parent = ::CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 100, 100, 300, 60,
                                   nullptr, nullptr, nullptr, nullptr);
        HWND line =
            ::CreateWindowExW(0, L"Static", kAddress, WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOTIFY,
                              0, 20, 300, 16, parent, nullptr, nullptr, nullptr);
        ::SendMessageW(line, WM_SETFONT,
                       reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        link.SubclassWindow(line);
        link.SetHyperLink(kAddress);
        link.SetOpener([this](HWND, const std::wstring& target) {
            opened.push_back(target);
            return shellSucceeds;
        });
    }
    ~LinkOnWindow() { ::DestroyWindow(parent); }

    POINT Middle() const {
        const RECT& rc = link.LinkRect();
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }
    void Press(POINT pt) {
        ::SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }
    void Release(POINT pt) { ::SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y)); }

    static constexpr const wchar_t* kAddress = L"https://memorion.example.org/";
    HWND parent = nullptr;
    CHyperLink link;
    std::vector<std::wstring> opened;
    bool shellSucceeds = true;
};

TEST(HyperLink, LinkIsTheCentredTextDrawnUnderlinedWithATooltip) {
    LinkOnWindow w;
    ASSERT_TRUE(w.link.m_hWnd);
    const RECT& rc = w.link.LinkRect();
    EXPECT_GT(rc.right - rc.left, 0);
    EXPECT_NEAR(rc.left, 300 - rc.right, 1) << "centred like the static's own text";
    EXPECT_EQ(w.link.TextColor(), w.link.Colors().link);

    ASSERT_TRUE(w.link.ToolTip());
    EXPECT_EQ(::SendMessageW(w.link.ToolTip(), TTM_GETTOOLCOUNT, 0, 0), 1);
    wchar_t tip[128]{};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = w.link;
    tool.uId = 1;
    tool.lpszText = tip;
    ::SendMessageW(w.link.ToolTip(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tip, LinkOnWindow::kAddress);
}

TEST(HyperLink, HandCursorOnlyOverTheText) {
    LinkOnWindow w;
    HCURSOR hand = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
    POINT over = w.Middle();
    ::ClientToScreen(w.link, &over);
    ASSERT_TRUE(::SetCursorPos(over.x, over.y));
    EXPECT_TRUE(::SendMessageW(w.link, WM_SETCURSOR, reinterpret_cast<WPARAM>(w.link.m_hWnd),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::GetCursor(), hand);

    ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
    POINT beside{2, w.Middle().y};  // on the static, left of the centred text
    ::ClientToScreen(w.link, &beside);
    ASSERT_TRUE(::SetCursorPos(beside.x, beside.y));
    ::SendMessageW(w.link, WM_SETCURSOR, reinterpret_cast<WPARAM>(w.link.m_hWnd),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(::GetCursor(), hand);
}

TEST(HyperLink, ClickReleasedOverTheTextOpensTheAddressAndMarksItVisited) {
    LinkOnWindow w;
    const POINT beside{2, w.Middle().y};

    w.Press(beside);
    w.Release(w.Middle());
    EXPECT_TRUE(w.opened.empty()) << "a press that began beside the text is no click";
    w.Press(w.Middle());
    w.Release(beside);
    EXPECT_TRUE(w.opened.empty()) << "dragged off the text before release";
    EXPECT_EQ(::GetCapture(), nullptr);

    w.shellSucceeds = false;
    w.Press(w.Middle());
    w.Release(w.Middle());
    ASSERT_EQ(w.opened.size(), 1u);
    EXPECT_FALSE(w.link.IsVisited()) << "the shell could not open it";
    EXPECT_EQ(w.link.TextColor(), w.link.Colors().link);

    w.shellSucceeds = true;
    w.Press(w.Middle());
    w.Release(w.Middle());
    ASSERT_EQ(w.opened.size(), 2u);
    EXPECT_EQ(w.opened.back(), LinkOnWindow::kAddress);
    EXPECT_TRUE(w.link.IsVisited());
    EXPECT_EQ(w.link.TextColor(), w.link.Colors().visited);
}

TEST(HyperLink, DestroyingTheStaticTakesTheTooltipWithIt) {
    LinkOnWindow w;
    HWND tip = w.link.ToolTip();
    ASSERT_TRUE(::IsWindow(tip));
    ::DestroyWindow(w.link);
    EXPECT_FALSE(::IsWindow(tip));
    EXPECT_EQ(w.link.m_hWnd, nullptr);
}

TEST(HyperLink, AStaticThatOutlivesItsLinkObjectIsAPlainStaticAgain) {
    HWND parent = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 200, 40, nullptr, nullptr,
                                    nullptr, nullptr);
    HWND line = ::CreateWindowExW(0, L"Static", L"https://memorion.example.org/",
                                  WS_CHILD | WS_VISIBLE | SS_NOTIFY, 0, 0, 200, 16, parent, nullptr,
                                  nullptr, nullptr);
    const LONG_PTR staticProc = ::GetWindowLongPtrW(line, GWLP_WNDPROC);
    {
        CHyperLink link;
        ASSERT_TRUE(link.SubclassWindow(line));
    }
    EXPECT_EQ(::GetWindowLongPtrW(line, GWLP_WNDPROC), staticProc);
    ::SendMessageW(line, WM_SETCURSOR, reinterpret_cast<WPARAM>(line), MAKELPARAM(HTCLIENT, 0));
    ::DestroyWindow(parent);
}

}  // namespace
