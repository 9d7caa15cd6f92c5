// The browse view in process under Wine: the tree it fills from the selected words, the
// flash-card walk, Expand All and Collapse All, the ways home, the context menu, the layout
// and the font. The tree fills its children only when an entry first opens, and a new visit
// keeps the questions of the last one with new texts, so every check reads the tree the way
// the user meets it: after opening it, and after coming back.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "data/vocabulary_cache.h"
#include "harness.h"
#include "res/resource.h"
#include "settings/user_font_win32.h"
#include "view/view_layout.h"

namespace {

using harness::FrameHarness;
using harness::MessageRecorder;
using harness::TestSettings;

HTREEITEM Next(HWND tree, UINT relation, HTREEITEM item = nullptr) {
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::wstring Text(HWND tree, HTREEITEM item) {
    wchar_t text[1024]{};
    TVITEMW tv{};
    tv.mask = TVIF_TEXT | TVIF_HANDLE;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = 1024;
    ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return tv.pszText ? tv.pszText : L"";  // a text given by reference may come back so
}

bool IsExpanded(HWND tree, HTREEITEM item) {
    return (::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

std::vector<HTREEITEM> Questions(HWND tree) {
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = Next(tree, TVGN_ROOT); item; item = Next(tree, TVGN_NEXT, item)) {
        items.push_back(item);
    }
    return items;
}

std::vector<std::wstring> QuestionTexts(HWND tree) {
    std::vector<std::wstring> texts;
    for (HTREEITEM item : Questions(tree)) texts.push_back(Text(tree, item));
    return texts;
}

// Question, then its children, for every entry: "q: child|child".
std::vector<std::wstring> Outline(HWND tree) {
    std::vector<std::wstring> lines;
    for (HTREEITEM question : Questions(tree)) {
        std::wstring line = Text(tree, question) + L":";
        for (HTREEITEM child = Next(tree, TVGN_CHILD, question); child;
             child = Next(tree, TVGN_NEXT, child)) {
            if (Next(tree, TVGN_CHILD, child)) line += L"<grandchild!>";
            line += L" " + Text(tree, child);
        }
        lines.push_back(line);
    }
    return lines;
}

int ExpandedCount(HWND tree) {
    int count = 0;
    for (HTREEITEM item : Questions(tree)) count += IsExpanded(tree, item) ? 1 : 0;
    return count;
}

class BrowView : public ::testing::Test {
protected:
    // A record with the one word file selected and the questions in file order.
    void Open(const std::string& words) {
        m_settings = std::make_unique<TestSettings>(L"Browse");
        Settings().SetSelection({u"words.mrn"});
        Settings().WordOrder = 2;  // pool order
        Settings().TestingDirection = 0;
        m_settings->folder.Write(L"words.mrn", words);
        m_harness = std::make_unique<FrameHarness>(*m_settings);
        ASSERT_TRUE(m_harness->hWnd);
        SelectionSummary summary;
        summary.selectedWords = 1;
        m_harness->frame.HomeView().SetSummary(summary);
        Visit();
    }
    // Changes the words on disk; the next visit reads them. Nothing watches meanwhile: a
    // change the watcher delivered late would land on home, shown on the way back, and be
    // reported there in a box. Home watches again when it shows.
    void Rewrite(const std::string& words) {
        m_settings->watcher.Stop();
        m_settings->folder.Write(L"words.mrn", words);
    }
    // Leaves for the home view and comes back, as the user does.
    void Visit() {
        m_settings->Cache().DropPool();
        m_harness->Command(ID_GOTO_HOME);
        m_harness->Command(ID_GOTO_BROWSE);
        ASSERT_EQ(m_harness->frame.ActiveView(), View().m_hWnd);
    }
    void TearDown() override {
        m_harness.reset();
        m_settings.reset();
    }

    CBrowView& View() { return m_harness->frame.BrowView(); }
    HWND Tree() { return View().Tree(); }
    AppSettings& Settings() { return **m_settings; }
    FrameHarness& H() { return *m_harness; }
    void Select(HTREEITEM item) {
        ::SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    HTREEITEM Selected() { return Next(Tree(), TVGN_CARET); }

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<FrameHarness> m_harness;
};

const char* const kThreeWords = "one\\uno\\\r\nsun\\sol\\hot\r\nsea\\mar\r\n";

TEST_F(BrowView, FillsOneCollapsedQuestionPerEntryWithTheFocusOnTheTree) {
    Open(kThreeWords);
    EXPECT_EQ(QuestionTexts(Tree()), (std::vector<std::wstring>{L"one", L"sun", L"sea"}));
    EXPECT_EQ(ExpandedCount(Tree()), 0);
    EXPECT_EQ(::GetFocus(), Tree());
    EXPECT_EQ(H().MenuBar().size(), 2u) << "GoTo and Browse";
}

// The answer is the first child, the hint the second, and only when there is one; Reverse
// asks the second field. Rows cover both directions and both ways of opening the entries.
TEST_F(BrowView, ChildrenAreTheAnswerThenTheHintInTheTestsDirection) {
    struct Row {
        int direction;
        bool expandAll;  // else each entry opened by the user with the keyboard
        std::vector<std::wstring> outline;
    };
    const std::vector<std::wstring> normal{L"one: uno", L"sun: sol hot", L"sea: mar"};
    const std::vector<std::wstring> reverse{L"uno: one", L"sol: sun hot", L"mar: sea"};
    for (const Row& row : {Row{0, true, normal}, Row{0, false, normal}, Row{1, true, reverse},
                           Row{1, false, reverse}}) {
        SCOPED_TRACE(row.direction * 10 + row.expandAll);
        TearDown();
        Open(kThreeWords);
        Settings().TestingDirection = row.direction;
        Visit();
        if (row.expandAll) {
            H().Command(ID_BROWSE_EXPAND_ALL);
        } else {
            for (HTREEITEM item : Questions(Tree())) {
                Select(item);
                H().Key(VK_RIGHT);  // the tree's own expand
            }
        }
        EXPECT_EQ(Outline(Tree()), row.outline);
        EXPECT_EQ(ExpandedCount(Tree()), 3);
    }
}

TEST_F(BrowView, RandomOrderGivesANewOrderOnEachVisit) {
    std::string words;
    for (int i = 0; i < 40; ++i) words += std::string("w") + std::to_string(i) + "\\x\r\n";
    Open(words);
    Settings().WordOrder = 0;
    Visit();
    const auto first = QuestionTexts(Tree());
    Visit();
    const auto second = QuestionTexts(Tree());
    ASSERT_EQ(first.size(), 40u);
    EXPECT_NE(first, second);
    EXPECT_EQ(std::set<std::wstring>(first.begin(), first.end()),
              std::set<std::wstring>(second.begin(), second.end()));
}

TEST_F(BrowView, EnterWalksTheQuestionsLikeFlashCards) {
    Open(kThreeWords);
    const auto q = Questions(Tree());
    Select(q[0]);
    H().Key(VK_RETURN);
    EXPECT_TRUE(IsExpanded(Tree(), q[0]));
    EXPECT_EQ(Text(Tree(), Next(Tree(), TVGN_CHILD, q[0])), L"uno");
    EXPECT_EQ(Selected(), q[0]);
    H().Key(VK_RETURN);
    EXPECT_FALSE(IsExpanded(Tree(), q[0]));
    EXPECT_EQ(Selected(), q[1]);
    H().Key(VK_SPACE);  // Space does the same
    EXPECT_TRUE(IsExpanded(Tree(), q[1]));

    // On a child nothing changes.
    HTREEITEM hint = Next(Tree(), TVGN_NEXT, Next(Tree(), TVGN_CHILD, q[1]));
    Select(hint);
    H().Key(VK_RETURN);
    EXPECT_EQ(Selected(), hint);
    EXPECT_TRUE(IsExpanded(Tree(), q[1]));

    // The last one only closes.
    Select(q[2]);
    H().Key(VK_RETURN);
    H().Key(VK_RETURN);
    EXPECT_FALSE(IsExpanded(Tree(), q[2]));
    EXPECT_EQ(Selected(), q[2]);
    EXPECT_EQ(H().frame.ActiveView(), View().m_hWnd) << "Enter is not the default button";
}

TEST_F(BrowView, KeypadPlusAndMinusExpandAndCollapseEverythingWhileEnabled) {
    Open(kThreeWords);
    H().Key(VK_OEM_PLUS);
    EXPECT_EQ(ExpandedCount(Tree()), 0) << "the main keyboard's plus does nothing";
    H().Key(VK_ADD);
    EXPECT_EQ(ExpandedCount(Tree()), 3);
    EXPECT_EQ(Outline(Tree()),
              (std::vector<std::wstring>{L"one: uno", L"sun: sol hot", L"sea: mar"}));
    H().Key(VK_OEM_MINUS);
    EXPECT_EQ(ExpandedCount(Tree()), 3) << "the main keyboard's minus does nothing";
    H().Key(VK_SUBTRACT);
    EXPECT_EQ(ExpandedCount(Tree()), 0);

    // A grayed command is not run by its key, which is left to the tree: at most the
    // selected entry opens.
    HMENU popup = ::GetSubMenu(::GetMenu(H().hWnd), 1);
    ::EnableMenuItem(popup, ID_BROWSE_EXPAND_ALL, MF_BYCOMMAND | MF_GRAYED);
    H().Key(VK_ADD);
    EXPECT_LE(ExpandedCount(Tree()), 1);
}

// Rebuilding in the new shape must keep what the user had: the selected item, and a selected
// answer giving way to its question when everything closes.
TEST_F(BrowView, ExpandAllAndCollapseAllKeepTheSelection) {
    Open(kThreeWords);
    Select(Questions(Tree())[1]);
    H().Command(ID_BROWSE_EXPAND_ALL);
    HTREEITEM selected = Selected();
    EXPECT_EQ(Text(Tree(), selected), L"sun");
    HTREEITEM hint = Next(Tree(), TVGN_NEXT, Next(Tree(), TVGN_CHILD, selected));
    Select(hint);
    H().Command(ID_BROWSE_EXPAND_ALL);
    EXPECT_EQ(Text(Tree(), Selected()), L"hot");
    EXPECT_EQ(Next(Tree(), TVGN_PARENT, Selected()), Questions(Tree())[1]);
    H().Command(ID_BROWSE_COLLAPSE_ALL);
    EXPECT_EQ(Selected(), Questions(Tree())[1]);
    EXPECT_EQ(ExpandedCount(Tree()), 0);
    H().Key(VK_RETURN);  // still opens after the rebuild
    EXPECT_EQ(Outline(Tree())[1], L"sun: sol hot");
}

TEST_F(BrowView, ExpandAllOverManyEntriesShowsEveryChildAndScrollsToTheSelection) {
    std::string words;
    for (int i = 0; i < 2000; ++i) {
        const std::string n = std::to_string(i);
        words += "q" + n + "\\a" + n;
        if (i % 3 == 0) words += "\\h" + n;
        words += "\r\n";
    }
    Open(words);
    auto questions = Questions(Tree());
    ASSERT_EQ(questions.size(), 2000u);
    Select(questions[1500]);
    H().Command(ID_BROWSE_EXPAND_ALL);
    const auto outline = Outline(Tree());
    ASSERT_EQ(outline.size(), 2000u);
    for (int i : {0, 1, 1500, 1999}) {
        std::wstring expected = L"q" + std::to_wstring(i) + L": a" + std::to_wstring(i);
        if (i % 3 == 0) expected += L" h" + std::to_wstring(i);
        EXPECT_EQ(outline[i], expected);
    }
    EXPECT_EQ(::SendMessageW(Tree(), TVM_GETCOUNT, 0, 0), 2000 + 2000 + 667);
    // Every item is reachable by walking the visible items, as the scroll bar counts them.
    int visible = 0;
    for (HTREEITEM item = Next(Tree(), TVGN_ROOT); item;
         item = Next(Tree(), TVGN_NEXTVISIBLE, item)) {
        ++visible;
    }
    EXPECT_EQ(visible, 2000 + 2000 + 667);
    RECT rc{};
    EXPECT_TRUE(TreeView_GetItemRect(Tree(), Selected(), &rc, TRUE));
    RECT client{};
    ::GetClientRect(Tree(), &client);
    EXPECT_TRUE(rc.top >= 0 && rc.bottom <= client.bottom)
        << "the selected item is in view: " << rc.top << " " << client.bottom;
    EXPECT_EQ(Text(Tree(), Selected()), L"q1500");
    H().Command(ID_BROWSE_COLLAPSE_ALL);
    EXPECT_EQ(ExpandedCount(Tree()), 0);
    EXPECT_EQ(Text(Tree(), Selected()), L"q1500");
}

// Every way of leaving entries open, and every change a new visit can bring: the tree shows
// the new queue closed, with the first question at the top and selected as by a fresh tree's
// focus, and each
// entry opened afterwards (by the tree's own keys or by Enter) holds the new children.
TEST_F(BrowView, ANewVisitShowsTheNewQueueAsIfFilledAfresh) {
    const std::string longQuestion(300, 'L');
    const std::string five = "a\\1\\ha\r\nb\\2\r\nc\\3\\hc\r\nd\\4\r\ne\\5\r\n";
    const std::string many = [] {
        std::string words;
        for (int i = 0; i < 60; ++i) {
            words += 'm';
            words += std::to_string(i);
            words += "\\n\r\n";
        }
        return words;
    }();
    struct Row {
        const char* name;
        const std::string& first;
        int leave;  // 0 walk and leave some open, 1 Expand All, 2 scrolled to the end
        std::string next;
        int direction;
        std::vector<std::wstring> outline;
    };
    const std::vector<Row> rows{
        {"same words reversed",
         five,
         0,
         five,
         1,
         {L"1: a ha", L"2: b", L"3: c hc", L"4: d", L"5: e"}},
        {"hints move",
         five,
         0,
         "a\\1\r\nb\\2\\hb\r\nc\\3\r\nd\\4\\hd\r\ne\\5\r\n",
         0,
         {L"a: 1", L"b: 2 hb", L"c: 3", L"d: 4 hd", L"e: 5"}},
        {"fewer", five, 0, "x\\9\\hx\r\ny\\8\r\n", 0, {L"x: 9 hx", L"y: 8"}},
        {"more",
         five,
         0,
         five + "f\\6\\hf\r\n" + longQuestion + "\\7\r\n",
         0,
         {L"a: 1 ha", L"b: 2", L"c: 3 hc", L"d: 4", L"e: 5", L"f: 6 hf",
          std::wstring(300, L'L') + L": 7"}},
        {"after Expand All", five, 1, "b\\2\r\na\\1\\ha\r\n", 0, {L"b: 2", L"a: 1 ha"}},
        {"after Expand All of many", many, 1, "z\\0\r\n", 1, {L"0: z"}},
        {"scrolled down", many, 2, five, 0, {L"a: 1 ha", L"b: 2", L"c: 3 hc", L"d: 4", L"e: 5"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TearDown();
        Open(row.first);
        auto questions = Questions(Tree());
        if (row.leave == 0) {
            // The first walked past (children kept, closed), the second left open with its
            // hint-less answer selected, the third opened by the tree itself.
            Select(questions[0]);
            H().Key(VK_RETURN);
            H().Key(VK_RETURN);
            H().Key(VK_RETURN);
            Select(Next(Tree(), TVGN_CHILD, questions[1]));
            Select(questions[2]);
            H().Key(VK_RIGHT);
            Select(Next(Tree(), TVGN_CHILD, questions[1]));
            ASSERT_EQ(ExpandedCount(Tree()), 2);
        } else if (row.leave == 1) {
            H().Command(ID_BROWSE_EXPAND_ALL);
            Select(Next(Tree(), TVGN_CHILD, questions.back()));
        } else {
            Select(questions.back());
            ASSERT_NE(Next(Tree(), TVGN_FIRSTVISIBLE), questions.front());
        }

        Rewrite(row.next);
        Settings().TestingDirection = row.direction;
        Visit();
        questions = Questions(Tree());
        ASSERT_EQ(questions.size(), row.outline.size());
        EXPECT_EQ(ExpandedCount(Tree()), 0);
        // What a fresh tree shows with the focus: the tree itself selects its first item.
        EXPECT_EQ(Selected(), questions.front());
        EXPECT_EQ(Next(Tree(), TVGN_FIRSTVISIBLE), questions.front());
        std::vector<std::wstring> closed;
        for (HTREEITEM q : questions) {
            closed.push_back(Text(Tree(), q) + L":");
            EXPECT_EQ(Next(Tree(), TVGN_CHILD, q), nullptr) << "no child left from before";
        }
        for (std::size_t i = 0; i < questions.size(); ++i) {
            EXPECT_EQ(closed[i], row.outline[i].substr(0, row.outline[i].find(L':') + 1));
        }
        // Open every entry, alternately by Enter and by the tree's own key.
        for (std::size_t i = 0; i < questions.size(); ++i) {
            Select(questions[i]);
            H().Key(i % 2 ? VK_RIGHT : VK_RETURN);
        }
        EXPECT_EQ(Outline(Tree()), row.outline);
        EXPECT_EQ(::SendMessageW(Tree(), TVM_GETCOUNT, 0, 0),
                  static_cast<LRESULT>(Outline(Tree()).size() +
                                       std::count(row.next.begin(), row.next.end(), '\\')));
    }
}

TEST_F(BrowView, EscapeBackAndTheMouseBackButtonGoHome) {
    Open(kThreeWords);
    MessageRecorder recorder(H().hWnd);
    H().Key(VK_ESCAPE);
    ASSERT_EQ(H().frame.ActiveView(), H().frame.HomeView().m_hWnd);
    H().Command(ID_GOTO_BROWSE);
    ::SendMessageW(View().m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(View().m_hWnd, IDCANCEL)));
    H().Pump();
    H().Command(ID_GOTO_BROWSE);
    ::PostMessageW(Tree(), WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), 0);
    H().Pump();
    EXPECT_EQ(H().frame.ActiveView(), H().frame.HomeView().m_hWnd);
    std::vector<UINT> homes;
    for (UINT id : recorder.commands) {
        if (id == ID_GOTO_HOME) homes.push_back(id);
    }
    EXPECT_EQ(homes.size(), 3u);
}

// Where a context menu opened, read from the menu window once the menu loop idles.
struct MenuCatcher : harness::Subclass<MenuCatcher> {
    explicit MenuCatcher(HWND hWnd) : Subclass(hWnd) {
        s_opened = false;
        s_popup = nullptr;
    }
    bool Take(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
        if (msg == WM_ENTERIDLE && wParam == MSGF_MENU) {
            if (HWND menu = ::FindWindowW(L"#32768", nullptr)) {
                ::GetWindowRect(menu, &s_rect);
                s_opened = true;
            }
            ::EndMenu();
        }
        if (msg == WM_INITMENUPOPUP) s_popup = reinterpret_cast<HMENU>(wParam);
        return false;
    }
    static inline RECT s_rect{};
    static inline bool s_opened = false;
    static inline HMENU s_popup = nullptr;
};

TEST_F(BrowView, AKeyboardContextMenuOpensTheBrowseMenuAtTheTreesTopLeft) {
    Open(kThreeWords);
    MenuCatcher catcher(View().m_hWnd);
    ::SendMessageW(View().m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Tree()),
                   MAKELPARAM(-1, -1));
    H().Pump();
    ASSERT_TRUE(MenuCatcher::s_opened);
    EXPECT_EQ(MenuCatcher::s_popup, ::GetSubMenu(::GetMenu(H().hWnd), 1));
    POINT origin{0, 0};
    ::ClientToScreen(Tree(), &origin);
    EXPECT_EQ(MenuCatcher::s_rect.left, origin.x);
    EXPECT_EQ(MenuCatcher::s_rect.top, origin.y);

    // A mouse menu is the tree's alone.
    MenuCatcher::s_opened = false;
    MenuCatcher::s_popup = nullptr;
    ::SendMessageW(View().m_hWnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(View().m_hWnd),
                   MAKELPARAM(origin.x + 5, origin.y + 5));
    H().Pump();
    EXPECT_EQ(MenuCatcher::s_popup, nullptr);
}

TEST_F(BrowView, AViewOf121UnitsOrLessHidesTheBackButton) {
    Open(kThreeWords);
    const DialogUnits du = DialogUnits::Measure(View().m_hWnd);
    HWND back = ::GetDlgItem(View().m_hWnd, IDCANCEL);
    for (int dlu : {121, 122, 164}) {
        SCOPED_TRACE(dlu);
        const int w = du.X(200), h = du.Y(dlu);
        ::SetWindowPos(View().m_hWnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
        const BackLayout layout = LayoutBackAndContent(w, h, du);
        EXPECT_EQ(::IsWindowVisible(back) != FALSE, dlu > 121);
        RECT rc{};
        ::GetWindowRect(Tree(), &rc);
        ::MapWindowPoints(nullptr, View().m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.bottom - rc.top, layout.content.bottom - layout.content.top);
        EXPECT_EQ(rc.right - rc.left, layout.content.right - layout.content.left);
    }
}

TEST_F(BrowView, TheCustomFontIsUsedFromTheNextActivation) {
    Open(kThreeWords);
    const auto viewFont = ::SendMessageW(View().m_hWnd, WM_GETFONT, 0, 0);
    EXPECT_EQ(::SendMessageW(Tree(), WM_GETFONT, 0, 0), viewFont);
    LogFont font;
    font.lfHeight = -30;
    font.lfWeight = FW_BOLD;
    const std::u16string face = u"Tahoma";
    std::copy(face.begin(), face.end(), font.lfFaceName);
    ASSERT_TRUE(Settings().SetUserFont(font));
    Settings().CustomFont = true;
    EXPECT_EQ(::SendMessageW(Tree(), WM_GETFONT, 0, 0), viewFont) << "not before";
    Visit();
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(Tree(), WM_GETFONT, 0, 0)),
              UserFontHandle(Settings()));
    Settings().CustomFont = false;
    Visit();
    EXPECT_EQ(::SendMessageW(Tree(), WM_GETFONT, 0, 0), viewFont);
}

}  // namespace
