// The setup view and its pane in process under Wine: what the controls show at activation,
// what each change writes into the settings, the restart question, the data folder, the
// requests the two common dialogs are opened with, and the pane's layout and scrolling.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "harness.h"
#include "res/resource.h"
#include "view/messages.h"
#include "view/view_layout.h"
#include "views/setup_pane.h"
#include "win/app_module.h"

namespace {

using harness::DialogScript;
using harness::FrameHarness;
using harness::TestSettings;
using harness::WatchedFolder;

WPARAM WheelDelta(int delta) {
    return static_cast<WPARAM>(static_cast<WORD>(delta)) << 16;
}

// A frame showing the setup view.
struct SetupHarness {
    explicit SetupHarness(TestSettings& settings) : h(settings) { h.Command(ID_GOTO_SETUP); }

    CSetupPane& Pane() { return h.frame.SetupView().Pane(); }
    HWND Item(int id) { return Pane().GetDlgItem(id); }
    int Selection(int id) { return static_cast<int>(::SendMessageW(Item(id), CB_GETCURSEL, 0, 0)); }
    bool Checked(int id) { return ::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    void Choose(int combo, int index) {
        ::SendMessageW(Item(combo), CB_SETCURSEL, index, 0);
        ::SendMessageW(Pane(), WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(combo)));
        h.Pump();
    }
    void Click(int id) {
        ::SendMessageW(Item(id), BM_CLICK, 0, 0);
        h.Pump();
    }
    void Type(wchar_t ch) { ::SendMessageW(Item(IDC_FOLDER), WM_CHAR, ch, 1); }
    // Sizes the view itself; its layout places the pane.
    void SizeView(int width, int height) {
        ::SetWindowPos(h.frame.SetupView(), nullptr, 0, 0, width, height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        h.Pump();
    }
    DialogUnits Units() { return DialogUnits::Measure(Pane()); }
    LONG ChildTop(int id) {
        RECT rc{};
        ::GetWindowRect(Item(id), &rc);
        ::MapWindowPoints(nullptr, Pane(), reinterpret_cast<POINT*>(&rc), 2);
        return rc.top;
    }

    FrameHarness h;
};

TEST(SetupView, ActivationShowsEverySettingAndAppliesTheStoredFolder) {
    struct Row {
        std::int32_t direction, order, fontSize;
        bool caseSensitive, lazy, hint, confirm, custom;
        int shownDirection, shownOrder, shownFontSize;  // -1: no selection
    };
    const Row rows[] = {
        {1, 2, 0, false, true, false, true, true, 1, 2, 0},
        {2, 0, 0, true, false, true, false, false, 2, 0, 0},
        // Stored by hand in the registry: outside the lists, so nothing is selected.
        {7, -3, 0, true, true, true, true, false, -1, -1, 0},
    };
    for (const Row& row : rows) {
        TestSettings settings(L"SetupLoad");
        settings->TestingDirection = row.direction;
        settings->WordOrder = row.order;
        settings->CaseSensitive = row.caseSensitive;
        settings->LazyRepeat = row.lazy;
        settings->ShowHint = row.hint;
        settings->ConfirmExit = row.confirm;
        settings->CustomFont = row.custom;
        SetupHarness s(settings);
        EXPECT_EQ(s.Selection(IDC_DIRECTION), row.shownDirection);
        EXPECT_EQ(s.Selection(IDC_ORDER), row.shownOrder);
        EXPECT_EQ(s.Selection(IDC_FONT_SIZE), row.shownFontSize);
        EXPECT_EQ(s.Checked(IDC_CASE_SENSITIVE), row.caseSensitive);
        EXPECT_EQ(s.Checked(IDC_LAZY_REPEAT), row.lazy);
        EXPECT_EQ(s.Checked(IDC_SHOW_HINT), row.hint);
        EXPECT_EQ(s.Checked(IDC_CONFIRM_EXIT), row.confirm);
        EXPECT_EQ(s.Checked(IDC_CUSTOM_FONT), row.custom);
        EXPECT_EQ(::IsWindowEnabled(s.Item(IDC_CHOOSE_FONT)) != FALSE, row.custom)
            << "Choose Custom Font is grayed exactly while Use Custom Font is unchecked";
        EXPECT_EQ(CWindow(s.Item(IDC_FOLDER)).GetWindowText(), settings.Folder());
        EXPECT_EQ(::GetFocus(), s.h.frame.SetupView().GetDlgItem(IDCANCEL));
    }
}

TEST(SetupView, EveryVisitDropsTheLibraryAndWatchesTheStoredFolder) {
    // A restart rebuilds the home view from an empty library slot, and every restart is
    // asked for from here.
    TestSettings settings(L"SetupVisit");
    FrameHarness h(settings);
    settings.Cache().GetLibrary();
    settings.watcher.Stop();
    h.Command(ID_GOTO_SETUP);
    EXPECT_FALSE(settings.Cache().HasLibrary());
    EXPECT_EQ(WatchedFolder(settings.watcher) + L"\\", settings.Folder());
    h.Command(ID_GOTO_HOME);
    settings.Cache().GetLibrary();
    h.Command(ID_GOTO_SETUP);
    EXPECT_FALSE(settings.Cache().HasLibrary()) << "the second visit too";
}

TEST(SetupView, DirectionAndOrderAreStoredWithoutAQuestion) {
    TestSettings settings(L"SetupCombos");
    settings->WordOrder = 9;  // outside the list: the combo shows nothing
    SetupHarness s(settings);
    DialogScript boxes(true);
    s.Choose(IDC_DIRECTION, 2);
    EXPECT_EQ(settings->TestingDirection, 2);
    EXPECT_EQ(settings->WordOrder, -1) << "an empty combo stores its no-selection value";
    s.Choose(IDC_ORDER, 1);
    EXPECT_EQ(settings->WordOrder, 1);
    EXPECT_EQ(settings->TestingDirection, 2);
    EXPECT_TRUE(boxes.BoxTexts().empty());
    EXPECT_FALSE(settings->RestartRequested);
    EXPECT_TRUE(s.h.frame.IsWindow());
}

TEST(SetupView, EachCheckBoxWritesItsOwnSetting) {
    struct Row {
        int id;
        bool AppSettings::*field;
    };
    const Row rows[] = {
        {IDC_CASE_SENSITIVE, &AppSettings::CaseSensitive},
        {IDC_LAZY_REPEAT, &AppSettings::LazyRepeat},
        {IDC_SHOW_HINT, &AppSettings::ShowHint},
        {IDC_CONFIRM_EXIT, &AppSettings::ConfirmExit},
        {IDC_CUSTOM_FONT, &AppSettings::CustomFont},
    };
    TestSettings settings(L"SetupChecks");
    SetupHarness s(settings);
    for (const Row& row : rows) {
        const bool before = (*settings).*row.field;
        s.Click(row.id);
        EXPECT_EQ((*settings).*row.field, !before) << row.id;
        EXPECT_EQ(s.Checked(row.id), !before) << row.id;
        for (const Row& other : rows) {
            if (other.id != row.id) {
                EXPECT_EQ((*settings).*other.field, s.Checked(other.id)) << other.id;
            }
        }
        EXPECT_EQ(::IsWindowEnabled(s.Item(IDC_CHOOSE_FONT)) != FALSE, settings->CustomFont);
    }
}

TEST(SetupView, NewFontSizeAnsweredYesRestartsWithTheNewVariantAndTheSettingsKept) {
    TestSettings settings(L"SetupRestart");
    {
        SetupHarness s(settings);
        s.Click(IDC_LAZY_REPEAT);
        DialogScript boxes(true);
        s.Choose(IDC_FONT_SIZE, 1);
        ASSERT_EQ(boxes.BoxTexts().size(), 1u);
        EXPECT_EQ(boxes.BoxTexts()[0], LoadResString(IDS_CONFIRM_RESTART));
        EXPECT_TRUE(settings->RestartRequested);
        EXPECT_FALSE(s.h.frame.IsWindow()) << "the frame closed";
        EXPECT_EQ(s.h.quitCode, 1);
    }
    EXPECT_EQ(settings->FontSize, 1);
    // What the start-up loop does next.
    settings->RestartRequested = false;
    SetupHarness again(settings);
    EXPECT_EQ(again.h.frame.SetupView().GetTemplateId(), UINT{IDD_SETUP_10PT});
    EXPECT_EQ(again.Pane().GetTemplateId(), UINT{IDD_SETUP_PANE_10PT});
    EXPECT_EQ(again.Selection(IDC_FONT_SIZE), 1);
    EXPECT_TRUE(again.Checked(IDC_LAZY_REPEAT));
}

TEST(SetupView, NewFontSizeAnsweredNoIsKeptForTheNextStart) {
    TestSettings settings(L"SetupNoRestart");
    SetupHarness s(settings);
    DialogScript boxes(false);
    s.Choose(IDC_FONT_SIZE, 2);
    EXPECT_EQ(boxes.BoxTexts().size(), 1u);
    EXPECT_EQ(settings->FontSize, 2);
    EXPECT_FALSE(settings->RestartRequested);
    EXPECT_TRUE(s.h.frame.IsWindow());
    s.Choose(IDC_FONT_SIZE, 2);
    EXPECT_EQ(boxes.BoxTexts().size(), 1u) << "the size already set asks nothing";
}

TEST(SetupView, EachKeystrokeInTheFolderMovesTheWatchAndDropsTheLibrary) {
    TestSettings settings(L"SetupTyping");
    SetupHarness s(settings);
    ::SetFocus(s.Item(IDC_FOLDER));
    ::SendMessageW(s.Item(IDC_FOLDER), EM_SETSEL, 0, -1);
    VocabularyCache& cache = settings.Cache();
    cache.GetPool();
    std::wstring typed;
    for (wchar_t ch : std::wstring(L"C:\\w")) {
        cache.GetLibrary();
        s.Type(ch);
        typed += ch;
        EXPECT_EQ(Wide(settings->DataFolder), typed) << "stored as typed, nothing appended";
        EXPECT_EQ(WatchedFolder(settings.watcher), WatchedPath(settings->DataFolderPath()));
        EXPECT_FALSE(cache.HasLibrary()) << "after typing " << static_cast<int>(ch);
    }
    EXPECT_TRUE(cache.HasPool()) << "the pool is not the folder's business";
}

TEST(SetupView, UseDefaultDataFolderStoresAndWatchesTheDefault) {
    TestSettings settings(L"SetupDefault");
    SetupHarness s(settings);
    settings.Cache().GetLibrary();
    s.Click(IDC_FOLDER_DEFAULT);
    EXPECT_EQ(settings->DataFolder, settings->DefaultDataFolder);
    EXPECT_EQ(CWindow(s.Item(IDC_FOLDER)).GetWindowText(), Wide(settings->DefaultDataFolder));
    EXPECT_EQ(WatchedFolder(settings.watcher) + L"\\", Wide(settings->DefaultDataFolder));
    EXPECT_FALSE(settings.Cache().HasLibrary());
}

TEST(SetupView, PickedFolderEndsWithOneBackslash) {
    struct Row {
        const wchar_t* picked;
        const wchar_t* stored;
    };
    const Row rows[] = {
        {L"D:\\Words", L"D:\\Words\\"},
        {L"C:\\", L"C:\\"},  // a drive's root already ends with one
        {L"\\\\server\\share\\lists", L"\\\\server\\share\\lists\\"},
    };
    TestSettings settings(L"SetupPicked");
    SetupHarness s(settings);
    for (const Row& row : rows) {
        s.Pane().PutPickedFolder(row.picked);
        EXPECT_EQ(Wide(settings->DataFolder), row.stored);
        EXPECT_EQ(CWindow(s.Item(IDC_FOLDER)).GetWindowText(), row.stored);
    }
}

// Records what the folder dialog's callback sends to the dialog.
struct SentMessage {
    UINT msg = 0;
    WPARAM wParam = 0;
    std::wstring text;
};
SentMessage g_sent;
LRESULT CALLBACK RecordingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == BFFM_SETSELECTIONW) {
        g_sent = SentMessage{msg, wParam, reinterpret_cast<const wchar_t*>(lParam)};
        return 0;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

TEST(SetupView, FolderDialogStartsAtTheCurrentDataFolder) {
    const std::wstring start = L"C:\\Lists\\";
    const std::wstring title = LoadResString(IDS_CHOOSE_FOLDER);
    HWND owner = reinterpret_cast<HWND>(0x1234);
    const BROWSEINFOW request = FolderDialogRequest(owner, title.c_str(), &start);
    EXPECT_EQ(request.hwndOwner, owner);
    EXPECT_STREQ(request.lpszTitle, L"Choose Data Location:");
    EXPECT_EQ(request.ulFlags, UINT{BIF_RETURNONLYFSDIRS});
    ASSERT_NE(request.lpfn, nullptr);

    HWND dialog = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                    nullptr, nullptr);
    ::SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc));
    g_sent = {};
    request.lpfn(dialog, BFFM_SELCHANGED, 0, request.lParam);
    EXPECT_EQ(g_sent.msg, 0u) << "only the dialog's start preselects";
    request.lpfn(dialog, BFFM_INITIALIZED, 0, request.lParam);
    EXPECT_EQ(g_sent.msg, UINT{BFFM_SETSELECTIONW});
    EXPECT_EQ(g_sent.wParam, WPARAM{TRUE}) << "selected by path";
    EXPECT_EQ(g_sent.text, start);
    ::DestroyWindow(dialog);
}

TEST(SetupView, FontDialogOffersScreenFontsFromTheCurrentFontWithoutEffects) {
    LOGFONTW font{};
    HWND owner = reinterpret_cast<HWND>(0x1234);
    const CHOOSEFONTW request = FontDialogRequest(owner, &font);
    EXPECT_EQ(request.lStructSize, sizeof(CHOOSEFONTW));
    EXPECT_EQ(request.hwndOwner, owner);
    EXPECT_EQ(request.lpLogFont, &font);
    EXPECT_EQ(request.Flags, DWORD{CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT})
        << "no CF_EFFECTS: no colour, underline or strikeout";
}

TEST(SetupView, FolderRowKeepsTheButtonAgainstTheRightEdge) {
    const DialogUnits du{6, 13};
    const RECT edit{6, 192, 186, 213}, button{138, 192, 161, 213};
    for (int width : {150, 300, 640}) {
        const FolderRow row = LayoutFolderRow(width, du, edit, button);
        EXPECT_EQ(row.button.right, width - 1 - du.X(4)) << width;
        EXPECT_EQ(row.button.right - row.button.left, 23) << "the button keeps its size";
        EXPECT_EQ(row.button.top, button.top);
        EXPECT_EQ(row.button.bottom, button.bottom);
        EXPECT_EQ(row.edit.left, edit.left);
        EXPECT_EQ(row.edit.right, row.button.left - du.X(1));
        EXPECT_EQ(row.edit.top, edit.top);
        EXPECT_EQ(row.edit.bottom, edit.bottom);
    }
}

TEST(SetupView, PaneFillsTheViewAndPlacesTheFolderRow) {
    TestSettings settings(L"SetupLayout");
    SetupHarness s(settings);
    const DialogUnits du = s.Units();
    // As created: the view never had to change its size to get its pane placed.
    const BackLayout first = LayoutBackAndContent(du.X(269), du.Y(164), du);
    RECT placed = CWindow(s.Pane()).GetWindowRect();
    ::MapWindowPoints(nullptr, s.h.frame.SetupView(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_TRUE(::EqualRect(&placed, &first.content));
    const auto inPane = [&](int id) {
        RECT rc = CWindow(s.Item(id)).GetWindowRect();
        ::MapWindowPoints(nullptr, s.Pane(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    const RECT before = inPane(IDC_FOLDER_BROWSE);
    s.SizeView(du.X(300), du.Y(250));
    const RECT pane = CWindow(s.Pane()).GetClientRect();
    const RECT button = inPane(IDC_FOLDER_BROWSE), edit = inPane(IDC_FOLDER);
    EXPECT_EQ(button.right, pane.right - 1 - du.X(4));
    EXPECT_EQ(button.top, before.top) << "the row stays where it is, the button keeps its size";
    EXPECT_EQ(button.right - button.left, before.right - before.left);
    EXPECT_EQ(edit.right, button.left - du.X(1));
    EXPECT_FALSE(s.Pane().GetStyle() & WS_VSCROLL) << "a pane of 210 units or more fits";
}

TEST(SetupView, ShortPaneScrollsByLinesAndWheelNotchesAndActivationReturnsToTheTop) {
    TestSettings settings(L"SetupScroll");
    SetupHarness s(settings);
    const DialogUnits du = s.Units();
    s.SizeView(du.X(269), du.Y(100));
    ASSERT_TRUE(s.Pane().GetStyle() & WS_VSCROLL);
    const int extent = du.Y(kSetupPaneHeightDlu);
    const int line = extent / 100 > 1 ? extent / 100 : 1;
    const LONG top = s.ChildTop(IDC_DIRECTION);

    ::SendMessageW(s.Pane(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(s.Pane().GetScrollOffset().y, line);
    EXPECT_EQ(s.ChildTop(IDC_DIRECTION), top - line) << "the controls move with the content";
    EXPECT_EQ(::GetScrollPos(s.Pane(), SB_VERT), line);

    UINT lines = 3;
    ::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_NE(lines, UINT{WHEEL_PAGESCROLL});
    ::SendMessageW(s.Pane(), WM_MOUSEWHEEL, WheelDelta(-WHEEL_DELTA / 2), 0);
    EXPECT_EQ(s.Pane().GetScrollOffset().y, line) << "half a notch waits for the other half";
    ::SendMessageW(s.Pane(), WM_MOUSEWHEEL, WheelDelta(-WHEEL_DELTA / 2), 0);
    EXPECT_EQ(s.Pane().GetScrollOffset().y, line + static_cast<LONG>(lines) * line);

    // The user changes the wheel's step; the system tells the top-level window alone.
    ASSERT_TRUE(::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, 1, nullptr, 0));
    ::SendMessageW(s.h.hWnd, WM_SETTINGCHANGE, SPI_SETWHEELSCROLLLINES, 0);
    ::SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, lines, nullptr, 0);
    ::SendMessageW(s.Pane(), WM_MOUSEWHEEL, WheelDelta(-WHEEL_DELTA), 0);
    EXPECT_EQ(s.Pane().GetScrollOffset().y, 2 * line + static_cast<LONG>(lines) * line);

    s.h.Command(ID_GOTO_HOME);
    s.h.Command(ID_GOTO_SETUP);
    EXPECT_EQ(s.Pane().GetScrollOffset().y, 0);
    EXPECT_EQ(s.ChildTop(IDC_DIRECTION), top);
}

TEST(SetupView, BackMouseButtonInThePaneGoesHome) {
    TestSettings settings(L"SetupBack");
    SetupHarness s(settings);
    ::PostMessageW(s.Item(IDC_SHOW_HINT), WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), 0);
    s.h.Pump();
    EXPECT_EQ(s.h.frame.ActiveView(), s.h.frame.HomeView().m_hWnd);
}

}  // namespace
