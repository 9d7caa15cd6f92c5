// The home view in process under Wine, inside a real frame: the list mirroring a data folder of
// the test's own, the selection it restores and writes back, the command states, the file
// commands with their messages, the keys, the report of outside changes, and the layout.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "data/folder_watcher_win32.h"
#include "harness.h"
#include "view/view_layout.h"
#include "views/word_file_ops.h"

namespace {

using harness::DialogScript;
using harness::FrameHarness;
using harness::GoToCatcher;
using harness::PumpFor;
using harness::PumpUntil;
using harness::TempFolder;
using harness::TestSettings;
using Names = std::vector<std::u16string>;
using Texts = std::vector<std::wstring>;

// Two runs of the pending-change check and then some.
constexpr DWORD kSeveralChecks = 3 * CHomeView::kPendingChangePeriodMs;

std::wstring Res(UINT id) {
    return LoadResString(id);
}

std::wstring Status(unsigned a, unsigned b, unsigned c, unsigned d) {
    wchar_t text[256]{};
    std::swprintf(text, 256, Res(IDS_HOME_STATUS).c_str(), a, b, c, d);
    return text;
}

std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "word" + std::to_string(i) + "\\other\n";
    return text;
}

// One home view in its frame over a data folder of its own. The folder is filled before the
// frame starts unless the test fills it later.
struct Home {
    explicit Home(std::vector<std::pair<std::wstring, int>> files = {}, Names selection = {},
                  const std::wstring& below = L"")
        : settings(L"Home", below) {
        settings->SetSelection(std::move(selection));
        for (const auto& [name, lines] : files) folder.Write(name, Lines(lines));
        Start();
    }
    ~Home() { Stop(); }

    void Start() {
        harness = std::make_unique<FrameHarness>(settings);
        catcher = std::make_unique<GoToCatcher>(harness->hWnd);
    }
    void Stop() {
        catcher.reset();
        harness.reset();
    }

    FrameHarness& H() { return *harness; }
    CHomeView& View() { return harness->frame.HomeView(); }
    HWND List() { return View().GetDlgItem(IDC_FILE_LIST); }
    HWND Control(int id) { return View().GetDlgItem(id); }

    Texts Items() {
        Texts texts;
        const int count = static_cast<int>(::SendMessageW(List(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[256]{};
            ::SendMessageW(List(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            texts.emplace_back(text);
        }
        return texts;
    }
    std::vector<int> Selected() {
        std::vector<int> items(256);
        const LRESULT n = ::SendMessageW(List(), LB_GETSELITEMS, items.size(),
                                         reinterpret_cast<LPARAM>(items.data()));
        items.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return items;
    }
    std::wstring StatusText() {
        wchar_t text[256]{};
        ::GetWindowTextW(Control(IDC_STATUS), text, 256);
        return text;
    }
    // As a click would: the list changes its selection and tells its parent.
    void Select(std::vector<int> items) {
        ::SendMessageW(List(), LB_SETSEL, FALSE, -1);
        for (int i : items) ::SendMessageW(List(), LB_SETSEL, TRUE, i);
        ::SendMessageW(View(), WM_COMMAND, MAKEWPARAM(IDC_FILE_LIST, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(List()));
    }
    void Command(UINT id) { H().Command(id); }

    TestSettings settings;
    TempFolder& folder = settings.folder;
    DialogScript script;
    std::unique_ptr<FrameHarness> harness;
    std::unique_ptr<GoToCatcher> catcher;
};

// Ctrl+A as a quick typist or an input tool sends it: Ctrl is up again before the program
// reads the A, so only the state that came with the key message shows Ctrl down.
void TypeCtrlA(FrameHarness& h) {
    INPUT keys[4]{};
    const WORD vk[4] = {VK_CONTROL, 'A', 'A', VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = vk[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    ::SendInput(4, keys, sizeof keys[0]);
    h.Pump();
}

TEST(HomeView, AnEmptyDataFolderOffersNothingToActOn) {
    Home home;
    EXPECT_TRUE(home.Items().empty());
    EXPECT_EQ(home.StatusText(), Status(0, 0, 0, 0));
    EXPECT_FALSE(::IsWindowEnabled(home.Control(IDC_HOME_BROWSE)));
    EXPECT_FALSE(::IsWindowEnabled(home.Control(IDOK)));
    for (UINT grayed : {ID_GOTO_BROWSE, ID_GOTO_TEST, ID_FILE_SELECT_ALL, ID_FILE_EDIT,
                        ID_FILE_RENAME, ID_FILE_DELETE}) {
        EXPECT_TRUE(home.H().IsGrayed(grayed)) << grayed;
    }
    for (UINT enabled : {ID_FILE_NEW, ID_FILE_REFRESH, ID_FILE_OPEN_FOLDER}) {
        EXPECT_FALSE(home.H().IsGrayed(enabled)) << enabled;
    }

    home.H().Key(VK_DELETE);
    TypeCtrlA(home.H());
    home.H().Key(VK_RETURN);
    home.H().Key(VK_ESCAPE);
    EXPECT_TRUE(home.script.Seen().empty()) << "Delete asks nothing when nothing is selected";
    EXPECT_TRUE(home.catcher->commands.empty());
    EXPECT_TRUE(::IsWindowVisible(home.View())) << "Escape leads nowhere from home";
}

TEST(HomeView, RestoresTheStoredSelectionAndWritesItBack) {
    struct Row {
        Names stored;
        std::vector<int> selected;
        Names written;
        std::wstring status;
        const char* why;
    };
    const Row rows[] = {
        {{u"c.mrn", u"a.mrn"},
         {0, 2},
         {u"a.mrn", u"c.mrn"},
         Status(5, 9, 2, 3),
         "stored order plays no part; the list's order is written back"},
        {{u"gone.mrn"},
         {0},
         {u"a.mrn"},
         Status(2, 9, 1, 3),
         "a stored name matching no file falls back to the first file"},
        {{u"C.MRN"}, {2}, {u"c.mrn"}, Status(3, 9, 1, 3), "names match as the file system's do"},
    };
    for (const Row& r : rows) {
        Home home({{L"a.mrn", 2}, {L"b.mrn", 4}, {L"c.mrn", 3}}, r.stored);
        EXPECT_EQ(home.Items(), (Texts{L"a (2)", L"b (4)", L"c (3)"})) << r.why;
        EXPECT_EQ(home.Selected(), r.selected) << r.why;
        EXPECT_EQ(home.settings->Selection(), r.written) << r.why;
        EXPECT_EQ(home.StatusText(), r.status) << r.why;
        EXPECT_TRUE(::IsWindowEnabled(home.Control(IDOK))) << r.why;
        EXPECT_FALSE(home.H().IsGrayed(ID_GOTO_TEST)) << r.why;
    }

    // Refilled while it shows, with drawing off: the caret on the first selected file and the
    // list scrolled to it wherever the user had scrolled, the anchor on the last, as selecting
    // file by file left them.
    std::vector<std::pair<std::wstring, int>> files;
    for (int i = 10; i < 70; ++i) files.emplace_back(std::to_wstring(i) + L".mrn", 1);
    Home home(files, {u"12.mrn", u"13.mrn", u"14.mrn", u"60.mrn"});
    ::SendMessageW(home.List(), LB_SETTOPINDEX, 40, 0);
    home.H().Key(VK_F5);
    EXPECT_EQ(home.Selected(), (std::vector<int>{2, 3, 4, 50}));
    EXPECT_EQ(::SendMessageW(home.List(), LB_GETCARETINDEX, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(home.List(), LB_GETTOPINDEX, 0, 0), 2);
    EXPECT_EQ(::SendMessageW(home.List(), LB_GETANCHORINDEX, 0, 0), 50);
    SCROLLINFO bar{sizeof bar, SIF_ALL, 0, 0, 0, 0, 0};
    ::GetScrollInfo(home.List(), SB_VERT, &bar);
    EXPECT_EQ(bar.nPos, 2) << "the scroll bar is drawn where the list is";
}

TEST(HomeView, CommandStatesFollowTheSelection) {
    Home home({{L"a.mrn", 2}, {L"empty.mrn", 0}, {L"c.mrn", 3}}, {u"empty.mrn"});
    struct Row {
        std::vector<int> select;
        bool words;
        bool single;
        bool any;
    };
    const Row rows[] = {
        {{2}, false, true, true},  // a selected file without words: no test, but editable
        {{0, 1}, true, false, true},
        {{}, false, false, false},
        {{1}, true, true, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "selecting " << r.select.size() << " files");
        home.Select(r.select);
        EXPECT_EQ(::IsWindowEnabled(home.Control(IDOK)) != FALSE, r.words);
        EXPECT_EQ(::IsWindowEnabled(home.Control(IDC_HOME_BROWSE)) != FALSE, r.words);
        EXPECT_EQ(home.H().IsGrayed(ID_GOTO_TEST), !r.words);
        EXPECT_EQ(home.H().IsGrayed(ID_GOTO_BROWSE), !r.words);
        EXPECT_EQ(home.H().IsGrayed(ID_FILE_EDIT), !r.single);
        EXPECT_EQ(home.H().IsGrayed(ID_FILE_RENAME), !r.single);
        EXPECT_EQ(home.H().IsGrayed(ID_FILE_DELETE), !r.any);
        EXPECT_FALSE(home.H().IsGrayed(ID_FILE_SELECT_ALL));
    }
}

TEST(HomeView, CtrlASelectsEveryFile) {
    // Names the list's own type-ahead search does not take an A for.
    Home home({{L"x.mrn", 2}, {L"y.mrn", 4}, {L"z.mrn", 3}}, {u"y.mrn"});
    home.H().Key('A');
    EXPECT_EQ(home.Selected(), (std::vector<int>{1})) << "A alone is no command";
    ASSERT_EQ(::GetFocus(), home.List());
    TypeCtrlA(home.H());
    EXPECT_EQ(home.Selected(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(home.settings->Selection(), (Names{u"x.mrn", u"y.mrn", u"z.mrn"}));
    EXPECT_EQ(home.StatusText(), Status(9, 9, 3, 3));
}

TEST(HomeView, EnterOnTheListAndDoubleClickStartATestOnlyWithWordsSelected) {
    Home home({{L"a.mrn", 2}, {L"empty.mrn", 0}}, {u"empty.mrn"});
    auto doubleClick = [&] {
        ::SendMessageW(home.View(), WM_COMMAND, MAKEWPARAM(IDC_FILE_LIST, LBN_DBLCLK),
                       reinterpret_cast<LPARAM>(home.List()));
        home.H().Pump();
    };
    ASSERT_EQ(::GetFocus(), home.List());
    home.H().Key(VK_RETURN);
    doubleClick();
    EXPECT_TRUE(home.catcher->commands.empty()) << "no words selected";

    home.Select({0});
    home.H().Key(VK_RETURN);
    EXPECT_EQ(home.catcher->commands, (std::vector<UINT>{ID_GOTO_TEST}));
    doubleClick();
    EXPECT_EQ(home.catcher->commands, (std::vector<UINT>{ID_GOTO_TEST, ID_GOTO_TEST}));
}

TEST(HomeView, NewCreatesTheMissingFolderAndCountsItsProposals) {
    NewFileCounter() = 1;
    Home home({}, {}, L"data");
    home.script.Accept();
    home.script.Cancel();
    home.script.Cancel();
    home.Command(ID_FILE_NEW);
    home.Command(ID_FILE_NEW);
    home.H().Key(VK_INSERT);

    EXPECT_TRUE(home.folder.Exists(L"data\\New 1.mrn"));
    EXPECT_EQ(home.script.Proposals(), (Texts{L"New 1", L"New 2", L"New 2"}))
        << "a cancelled dialog does not use up a number";
    EXPECT_EQ(home.script.Seen().front().label, Res(IDS_NEW_FILE_LABEL));
    EXPECT_EQ(home.Items(), (Texts{L"New 1 (0)"}));
    EXPECT_EQ(home.Selected(), (std::vector<int>{0}));
    EXPECT_TRUE(home.script.BoxTexts().empty());
}

TEST(HomeView, NewNeverOverwritesAndOffersTheTypedNameAgain) {
    NewFileCounter() = 1;
    Home home({{L"x.mrn", 3}});
    home.script.Type(L"x");
    home.script.Cancel();
    // A change from outside, seen while the dialog is open, is still reported after it.
    home.folder.Write(L"y.mrn", Lines(1));
    home.settings.watcher.changePending = true;
    home.Command(ID_FILE_NEW);

    EXPECT_EQ(home.script.Proposals(), (Texts{L"New 1", L"x"}));
    EXPECT_EQ(NewFileCounter(), 1u);
    // The report may come as soon as the command has ended, never within it.
    ::SetForegroundWindow(home.H().hWnd);
    PumpUntil(home.H(), [&] { return home.script.BoxTexts().size() == 2; });
    EXPECT_EQ(home.script.BoxTexts(), (Texts{Res(IDS_ERR_FILE_EXISTS), Res(IDS_FOLDER_CHANGED)}));
    EXPECT_EQ(home.Items(), (Texts{L"x (3)", L"y (1)"})) << "the existing file keeps its content";
}

TEST(HomeView, NewWithAnEmptyNameCreatesTheBareExtension) {
    Home home({{L"a.mrn", 2}});
    home.script.Type(L"");
    home.Command(ID_FILE_NEW);
    EXPECT_TRUE(home.folder.Exists(L".mrn"));
    EXPECT_EQ(home.Items(), (Texts{L" (0)", L"a (2)"}));
    EXPECT_EQ(home.Selected(), (std::vector<int>{0}));
    EXPECT_EQ(home.settings->Selection(), (Names{u".mrn"}));
}

TEST(HomeView, NewReportsADataFolderThatCannotBeMade) {
    // A path that cannot be made, and one where a file stands in the folder's place.
    for (const wchar_t* below : {L"no\\such\\folder", L"a.mrn"}) {
        NewFileCounter() = 4;
        Home home({{L"a.mrn", 1}}, {}, below);
        home.Command(ID_FILE_NEW);
        EXPECT_EQ(home.script.BoxTexts(), (Texts{Res(IDS_ERR_DATA_FOLDER)})) << below;
        EXPECT_TRUE(home.script.Proposals().empty());
        EXPECT_EQ(NewFileCounter(), 4u);
    }
}

TEST(HomeView, NewReportsANameTheFileSystemRefuses) {
    Home home;
    home.script.Type(L"no\\such\\sub");
    home.Command(ID_FILE_NEW);
    EXPECT_EQ(home.script.BoxTexts(), (Texts{Res(IDS_ERR_CREATE)}));
    EXPECT_EQ(home.script.Proposals().size(), 2u) << "the dialog opens again";
}

TEST(HomeView, TheNewFileCounterGoesOnAcrossAFrameRestart) {
    NewFileCounter() = 1;
    Home home;
    home.script.Accept();
    home.Command(ID_FILE_NEW);
    home.Stop();
    home.Start();
    home.Command(ID_FILE_NEW);  // no answer left: cancelled
    EXPECT_EQ(home.script.Proposals(), (Texts{L"New 1", L"New 2"}));
}

TEST(HomeView, RenameProposesTheNameAndNeverReplacesAFile) {
    Home home({{L"a.mrn", 2}, {L"b.mrn", 4}}, {u"a.mrn"});
    home.script.Type(L"b");
    home.script.Type(L"c");
    home.Command(ID_FILE_RENAME);

    EXPECT_EQ(home.script.Proposals(), (Texts{L"a", L"b"}));
    EXPECT_EQ(home.script.Seen().front().label, Res(IDS_RENAME_LABEL));
    EXPECT_EQ(home.script.BoxTexts(), (Texts{Res(IDS_ERR_RENAME)}));
    EXPECT_EQ(home.Items(), (Texts{L"b (4)", L"c (2)"}));
    EXPECT_EQ(home.Selected(), (std::vector<int>{1}));
    EXPECT_FALSE(home.folder.Exists(L"a.mrn"));

    // Only the letter case: the system may call that done and keep the old name.
    home.script.Type(L"C");
    home.Command(ID_FILE_RENAME);
    EXPECT_EQ(home.Items(), (Texts{L"C (2)", L"b (4)"}));
    EXPECT_EQ(home.Selected(), (std::vector<int>{0})) << "another file was left selected";
}

// Linux tools and archives make such names; the plain path would open the device and block.
TEST(HomeView, FilesNamedLikeDevicesAreReadRenamedAndDeletedAsFiles) {
    Home home({{L"aux.mrn", 2}, {L"com1.mrn", 3}}, {u"aux.mrn"});
    EXPECT_EQ(home.Items(), (Texts{L"aux (2)", L"com1 (3)"}));
    home.script.Type(L"words");
    home.Command(ID_FILE_RENAME);
    home.Select({0});
    home.Command(ID_FILE_DELETE);
    EXPECT_EQ(home.Items(), (Texts{L"words (2)"}));
    EXPECT_EQ(home.script.BoxTexts(), (Texts{Res(IDS_CONFIRM_DELETE)}));

    // What the editor is given names the file; a path with a blank is one file.
    EXPECT_EQ(EditorCommandLine(L"C:\\x\\ed.exe", u"C:\\my words\\two words.mrn"),
              LR"("C:\x\ed.exe" "C:\my words\two words.mrn")");
    EXPECT_EQ(EditorCommandLine(L"ed", u"C:\\data\\con.mrn"), LR"("ed" "\\?\C:\data\con.mrn")");
}

TEST(HomeView, DeleteAsksAndKeepsTheSelectionNearby) {
    struct Row {
        std::vector<int> select;
        bool yes;
        Texts left;
        std::vector<int> selected;
        const char* why;
    };
    const Row rows[] = {
        {{2, 3}, true, {L"1 (1)", L"2 (1)", L"5 (1)"}, {1}, "the file above stays selected"},
        {{0}, true, {L"2 (1)", L"3 (1)", L"4 (1)", L"5 (1)"}, {0}, "the new first file"},
        {{1, 4},
         false,
         {L"1 (1)", L"2 (1)", L"3 (1)", L"4 (1)", L"5 (1)"},
         {1, 4},
         "No deletes nothing"},
    };
    for (const Row& r : rows) {
        Home home({{L"1.mrn", 1}, {L"2.mrn", 1}, {L"3.mrn", 1}, {L"4.mrn", 1}, {L"5.mrn", 1}});
        home.Select(r.select);
        home.script.AnswerBoxes(r.yes);
        home.H().Key(VK_DELETE);
        EXPECT_EQ(home.script.BoxTexts(), (Texts{Res(IDS_CONFIRM_DELETE)})) << r.why;
        EXPECT_EQ(home.Items(), r.left) << r.why;
        EXPECT_EQ(home.Selected(), r.selected) << r.why;
    }
}

TEST(HomeView, ALockedFileStopsTheDeletionBeforeAnythingIsLost) {
    Home home({{L"a.mrn", 2}, {L"b.mrn", 3}, {L"c.mrn", 1}});
    home.Select({0, 1});
    HANDLE held = ::CreateFileW(home.folder.File(L"a.mrn").c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    home.Command(ID_FILE_DELETE);
    ::CloseHandle(held);

    EXPECT_EQ(home.script.BoxTexts(), (Texts{Res(IDS_CONFIRM_DELETE), Res(IDS_ERR_DELETE)}));
    EXPECT_TRUE(home.folder.Exists(L"a.mrn"));
    EXPECT_TRUE(home.folder.Exists(L"b.mrn")) << "the files after the failing one are kept";
    EXPECT_EQ(home.Items(), (Texts{L"a (2)", L"b (3)", L"c (1)"}));
    EXPECT_EQ(home.Selected(), (std::vector<int>{0, 1}));
}

std::string ClassOf(HWND hWnd) {
    char name[64]{};
    ::GetClassNameA(hWnd, name, 64);
    return name;
}

// A window of the test's own, to take the foreground from the frame.
struct OtherWindow {
    OtherWindow() {
        hWnd = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 100, 100, nullptr, nullptr, nullptr, nullptr);
    }
    ~OtherWindow() { ::DestroyWindow(hWnd); }
    HWND hWnd = nullptr;
};

TEST(HomeView, AnOutsideChangeIsReportedOnceWhenTheFrameIsInTheForeground) {
    Home home({{L"a.mrn", 1}});
    ASSERT_EQ(::GetForegroundWindow(), home.H().hWnd);
    {
        OtherWindow other;
        ::SetForegroundWindow(other.hWnd);
        ASSERT_EQ(::GetForegroundWindow(), other.hWnd);

        home.folder.Write(L"a.mrn", Lines(3));
        home.folder.Write(L"b.mrn", Lines(2));
        ASSERT_TRUE(PumpUntil(home.H(), [&] { return home.settings.watcher.changePending; }));
        home.folder.Write(L"a.mrn", Lines(4));
        PumpFor(home.H(), kSeveralChecks);
        EXPECT_TRUE(home.script.Seen().empty()) << "nothing while the frame is in the background";
        EXPECT_EQ(home.Items(), (Texts{L"a (1)"}));
    }

    ::SetForegroundWindow(home.H().hWnd);
    ASSERT_TRUE(PumpUntil(home.H(), [&] { return !home.script.Seen().empty(); }))
        << "pending " << home.settings.watcher.changePending
        << ", in the foreground: " << ClassOf(::GetForegroundWindow());
    PumpFor(home.H(), kSeveralChecks);
    EXPECT_EQ(home.script.BoxTexts(), (Texts{Res(IDS_FOLDER_CHANGED)}));
    EXPECT_EQ(home.Items(), (Texts{L"a (4)", L"b (2)"}));
}

TEST(HomeView, AChangeWhileAnotherViewShowsIsReloadedOnReturnWithoutAMessage) {
    Home home({{L"a.mrn", 1}});
    home.H().frame.SwitchToView(home.H().frame.AboutView());
    home.folder.Write(L"a.mrn", Lines(2));
    ASSERT_TRUE(PumpUntil(home.H(), [&] { return !home.settings.Cache().HasLibrary(); }));
    PumpFor(home.H(), kSeveralChecks);
    home.H().frame.SwitchToView(home.View());
    PumpFor(home.H(), kSeveralChecks);
    EXPECT_TRUE(home.script.Seen().empty());
    EXPECT_EQ(home.Items(), (Texts{L"a (2)"}));
}

// A change that came while home showed in the background and was not reported before the
// user moved on is reloaded like one that came while another view showed: no late message.
TEST(HomeView, AChangeLeftPendingWhenHomeIsLeftIsReloadedOnReturnWithoutAMessage) {
    Home home({{L"a.mrn", 1}});
    {
        OtherWindow other;
        ::SetForegroundWindow(other.hWnd);
        home.folder.Write(L"a.mrn", Lines(2));
        ASSERT_TRUE(PumpUntil(home.H(), [&] { return home.settings.watcher.changePending; }));
        home.H().frame.SwitchToView(home.H().frame.AboutView());
    }
    ::SetForegroundWindow(home.H().hWnd);
    EXPECT_FALSE(home.settings.watcher.changePending);
    PumpFor(home.H(), kSeveralChecks);
    home.H().frame.SwitchToView(home.View());
    PumpFor(home.H(), kSeveralChecks);
    EXPECT_TRUE(home.script.Seen().empty());
    EXPECT_EQ(home.Items(), (Texts{L"a (2)"}));
}

TEST(HomeView, TheProgramsOwnFileCommandsRaiseNoChangeMessage) {
    Home home({{L"a.mrn", 1}, {L"b.mrn", 1}}, {u"a.mrn"});
    ASSERT_EQ(::GetForegroundWindow(), home.H().hWnd);
    home.script.Type(L"n");
    home.script.Type(L"m");
    for (UINT command : {ID_FILE_NEW, ID_FILE_RENAME, ID_FILE_DELETE}) {
        home.script.Clear();
        home.Command(command);  // the question before deleting is answered Yes
        PumpFor(home.H(), kSeveralChecks);
        for (const std::wstring& text : home.script.BoxTexts()) {
            EXPECT_NE(text, Res(IDS_FOLDER_CHANGED)) << command;
        }
    }
    EXPECT_EQ(home.Items(), (Texts{L"a (1)", L"b (1)"}));

    home.script.Clear();
    home.folder.Write(L"b.mrn", Lines(2));  // the watch goes on after them
    ASSERT_TRUE(PumpUntil(home.H(), [&] { return !home.script.BoxTexts().empty(); }));
    EXPECT_EQ(home.script.BoxTexts().back(), Res(IDS_FOLDER_CHANGED));
}

// Notes where each popup menu of the thread opens, and closes it at once.
class MenuWatcher {
public:
    MenuWatcher() {
        s_self = this;
        m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &Proc, nullptr, ::GetCurrentThreadId());
    }
    ~MenuWatcher() {
        ::UnhookWindowsHookEx(m_hook);
        s_self = nullptr;
    }
    std::vector<POINT> opened;

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && s_self && call->message == WM_ENTERIDLE &&
            call->wParam == MSGF_MENU) {
            RECT rc{};
            ::GetWindowRect(reinterpret_cast<HWND>(call->lParam), &rc);
            s_self->opened.push_back(POINT{rc.left, rc.top});
            ::EndMenu();
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline MenuWatcher* s_self = nullptr;
    HHOOK m_hook = nullptr;
};

TEST(HomeView, TheContextMenuOpensOnTheListOrAtItsCornerFromTheKeyboard) {
    Home home({{L"a.mrn", 1}});
    POINT corner{0, 0};
    ::ClientToScreen(home.List(), &corner);
    RECT list{};
    ::GetWindowRect(home.List(), &list);
    const POINT inside{list.left + 5, list.top + 5};
    MenuWatcher menus;
    auto contextMenu = [&](HWND source, POINT at) {
        ::SendMessageW(home.View(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(source),
                       MAKELPARAM(at.x, at.y));
    };
    contextMenu(home.List(), POINT{-1, -1});
    contextMenu(home.List(), inside);
    contextMenu(home.Control(IDC_STATUS), inside);
    ASSERT_EQ(menus.opened.size(), 2u) << "only the list has a context menu";
    EXPECT_EQ(menus.opened[0].x, corner.x);
    EXPECT_EQ(menus.opened[0].y, corner.y);
    EXPECT_EQ(menus.opened[1].x, inside.x);
    EXPECT_EQ(menus.opened[1].y, inside.y);
}

TEST(HomeView, AnEditorThatCannotBeStartedIsReported) {
    EXPECT_NE(StartProgramOn(L"C:\\no\\such\\editor.exe", u"C:\\a.mrn"), DWORD{ERROR_SUCCESS});
}

TEST(HomeView, AShortViewHidesItsButtonsAndStatusLineAndTheListFillsIt) {
    Home home({{L"a.mrn", 1}});
    const DialogUnits du = DialogUnits::Measure(home.View());
    const int width = du.X(200);
    const int ids[] = {IDC_STATUS,     IDOK,           IDC_HOME_BROWSE,
                       IDC_HOME_GRAPH, IDC_HOME_SETUP, IDC_HOME_ABOUT};
    auto tabOrder = [&] {  // the children's z-order is the dialog's Tab order
        std::vector<int> order;
        for (HWND c = ::GetWindow(home.View(), GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
            order.push_back(::GetDlgCtrlID(c));
        }
        return order;
    };
    const std::vector<int> tabs = tabOrder();
    for (int dlu : {122, 121, 122}) {
        const bool tall = dlu > kTallViewDlu;
        ::SetWindowPos(home.View(), nullptr, 0, 0, width, du.Y(dlu), SWP_NOZORDER | SWP_NOMOVE);
        for (int id : ids) EXPECT_EQ(::IsWindowVisible(home.Control(id)) != FALSE, tall) << id;
        RECT list{};
        ::GetWindowRect(home.List(), &list);
        ::MapWindowPoints(nullptr, home.View(), reinterpret_cast<POINT*>(&list), 2);
        const HomeLayout want = LayoutHomeView(width, du.Y(dlu), du);
        EXPECT_EQ(list.left, du.X(1));
        EXPECT_EQ(list.top, du.Y(1));
        EXPECT_EQ(list.right, width - du.X(1));
        EXPECT_EQ(list.bottom, tall ? want.status.top - du.Y(1) : du.Y(dlu) - du.Y(1));
        EXPECT_EQ(tabOrder(), tabs) << "hiding and showing keep the Tab order";
    }
}

}  // namespace
