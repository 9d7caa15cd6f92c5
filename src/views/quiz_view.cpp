#include "views/quiz_view.h"

#include <commctrl.h>

#include <string>

#include "base/wide_text.h"
#include "data/vocabulary_cache.h"
#include "quiz/random_source.h"
#include "settings/app_settings.h"
#include "settings/user_font_win32.h"
#include "win/defer_window_pos.h"

namespace {

RECT ToRect(const LayoutBox& box) {
    return RECT{box.x, box.y, box.x + box.width, box.y + box.height};
}

}  // namespace

CTestView::CTestView(const ViewContext& context)
    : CViewBase(context, IDD_TEST, kNoOwnMenu, /*hasBack*/ true) {}

BOOL CTestView::OnInitDialog() {
    m_answerEdit.Attach(GetDlgItem(IDC_ANSWER));
    HWND bar = GetDlgItem(IDC_PROGRESS);
    AccessibleAnswers progress;
    progress.name = [] { return LoadResString(IDS_ACC_PROGRESS); };
    // Answered of asked, as the bar fills: "0 of 5" at the first question.
    progress.value = [bar] {
        PBRANGE range{};
        ::SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        const auto pos = static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0));
        return FormatResString(IDS_ACC_PROGRESS_VALUE, static_cast<unsigned>(pos - range.iLow),
                               static_cast<unsigned>(range.iHigh - range.iLow));
    };
    m_progressAnswers.SetAnswers(std::move(progress));
    m_progressAnswers.Attach(bar);
    m_statusLine.Mark(GetDlgItem(IDC_STATUS));
    return FALSE;
}

// A new test every time. An unfinished session is dropped unrecorded.
void CTestView::OnViewActivate() {
    m_active = true;
    ShowOwnMenu();
    ApplyFonts();
    const RECT client = GetClientRect();
    Layout(client.right, client.bottom);
    RecordEarnedScore();
    m_state = State::AwaitingAnswer;
    m_answerEdit.StartFlash(FlashMode::Idle);  // the old session's flash ends with it

    const QueueOrder order{m_settings.TestingDirection, m_settings.WordOrder};
    m_session = std::make_unique<TestSession>(m_cache.GetPool(), order, RuntimeRandomSource());
    m_answerEdit.SetColorIndex(kFlashNormal);
    ShowQuestion();
    UpdateStatus();
}

// Whatever gives the view the focus (the frame coming back to the foreground, for one), the
// typing goes to the answer.
void CTestView::OnSetFocus() {
    ::SetFocus(m_answerEdit);
}

BOOL CTestView::PreTranslateMessage(MSG* msg) {
    if (PostHomeOnBackMouseButton(msg)) return TRUE;
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN && m_answerEdit.m_hWnd &&
        ::GetFocus() == m_answerEdit.m_hWnd) {
        Submit();
        return TRUE;
    }
    return DialogNavigation(msg);
}

void CTestView::Submit() {
    if (m_state != State::AwaitingAnswer || !m_session || m_session->Finished()) return;
    const std::wstring typed = m_answerEdit.GetWindowText();
    const AnswerResult answer = m_session->SubmitAnswer(
        U16(typed), AnswerRules{m_settings.CaseSensitive, m_settings.LazyRepeat});
    if (!answer.remaining) {
        const LRESULT upper = ::SendMessageW(GetDlgItem(IDC_PROGRESS), PBM_GETRANGE, FALSE, 0);
        ::SendMessageW(GetDlgItem(IDC_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(upper), 0);
        m_state = State::TestFinished;
        m_answerEdit.StartFlash(FlashMode::Finished);
    } else if (answer.correct) {
        m_state = State::AnswerCorrect;
        m_answerEdit.StartFlash(FlashMode::Correct);
    } else {
        m_state = State::AnswerWrong;
        m_answerEdit.StartFlash(FlashMode::Wrong);
    }
}

void CTestView::OnFlashDone() {
    UpdateStatus();
    switch (m_state) {
    case State::AnswerCorrect:
        ShowQuestion();
        break;
    case State::AnswerWrong: {
        // The same item is asked again: the expected answer is offered for retyping.
        const std::wstring expected = Wide(m_session->CurrentQuestion().answer);
        m_answerEdit.SetWindowText(expected.c_str());
        const auto end = static_cast<WPARAM>(expected.size());
        m_answerEdit.SendMessage(EM_SETSEL, end, static_cast<LPARAM>(end));
        m_answerEdit.SendMessage(EM_SCROLLCARET);
        NotifyAccessible(EVENT_OBJECT_VALUECHANGE, m_answerEdit);
        break;
    }
    case State::TestFinished:
        RecordEarnedScore();
        PostToFrame(ID_GOTO_GRAPH);
        break;
    case State::AwaitingAnswer:
        break;
    }
    m_state = State::AwaitingAnswer;
}

void CTestView::RecordEarnedScore() {
    if (m_state != State::TestFinished || !m_session) return;
    RecordFinishedTest(m_settings, m_session->ScorePercent());
    m_state = State::AwaitingAnswer;
}

void CTestView::ShowQuestion() {
    const Question question = m_session ? m_session->CurrentQuestion() : Question{};
    SetControlText(IDC_QUESTION, Wide(question.question));
    std::wstring hint;
    if (question.hint.empty()) {
        hint = LoadResString(IDS_NO_HINT);
    } else if (!m_settings.ShowHint) {
        hint = LoadResString(IDS_HIDDEN_HINT);
    } else {
        hint = Wide(question.hint);
    }
    SetControlText(IDC_HINT, hint);
    m_answerEdit.SetWindowText(L"");
    // A flash that ends after the user left must not pull the keyboard into a hidden view.
    if (m_active) m_answerEdit.SetFocus();
}

void CTestView::UpdateStatus() {
    if (!m_session) return;
    const TestSession& s = *m_session;
    const std::wstring status =
        FormatResString(IDS_TEST_STATUS, s.QuestionNumber(), s.QuestionCount(), s.WrongEntries(),
                        s.PoolSize(), s.ScorePercent());
    SetControlText(IDC_STATUS, status);
    m_statusLine.Changed();
    if (m_state != State::TestFinished) {
        // The 32-bit range: a test may hold more questions than a 16-bit limit can count.
        ::SendMessageW(GetDlgItem(IDC_PROGRESS), PBM_SETRANGE32, 1,
                       static_cast<LPARAM>(s.QuestionCount()) + 1);
        ::SendMessageW(GetDlgItem(IDC_PROGRESS), PBM_SETPOS, s.QuestionNumber(), 0);
    }
}

void CTestView::ApplyFonts() {
    HFONT font = m_settings.CustomFont ? UserFontHandle(m_settings) : nullptr;
    if (!font) font = GetFont();
    ::SendMessageW(GetDlgItem(IDC_QUESTION), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    m_answerEdit.SetFont(font);
}

TestLayoutUnits CTestView::LayoutUnits() const {
    const DialogUnits du = Units();
    return TestLayoutUnits{du.X(1), du.Y(1), du.Y(16), du.Y(11), du.Y(13), du.Y(76), du.Y(121)};
}

void CTestView::Layout(int width, int height) {
    const TestLayoutUnits units = LayoutUnits();
    int answerHeight = units.h13;
    if (m_settings.CustomFont) {
        LOGFONTW font{};
        if (::GetObjectW(m_answerEdit.GetFont(), sizeof font, &font) == sizeof font) {
            answerHeight = AnswerHeightForFont(font.lfHeight, units.h13);
        }
    }
    const TestLayout layout = LayoutTestView(width, height, units, answerHeight);

    CDeferWindowPos batch(8);
    PlaceShownOrHidden(batch, GetDlgItem(IDCANCEL), ToRect(layout.back), layout.tall);
    batch.Move(GetDlgItem(IDC_PROGRESS), ToRect(layout.progress));
    PlaceShownOrHidden(batch, GetDlgItem(IDC_STATUS), ToRect(layout.status), layout.tall);
    batch.Move(m_answerEdit, ToRect(layout.answer));
    PlaceShownOrHidden(batch, GetDlgItem(IDC_ANSWER_LABEL), ToRect(layout.answerLabel),
                       layout.medium);
    PlaceShownOrHidden(batch, GetDlgItem(IDC_HINT), ToRect(layout.hint), layout.medium);
    PlaceShownOrHidden(batch, GetDlgItem(IDC_HINT_LABEL), ToRect(layout.hintLabel), layout.tall);
    batch.DeferWindowPos(GetDlgItem(IDC_QUESTION), nullptr, 0, 0, layout.questionWidth,
                         layout.questionHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
