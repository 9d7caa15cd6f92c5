// The test view in process under Wine: a real frame over word files in a temporary folder,
// Enter through the frame's own filter, and the flash driven one timer tick at a time.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "settings/user_font_win32.h"
#include "view/messages.h"

namespace {

using harness::DialogScript;
using harness::FrameHarness;
using harness::ReadProgress;
using harness::TestSettings;
using harness::Text;

const char kFiveWords[] =
    "one\\eins\\a number\n"
    "two\\zwei\n"
    "three\\drei\\\n"
    "four\\vier\\after three\n"
    "five\\fuenf\n";

class TestViewTest : public ::testing::Test {
protected:
    TestViewTest() {
        m_settings->WordOrder = WordOrders::Normal;
        m_settings->ConfirmExit = false;
    }
    ~TestViewTest() override { m_harness.reset(); }

    // A frame over one word file, switched to the test view. The real flash timer is stopped:
    // the tests give the ticks themselves.
    void Open(const std::string& words) {
        m_harness.reset();  // its watcher goes with it, before the words change
        m_settings.folder.Write(L"words.mrn", words);
        m_settings->SetSelection({u"words.mrn"});
        m_settings.Cache().DropLibrary();  // the words of an earlier Open
        m_settings.Cache().DropPool();
        CreateFlashColorTable();
        m_harness = std::make_unique<FrameHarness>(m_settings);
        ASSERT_TRUE(m_harness->hWnd);
        ::KillTimer(Answer(), CSmartEdit::kTimerId);
        ::SetForegroundWindow(m_harness->hWnd);
        m_harness->Command(ID_GOTO_TEST);
        ASSERT_EQ(m_harness->frame.ActiveView(), View().m_hWnd);
    }

    CTestView& View() { return m_harness->frame.TestView(); }
    HWND Answer() { return m_harness->frame.TestView().GetDlgItem(IDC_ANSWER); }
    HWND Control(int id) { return View().GetDlgItem(id); }
    std::wstring Status() { return Text(Control(IDC_STATUS)); }

    std::wstring Expected() { return Wide(View().Session()->CurrentQuestion().answer); }
    void Type(const std::wstring& text) { ::SetWindowTextW(Answer(), text.c_str()); }
    // Other programs on the shared test desktop may take the foreground, and with it our
    // focus, at any moment: the learner's window is brought back first.
    void Enter() {
        if (::GetFocus() != Answer()) {
            ::SetForegroundWindow(m_harness->hWnd);
            ::SetFocus(Answer());
        }
        m_harness->Key(VK_RETURN);
    }
    void Submit(const std::wstring& text) {
        Type(text);
        Enter();
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            ::SendMessageW(Answer(), WM_TIMER, CSmartEdit::kTimerId, 0);
            m_harness->Pump();
        }
    }
    // A correct answer and its whole flash.
    void AnswerRight() {
        Submit(Expected());
        Ticks(2);
    }
    // The colour the field paints with right now.
    COLORREF FieldColor() {
        HDC dc = ::GetDC(Answer());
        ::SendMessageW(View(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(Answer()));
        const COLORREF color = ::GetBkColor(dc);
        ::ReleaseDC(Answer(), dc);
        return color;
    }

    TestSettings m_settings;
    std::unique_ptr<FrameHarness> m_harness;
};

constexpr COLORREF kGreen = RGB(128, 255, 128);
constexpr COLORREF kRed = RGB(255, 144, 144);
constexpr COLORREF kYellow = RGB(255, 255, 192);

TEST_F(TestViewTest, StatusAndProgressOfAFreshTestAndAfterAWrongAnswer) {
    ASSERT_NO_FATAL_FAILURE(Open(kFiveWords));
    EXPECT_EQ(Text(Control(IDC_QUESTION)), L"one");
    EXPECT_EQ(::GetFocus(), Answer());
    EXPECT_EQ(Status(), L" (1 of 5), Wrong: (0 of 5), Score: 100%");
    harness::Progress bar = ReadProgress(Control(IDC_PROGRESS));
    EXPECT_EQ(bar.low, 1);
    EXPECT_EQ(bar.high, 6);
    EXPECT_EQ(bar.pos, bar.low) << "empty at the first question";

    const harness::WinEvents changes(EVENT_OBJECT_NAMECHANGE);
    Submit(L"wrong");
    Ticks(3);
    EXPECT_EQ(Status(), L" (1 of 6), Wrong: (1 of 5), Score: 80%");
    // A screen reader hears the verdict from the status line.
    EXPECT_TRUE(
        harness::PumpUntil(*m_harness, [&] { return changes.windows.count(Control(IDC_STATUS)); }));
    bar = ReadProgress(Control(IDC_PROGRESS));
    EXPECT_EQ(bar.high, 7);
    EXPECT_EQ(bar.pos, 1);
}

TEST_F(TestViewTest, ProgressIsFullOnlyAfterTheLastCorrectAnswer) {
    ASSERT_NO_FATAL_FAILURE(Open(kFiveWords));
    for (int i = 0; i < 4; ++i) AnswerRight();
    harness::Progress bar = ReadProgress(Control(IDC_PROGRESS));
    EXPECT_EQ(bar.pos, 5);
    EXPECT_LT(bar.pos, bar.high);

    Submit(Expected());
    EXPECT_EQ(View().CurrentState(), CTestView::State::TestFinished);
    bar = ReadProgress(Control(IDC_PROGRESS));
    EXPECT_EQ(bar.pos, bar.high);
    Ticks(7);
    EXPECT_EQ(ReadProgress(Control(IDC_PROGRESS)).pos, bar.high) << "the status keeps the bar";
    EXPECT_EQ(Status(), L" (5 of 5), Wrong: (0 of 5), Score: 100%");
}

TEST_F(TestViewTest, AWrongAnswerFlashesRedThenOffersTheExpectedAnswer) {
    ASSERT_NO_FATAL_FAILURE(Open(kFiveWords));
    Submit(L"eins ");  // a trailing blank is wrong
    EXPECT_EQ(View().CurrentState(), CTestView::State::AnswerWrong);
    Ticks(1);
    EXPECT_EQ(FieldColor(), kRed);
    Enter();  // during the flash: nothing
    Ticks(1);
    EXPECT_EQ(FieldColor(), kRed) << "red for two ticks";
    EXPECT_EQ(Text(Answer()), L"eins ");
    EXPECT_EQ(View().Session()->QuestionCount(), 6u) << "Enter during the flash added nothing";

    Ticks(1);
    EXPECT_EQ(FieldColor(), kYellow);
    EXPECT_EQ(Text(Answer()), L"eins");
    DWORD start = 0, end = 0;
    ::SendMessageW(Answer(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 4u);
    EXPECT_EQ(end, 4u) << "caret at the end";
    EXPECT_EQ(View().CurrentState(), CTestView::State::AwaitingAnswer);

    Enter();  // the offered text as it stands counts
    EXPECT_EQ(View().CurrentState(), CTestView::State::AnswerCorrect);
    Ticks(1);
    EXPECT_EQ(FieldColor(), kGreen);
    Ticks(1);
    EXPECT_NE(FieldColor(), kGreen) << "green for one tick only";
    EXPECT_EQ(Text(Control(IDC_QUESTION)), L"two");
    EXPECT_EQ(Text(Answer()), L"");
}

TEST_F(TestViewTest, AChangedRetypeIsWrongAgain) {
    ASSERT_NO_FATAL_FAILURE(Open(kFiveWords));
    Submit(L"x");
    Ticks(3);
    Type(L"einz");
    Enter();
    EXPECT_EQ(View().CurrentState(), CTestView::State::AnswerWrong);
    Ticks(3);
    EXPECT_EQ(View().Session()->WrongEntries(), 1u) << "one entry, however often";
    EXPECT_EQ(Status(), L" (1 of 7), Wrong: (1 of 5), Score: 80%");
}

TEST_F(TestViewTest, HintShowsNaWhenEmptyAndStarsWhenHidden) {
    struct Row {
        bool showHint;
        const char* words;
        const wchar_t* shown;
    };
    const Row rows[] = {
        {true, "a\\b\\some hint\n", L"some hint"},
        {true, "a\\b\n", L"n/a"},
        {false, "a\\b\\\n", L"n/a"},
        {false, "a\\b\\some hint\n", L"*****"},
    };
    for (const Row& row : rows) {
        m_settings->ShowHint = row.showHint;
        ASSERT_NO_FATAL_FAILURE(Open(row.words));
        EXPECT_EQ(Text(Control(IDC_HINT)), row.shown) << row.words;
        m_harness.reset();
    }
}

TEST_F(TestViewTest, LeavingDuringAFlashLosesNoScoreAsksNothingAndTakesNoFocus) {
    struct Row {
        const char* name;
        const char* words;  // one answer is given, correctly
        std::vector<UINT> leave;
        ScoreList scores;
        int shownAfter;  // 0 home, 1 graph, 2 test, 3 the session ended
    };
    const Row rows[] = {
        {"home during the final flash", "a\\b\n", {ID_GOTO_HOME}, {100}, 1},
        {"a new test during the final flash", "a\\b\n", {ID_GOTO_HOME, ID_GOTO_TEST}, {100}, 2},
        {"home during a correct answer's flash", "a\\b\nc\\d\n", {ID_GOTO_HOME}, {}, 0},
        {"the session ends during the final flash", "a\\b\n", {}, {100}, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_settings->SetScores({});
        // A finished test is not abandoned: there is nothing to ask about.
        m_settings->ConfirmExit = row.scores.size() == 1;
        ASSERT_NO_FATAL_FAILURE(Open(row.words));
        DialogScript boxes(false);
        Submit(Expected());  // and at once away, while the answer flashes
        for (UINT command : row.leave) m_harness->Command(command);
        if (row.shownAfter == 3) {
            // The process may be ended right after: the score must be in what was saved.
            ::SendMessageW(m_harness->hWnd, WM_ENDSESSION, TRUE, 0);
            EXPECT_EQ(AppSettings(SettingsSeamsWin32(m_settings.Key())).Scores(), row.scores);
            m_harness.reset();
            continue;
        }
        if (row.shownAfter != 2) {
            EXPECT_TRUE(m_settings->Scores().empty()) << "not before the flash ends";
        }
        Ticks(7);
        EXPECT_TRUE(boxes.BoxTexts().empty());
        EXPECT_EQ(m_settings->Scores(), row.scores);
        const HWND shown[] = {m_harness->frame.HomeView().m_hWnd,
                              m_harness->frame.GraphView().m_hWnd, View().m_hWnd};
        EXPECT_EQ(m_harness->frame.ActiveView(), shown[row.shownAfter]);
        if (row.shownAfter != 2) {
            EXPECT_FALSE(::IsChild(View(), ::GetFocus())) << "the hidden test view took the keys";
        }
        m_harness.reset();
    }
}

TEST_F(TestViewTest, LeavingEarlierRecordsNothing) {
    m_settings->SetScores({55});
    ASSERT_NO_FATAL_FAILURE(Open(kFiveWords));
    Submit(L"wrong");
    Ticks(3);
    AnswerRight();
    // The mouse's back button, through the view's own hook.
    MSG back{Answer(), WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), 0, 0, {0, 0}};
    EXPECT_TRUE(m_harness->frame.PreTranslateMessage(&back));
    m_harness->Pump();
    Ticks(10);
    EXPECT_EQ(m_settings->Scores(), (ScoreList{55}));
    EXPECT_EQ(m_harness->frame.ActiveView(), m_harness->frame.HomeView().m_hWnd);

    // Back again: a new test from its first question.
    m_harness->Command(ID_GOTO_TEST);
    EXPECT_EQ(Status(), L" (1 of 5), Wrong: (0 of 5), Score: 100%");
}

TEST_F(TestViewTest, EnteringAgainStartsANewTestWithNewRandomChoices) {
    m_settings->WordOrder = WordOrders::Random;
    std::string words;
    for (int i = 0; i < 12; ++i) {
        const std::string n = std::to_string(i);
        words.append("q").append(n).append("\\a").append(n).append("\n");
    }
    std::srand(1);
    ASSERT_NO_FATAL_FAILURE(Open(words));
    const std::vector<TestItem> first = View().Session()->Items();
    AnswerRight();
    m_harness->Command(ID_GOTO_HOME);
    m_harness->Command(ID_GOTO_TEST);
    EXPECT_EQ(View().Session()->Current(), 0u);
    EXPECT_NE(View().Session()->Items(), first) << "the draws go on from where they were";
}

TEST_F(TestViewTest, ThreeHeightsShowMoreAndMoreControls) {
    ASSERT_NO_FATAL_FAILURE(Open(kFiveWords));
    HWND view = View();
    const DialogUnits du = DialogUnits::Measure(view);
    struct Row {
        int height;
        bool medium, tall;
    };
    const Row rows[] = {{du.Y(76), false, false},
                        {du.Y(76) + 1, true, false},
                        {du.Y(121), true, false},
                        {du.Y(121) + 1, true, true}};
    for (const Row& row : rows) {
        ::SetWindowPos(view, nullptr, 0, 0, du.X(269), row.height, SWP_NOZORDER | SWP_NOMOVE);
        auto shown = [&](int id) { return ::IsWindowVisible(Control(id)) != 0; };
        for (int id : {IDC_QUESTION_LABEL, IDC_QUESTION, IDC_ANSWER, IDC_PROGRESS}) {
            EXPECT_TRUE(shown(id)) << id << " at " << row.height;
        }
        for (int id : {IDC_ANSWER_LABEL, IDC_HINT}) {
            EXPECT_EQ(shown(id), row.medium) << id << " at " << row.height;
        }
        for (int id : {IDC_HINT_LABEL, IDC_STATUS, IDCANCEL}) {
            EXPECT_EQ(shown(id), row.tall) << id << " at " << row.height;
        }
    }
}

TEST_F(TestViewTest, CustomFontMakesTheAnswerFieldTallerAndReachesTheQuestion) {
    LogFont font = DefaultUserFont();
    font.lfHeight = -24;
    ASSERT_TRUE(m_settings->SetUserFont(font));
    m_settings->CustomFont = true;
    ASSERT_NO_FATAL_FAILURE(Open(kFiveWords));
    RECT rc{};
    ::GetWindowRect(Answer(), &rc);
    EXPECT_EQ(rc.bottom - rc.top, 41);
    HFONT user = UserFontHandle(*m_settings);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(Answer(), WM_GETFONT, 0, 0)), user);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(Control(IDC_QUESTION), WM_GETFONT, 0, 0)),
              user);
    EXPECT_NE(reinterpret_cast<HFONT>(::SendMessageW(Control(IDC_HINT), WM_GETFONT, 0, 0)), user);

    // Turned off again: the dialog font comes back at the next activation.
    m_settings->CustomFont = false;
    m_harness->Command(ID_GOTO_HOME);
    m_harness->Command(ID_GOTO_TEST);
    EXPECT_NE(reinterpret_cast<HFONT>(::SendMessageW(Answer(), WM_GETFONT, 0, 0)), user);
    ::GetWindowRect(Answer(), &rc);
    EXPECT_EQ(rc.bottom - rc.top, DialogUnits::Measure(View()).Y(13));
}

TEST(FlashColorTable, MadeOnceWithTheWindowColourAndDeletedAgain) {
    CreateFlashColorTable();
    const FlashColorTable* table = FlashColors();
    ASSERT_TRUE(table);
    const HBRUSH first = table->brushes[1];
    CreateFlashColorTable();
    EXPECT_EQ(FlashColors()->brushes[1], first) << "a second start makes nothing new";
    EXPECT_EQ(table->colors[0], ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(table->colors[3], kYellow);
    for (HBRUSH brush : table->brushes) {
        LOGBRUSH info{};
        ASSERT_EQ(::GetObjectW(brush, sizeof info, &info), static_cast<int>(sizeof info));
        EXPECT_EQ(info.lbStyle, static_cast<UINT>(BS_SOLID));
    }
    DeleteFlashColorTable();
    EXPECT_FALSE(FlashColors());
    EXPECT_EQ(::GetObjectType(first), 0u) << "the brush is gone";
    CreateFlashColorTable();
    EXPECT_TRUE(FlashColors());
}

TEST_F(TestViewTest, MoreQuestionsThanASixteenBitRangeHolds) {
    std::string words;
    for (int i = 0; i < 70000; ++i) words += "q\\a\n";
    ASSERT_NO_FATAL_FAILURE(Open(words));
    const harness::Progress bar = ReadProgress(Control(IDC_PROGRESS));
    EXPECT_EQ(bar.high, 70001);
    EXPECT_EQ(bar.pos, 1);
}

}  // namespace
