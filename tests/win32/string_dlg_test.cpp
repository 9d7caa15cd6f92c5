// The text-entry dialog in process under Wine: what it returns and hands back, its keys, and
// where it opens relative to its owner and the work area.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "harness.h"
#include "view/message_boxes.h"
#include "views/string_dlg.h"

namespace {

using harness::DialogScript;

RECT WorkArea() {
    RECT rc{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

// A plain top-level window to own the dialog.
struct Owner {
    Owner(int x, int y, int w, int h, bool visible = true) {
        hWnd = ::CreateWindowExW(0, L"STATIC", L"owner",
                                 WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), x, y, w, h,
                                 nullptr, nullptr, nullptr, nullptr);
    }
    ~Owner() { ::DestroyWindow(hWnd); }
    HWND hWnd = nullptr;
};

TEST(StringDlg, ReturnsHowItWasClosedAndTheTextAsEdited) {
    struct Row {
        std::wstring typed;
        bool ok;
        INT_PTR result;
        const char* why;
    };
    const Row rows[] = {
        {L"words", true, IDOK, "the typed text"},
        {L"", true, IDOK, "OK takes the empty text too"},
        {L"  a\\b  ", true, IDOK, "blanks and path characters are the caller's concern"},
        {L"typed", false, IDCANCEL, "Cancel still hands back the text; callers ignore it"},
    };
    Owner owner(100, 100, 300, 200);
    for (const Row& r : rows) {
        DialogScript script;
        script.Enter(r.typed, r.ok);
        CStringDlg dialog(L"Create a new file:", L"New 7");
        EXPECT_EQ(dialog.Run(owner.hWnd), r.result) << r.why;
        EXPECT_EQ(dialog.Text(), r.typed) << r.why;
        ASSERT_EQ(script.Seen().size(), 1u);
        EXPECT_EQ(script.Seen()[0].label, L"Create a new file:");
        EXPECT_EQ(script.Seen()[0].text, L"New 7") << "the proposal is shown";
        EXPECT_EQ(script.Seen()[0].owner, owner.hWnd);
    }
}

// Enter and Escape reach the dialog as keys in its edit box, through the dialog manager.
class KeyPresser {
public:
    explicit KeyPresser(UINT vk) {
        s_vk = vk;
        m_hook = ::SetWindowsHookExW(WH_CBT, &Proc, nullptr, ::GetCurrentThreadId());
    }
    ~KeyPresser() { ::UnhookWindowsHookEx(m_hook); }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE) {
            HWND edit = ::GetDlgItem(reinterpret_cast<HWND>(wParam), IDC_STRING_EDIT);
            if (edit) {
                ::PostMessageW(edit, WM_KEYDOWN, s_vk, 1);
                ::PostMessageW(edit, WM_KEYUP, s_vk, 0xC0000001);
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline UINT s_vk = 0;
    HHOOK m_hook = nullptr;
};

TEST(StringDlg, EnterIsOkAndEscapeIsCancel) {
    Owner owner(100, 100, 300, 200);
    for (auto [vk, want] : {std::pair<UINT, INT_PTR>{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}}) {
        KeyPresser keys(vk);
        CStringDlg dialog(L"Rename the existing file:", L"a");
        EXPECT_EQ(dialog.Run(owner.hWnd), want) << vk;
        EXPECT_EQ(dialog.Text(), L"a");
    }
}

TEST(StringDlg, OpensCentredOverItsOwnerAndInsideTheWorkArea) {
    const RECT work = WorkArea();
    struct Row {
        int x, y;
        bool visible;
        const char* why;
    };
    const Row rows[] = {
        {work.left + 100, work.top + 100, true, "over the owner"},
        {work.right - 60, work.bottom - 40, true, "an owner at the corner: kept inside"},
        {work.left - 250, work.top - 150, true, "an owner off the top left: kept inside"},
        {work.left + 100, work.top + 100, false, "a hidden owner: the work area's centre"},
    };
    for (const Row& r : rows) {
        Owner owner(r.x, r.y, 300, 200, r.visible);
        DialogScript script;
        script.Cancel();
        CStringDlg dialog(L"label", L"text");
        dialog.Run(owner.hWnd);
        ASSERT_EQ(script.Seen().size(), 1u) << r.why;
        const RECT shown = script.Seen()[0].rect;
        RECT reference = work;
        if (r.visible) ::GetWindowRect(owner.hWnd, &reference);
        const POINT want = CentredInWorkArea(shown, reference, work);
        EXPECT_EQ(shown.left, want.x) << r.why;
        EXPECT_EQ(shown.top, want.y) << r.why;
        EXPECT_GE(shown.left, work.left) << r.why;
        EXPECT_GE(shown.top, work.top) << r.why;
        EXPECT_LE(shown.right, work.right) << r.why;
        EXPECT_LE(shown.bottom, work.bottom) << r.why;
    }
}

TEST(StringDlg, PlacementRule) {
    const RECT work{0, 0, 1000, 800};
    const RECT dialog{0, 0, 200, 100};  // only its size counts
    struct Row {
        RECT reference;
        POINT want;
        const char* why;
    };
    const Row rows[] = {
        {{100, 100, 500, 400}, {200, 200}, "centred"},
        {{-400, -300, 0, 0}, {0, 0}, "left of and above the work area: its top left corner"},
        {{900, 700, 1300, 1000}, {800, 700}, "beyond the right and bottom edges: inside them"},
        {{-2000, 0, 3000, 800}, {400, 350}, "a reference wider than the work area"},
    };
    for (const Row& r : rows) {
        const POINT got = CentredInWorkArea(dialog, r.reference, work);
        EXPECT_EQ(got.x, r.want.x) << r.why;
        EXPECT_EQ(got.y, r.want.y) << r.why;
    }
    const RECT huge{0, 0, 1200, 900};
    const POINT got = CentredInWorkArea(huge, RECT{0, 0, 1000, 800}, work);
    EXPECT_EQ(got.x, 0) << "a dialog larger than the work area keeps its left edge visible";
    EXPECT_EQ(got.y, 0);
    const POINT under = CentredInWorkArea(huge, RECT{500, 400, 1000, 800}, work);
    EXPECT_EQ(under.x, 0) << "also over an owner at the right: its left edge went off";
    EXPECT_EQ(under.y, 0);
}

TEST(StringDlg, AnOwnerThatIsGoneGivesMinusOne) {
    HWND gone = nullptr;
    {
        Owner owner(0, 0, 100, 100);
        gone = owner.hWnd;
    }
    CStringDlg dialog(L"label", L"text");
    EXPECT_EQ(dialog.Run(gone), -1);
    EXPECT_EQ(dialog.Text(), L"text");
}

}  // namespace
