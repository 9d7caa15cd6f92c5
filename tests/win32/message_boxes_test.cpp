// The program's message boxes, answered from a CBT hook of the test the way a user would
// answer them: the box's activation is seen, its state read, and a button "pressed".

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "harness.h"
#include "res/resource.h"
#include "view/message_boxes.h"
#include "win/app_module.h"

namespace {

using harness::DrainMessages;

enum class Answer { Ok, Cancel, Escape };

// What the test saw of the box when it opened.
struct SeenBox {
    bool opened = false;
    std::wstring first, second;
    bool hasSecond = false;
    RECT rect{};
};

struct BoxAnswerer {
    static inline HHOOK hook = nullptr;
    static inline Answer answer = Answer::Ok;
    static inline SeenBox seen;

    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            auto box = reinterpret_cast<HWND>(wParam);
            wchar_t className[16]{};
            ::GetClassNameW(box, className, 16);
            if (std::wstring(className) == L"#32770" && !seen.opened) {
                seen.opened = true;
                wchar_t text[64]{};
                ::GetDlgItemTextW(box, IDOK, text, 64);
                seen.first = text;
                HWND second = ::GetDlgItem(box, IDCANCEL);
                seen.hasSecond = second && (::GetWindowLongPtrW(second, GWL_STYLE) & WS_VISIBLE);
                text[0] = 0;
                ::GetDlgItemTextW(box, IDCANCEL, text, 64);
                seen.second = text;
                ::GetWindowRect(box, &seen.rect);
                switch (answer) {
                case Answer::Ok:
                    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(::GetDlgItem(box, IDOK)));
                    break;
                case Answer::Cancel:
                    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(::GetDlgItem(box, IDCANCEL)));
                    break;
                case Answer::Escape:
                    ::PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
                    break;
                }
            }
        }
        return ::CallNextHookEx(hook, code, wParam, lParam);
    }

    explicit BoxAnswerer(Answer a) {
        answer = a;
        seen = SeenBox{};
        hook = ::SetWindowsHookExW(WH_CBT, &Proc, nullptr, ::GetCurrentThreadId());
    }
    ~BoxAnswerer() {
        ::UnhookWindowsHookEx(hook);
        hook = nullptr;
    }
};

bool StringsLoaded() {
    return !LoadResString(IDS_YES).empty() && !LoadResString(IDS_NO).empty();
}

POINT Centre(const RECT& rc) {
    return POINT{rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2};
}

// A top-level window made the foreground window, as the frame is when a box opens.
struct ForegroundWindow {
    HWND hWnd;
    explicit ForegroundWindow(int showCmd = SW_SHOWNORMAL) {
        hWnd = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 137, 91, 420, 300,
                                 nullptr, nullptr, nullptr, nullptr);
        ::ShowWindow(hWnd, showCmd);
        ::SetForegroundWindow(hWnd);
        DrainMessages();
    }
    ~ForegroundWindow() {
        ::DestroyWindow(hWnd);
        DrainMessages();
    }
};

TEST(MessageBoxes, QuestionBoxMapsOkToYesAndCancelOrEscapeToNo) {
    ForegroundWindow owner;
    struct Row {
        Answer answer;
        int expected;
    };
    for (const Row& row :
         {Row{Answer::Ok, IDYES}, Row{Answer::Cancel, IDNO}, Row{Answer::Escape, IDNO}}) {
        BoxAnswerer answerer(row.answer);
        EXPECT_EQ(QuestionBox(owner.hWnd, L"Question?"), row.expected);
        EXPECT_TRUE(BoxAnswerer::seen.opened);
    }
}

TEST(MessageBoxes, QuestionBoxButtonsReadYesAndNo) {
    if (!StringsLoaded()) GTEST_SKIP() << "strings 801/802 are not in the string table yet";
    ForegroundWindow owner;
    BoxAnswerer answerer(Answer::Ok);
    QuestionBox(owner.hWnd, L"Question?");
    ASSERT_TRUE(BoxAnswerer::seen.opened);
    EXPECT_EQ(BoxAnswerer::seen.first, L"&Yes");
    EXPECT_EQ(BoxAnswerer::seen.second, L"&No");
}

TEST(MessageBoxes, OneButtonBoxesKeepTheirOkButton) {
    ForegroundWindow owner;
    for (auto box : {&WarningBox, &InfoBox}) {
        BoxAnswerer answerer(Answer::Ok);
        EXPECT_EQ(box(owner.hWnd, L"Note"), IDOK);
        ASSERT_TRUE(BoxAnswerer::seen.opened);
        EXPECT_NE(BoxAnswerer::seen.first, L"&Yes");
    }
}

TEST(MessageBoxes, BoxIsCentredOverTheForegroundWindow) {
    ForegroundWindow owner;
    ASSERT_EQ(::GetForegroundWindow(), owner.hWnd) << "the test window did not come to the front";
    BoxAnswerer answerer(Answer::Ok);
    QuestionBox(owner.hWnd, L"Centred?");
    ASSERT_TRUE(BoxAnswerer::seen.opened);

    RECT ownerRect{};
    ::GetWindowRect(owner.hWnd, &ownerRect);
    POINT want = Centre(ownerRect), got = Centre(BoxAnswerer::seen.rect);
    // Integer halves of two odd sizes may differ by one.
    EXPECT_NEAR(got.x, want.x, 1);
    EXPECT_NEAR(got.y, want.y, 1);
}

TEST(MessageBoxes, BoxIsCentredOnTheDesktopWhenTheForegroundWindowIsMaximized) {
    ForegroundWindow owner(SW_SHOWMAXIMIZED);
    ASSERT_TRUE(::IsZoomed(owner.hWnd));
    // Move the restored rectangle well away from the desktop's centre, so that centring over
    // it could not pass for centring on the desktop.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(owner.hWnd, &placement);
    placement.rcNormalPosition = RECT{0, 0, 200, 150};
    ::SetWindowPlacement(owner.hWnd, &placement);
    ::SetForegroundWindow(owner.hWnd);

    BoxAnswerer answerer(Answer::Ok);
    QuestionBox(owner.hWnd, L"Desktop?");
    ASSERT_TRUE(BoxAnswerer::seen.opened);

    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    POINT want = Centre(desktop), got = Centre(BoxAnswerer::seen.rect);
    EXPECT_NEAR(got.x, want.x, 1);
    EXPECT_NEAR(got.y, want.y, 1);
}

TEST(MessageBoxes, CentringKeepsTheBoxOnTheDesktop) {
    const RECT desktop{0, 0, 1024, 768};
    const RECT box{500, 500, 800, 650};  // 300 x 150
    struct Row {
        RECT reference;
        POINT expected;
        const char* fault;
    };
    const Row rows[] = {
        {{100, 100, 501, 401}, {150, 175}, "plain centring (integer halves) is off"},
        {{-400, -300, -100, -100}, {0, 0}, "a box starting left of or above 0 is not moved in"},
        {{900, 700, 1200, 900}, {724, 618}, "a box sticking out right or below is not moved in"},
        {{-2000, 600, -1000, 1400}, {0, 618}, "each axis is not clamped on its own"},
    };
    for (const Row& row : rows) {
        POINT got = CentredInWorkArea(box, row.reference, desktop);
        EXPECT_EQ(got.x, row.expected.x) << row.fault;
        EXPECT_EQ(got.y, row.expected.y) << row.fault;
    }
    const POINT left = CentredInWorkArea(box, {-1000, 100, -500, 500}, {-1280, 0, 0, 1024});
    EXPECT_EQ(left.x, -900) << "a monitor left of the primary: the box went to the primary";
    EXPECT_EQ(left.y, 225);
}

TEST(MessageBoxes, NoHookIsLeftBehindWhetherTheBoxOpenedOrNot) {
    ForegroundWindow owner;
    {
        BoxAnswerer answerer(Answer::Ok);
        QuestionBox(owner.hWnd, L"First");
    }
    // An owner that is no window: the box cannot open, so its activation never comes.
    HWND gone = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ::DestroyWindow(gone);
    {
        BoxAnswerer answerer(Answer::Ok);
        QuestionBox(gone, L"Nowhere");
        if (BoxAnswerer::seen.opened) GTEST_SKIP() << "the box opened without its owner";
    }
    // A hook left behind would recentre and relabel the next dialog that opens.
    HWND other = ::CreateWindowExW(0, L"#32770", L"", WS_POPUP | WS_VISIBLE, 3, 5, 120, 60, nullptr,
                                   nullptr, nullptr, nullptr);
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"keep", WS_CHILD | WS_VISIBLE, 0, 0, 40, 20,
                                    other, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    ::CreateWindowExW(0, L"BUTTON", L"keep", WS_CHILD | WS_VISIBLE, 40, 0, 40, 20, other,
                      reinterpret_cast<HMENU>(IDCANCEL), nullptr, nullptr);
    ::SetForegroundWindow(other);
    DrainMessages();
    RECT rc{};
    ::GetWindowRect(other, &rc);
    EXPECT_EQ(rc.left, 3);
    EXPECT_EQ(rc.top, 5);
    wchar_t text[16]{};
    ::GetWindowTextW(button, text, 16);
    EXPECT_STREQ(text, L"keep");
    ::DestroyWindow(other);
}

}  // namespace
