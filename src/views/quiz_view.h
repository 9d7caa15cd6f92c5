#pragma once
// The test view: one question at a time, the typed answer, progress and score. Every
// activation starts a new test over the current pool; the last correct answer records the
// score and sends the frame to the graph.

#include <memory>

#include "quiz/layout.h"
#include "quiz/session.h"
#include "view/view_base.h"
#include "views/smart_edit.h"
#include "win/accessible.h"
#include "win/reflection.h"

class CTestView : public CViewBase {
public:
    enum class State { AnswerCorrect = 0, AnswerWrong = 1, TestFinished = 2, AwaitingAnswer = 3 };

    explicit CTestView(const ViewContext& context);

    // The mouse's back button goes home; Enter in the answer field submits (and is consumed
    // even when there is nothing to submit); the rest is dialog navigation.
    BOOL PreTranslateMessage(MSG* msg) override;

    // Judges the answer field's text; only while a question waits for its answer.
    void Submit();

    State CurrentState() const { return m_state; }
    // A test with questions still to answer: leaving it loses it. A test whose last answer
    // is flashing is finished and will be recorded.
    bool IsTestUnfinished() const { return m_session && !m_session->Finished(); }
    const TestSession* Session() const { return m_session.get(); }
    // A test whose last answer is flashing has earned its score: it is recorded now, once,
    // whatever ends the flash (its end, a new test, the window closing, the session ending).
    void RecordEarnedScore();

    BEGIN_MSG_MAP(CTestView)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_VIEW_ACTIVATE, OnViewActivate)
        MESSAGE_HANDLER(WM_VIEW_DEACTIVATE, OnViewDeactivate)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MSG_WM_SIZE(OnSize)
        MESSAGE_HANDLER(WM_SETFOCUS, OnSetFocus)
        MESSAGE_HANDLER(WM_FLASH_DONE, OnFlashDone)
        CHAIN_MSG_MAP(CViewBase)
        // The answer field paints its own background from its reflected WM_CTLCOLOREDIT.
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

private:
    BOOL OnInitDialog();
    void OnViewActivate();
    void OnViewDeactivate() { m_active = false; }
    void OnDestroy() {
        RecordEarnedScore();
        SetMsgHandled(false);
    }
    void OnSize(UINT, int width, int height) { Layout(width, height); }
    void OnSetFocus();
    void OnFlashDone();

    void ApplyFonts();
    void Layout(int width, int height);
    void ShowQuestion();
    // Status line and progress bar.
    void UpdateStatus();
    TestLayoutUnits LayoutUnits() const;

    std::unique_ptr<TestSession> m_session;
    State m_state = State::AwaitingAnswer;
    bool m_active = false;  // the frame shows this view; only then may it take the focus
    CSmartEdit m_answerEdit;
    CAccessible m_progressAnswers;  // no label before the bar; its value in questions
    CLiveRegion m_statusLine;       // the verdict of each answer is heard from there
};
