// The window-template layer against the real window manager (Wine's null display driver in
// our runs): real windows, real messages, asserted answers and state.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "harness.h"
#include "win/app_module.h"
#include "win/defer_window_pos.h"
#include "win/dialog.h"
#include "win/dialog_units.h"
#include "win/frame_window.h"
#include "win/menu_position.h"
#include "win/message_loop.h"
#include "win/reflection.h"
#include "win/window.h"

namespace {

using harness::DrainMessages;

// Takes the pending WM_QUIT, if any; -1 when there is none.
int TakeQuitCode() {
    MSG msg;
    if (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        return static_cast<int>(msg.wParam);
    }
    return -1;
}

RECT ClientRectOf(HWND hWnd) {
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    return rc;
}

// A dialog template built in memory, so these tests depend on no resource of the program.
class DialogTemplate {
public:
    DialogTemplate(short cx, short cy, WORD pointSize, DWORD style = WS_POPUP | WS_CAPTION) {
        Dword(style | DS_SETFONT | DS_MODALFRAME);
        Dword(0);
        m_countAt = m_words.size();
        Word(0);
        Word(0), Word(0), Word(static_cast<WORD>(cx)), Word(static_cast<WORD>(cy));
        Word(0);  // no menu
        Word(0);  // default class
        Text(L"Test dialog");
        Word(pointSize);
        Text(L"MS Shell Dlg");
    }

    // classAtom: 0x0080 button, 0x0081 edit, 0x0082 static.
    DialogTemplate& Add(WORD classAtom, WORD id, const wchar_t* text, short x, short y, short cx,
                        short cy, DWORD style = WS_CHILD | WS_VISIBLE) {
        if (m_words.size() % 2) Word(0);  // items start on a DWORD boundary
        Dword(style);
        Dword(0);
        Word(static_cast<WORD>(x)), Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx)), Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF), Word(classAtom);
        Text(text);
        Word(0);  // no creation data
        ++m_words[m_countAt];
        return *this;
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* s) {
        for (; *s; ++s) Word(static_cast<WORD>(*s));
        Word(0);
    }
    std::vector<WORD> m_words;
    size_t m_countAt = 0;
};

// ---------------------------------------------------------------------------------------------
// Window base: binding and dispatch

constexpr UINT WM_TEST_ANSWER = WM_APP + 1;
constexpr UINT WM_TEST_THROW = WM_APP + 2;

class CRecordingWindow : public CWindowImpl<CRecordingWindow> {
public:
    static constexpr wchar_t kClassName[] = L"Memorion.Test.RecordingWindow";
    int answers = 0;
    int finalMessages = 0;
    bool failCreate = false;
    HWND boundAtCreate = nullptr;

    BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
        switch (msg) {
        case WM_CREATE:
            result = OnCreate();
            return TRUE;
        case WM_TEST_ANSWER:
            result = OnAnswer(wParam);
            return TRUE;
        case WM_TEST_THROW:
            throw std::runtime_error("handler failed");
        default:
            return FALSE;
        }
    }

private:
    LRESULT OnCreate() {
        if (failCreate) throw std::runtime_error("creation failed");
        boundAtCreate = m_hWnd;
        return 0;
    }
    LRESULT OnAnswer(WPARAM value) {
        ++answers;
        return static_cast<LRESULT>(value * 2);
    }
    void OnFinalMessage(HWND) override { ++finalMessages; }
};

TEST(WindowImpl, HandledMessagesReachTheirHandlerAndTheRestTheDefaultProcedure) {
    CRecordingWindow window;
    RECT rc{0, 0, 200, 100};
    HWND hWnd = window.Create(nullptr, &rc, L"first", WS_OVERLAPPEDWINDOW);
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(window.m_hWnd, hWnd);
    EXPECT_EQ(window.boundAtCreate, hWnd) << "the object must be bound before WM_CREATE";
    EXPECT_EQ(CWindowImplRoot::FromHandle(hWnd), &window);

    EXPECT_EQ(::SendMessageW(hWnd, WM_TEST_ANSWER, 21, 0), 42);
    EXPECT_EQ(window.answers, 1);

    // WM_SETTEXT and WM_GETTEXT are in no table: only the default procedure stores text.
    ::SetWindowTextW(hWnd, L"renamed");
    EXPECT_EQ(window.GetWindowText(), L"renamed");

    ::DestroyWindow(hWnd);
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(window.finalMessages, 1);
    EXPECT_EQ(CWindowImplRoot::FromHandle(hWnd), nullptr);
}

TEST(WindowImpl, ExceptionsStopAtTheWindowProcedure) {
    CRecordingWindow window;
    RECT rc{0, 0, 200, 100};
    ASSERT_NE(window.Create(nullptr, &rc, L"", WS_OVERLAPPEDWINDOW), nullptr);
    EXPECT_EQ(::SendMessageW(window, WM_TEST_THROW, 0, 0), 0);
    EXPECT_TRUE(window.IsWindow());
    EXPECT_EQ(::SendMessageW(window, WM_TEST_ANSWER, 5, 0), 10) << "still dispatching";
    window.DestroyWindow();

    CRecordingWindow failing;
    failing.failCreate = true;
    EXPECT_EQ(failing.Create(nullptr, &rc, L"", WS_OVERLAPPEDWINDOW), nullptr)
        << "a creation handler that throws fails the creation";
    EXPECT_EQ(failing.m_hWnd, nullptr);
}

TEST(WindowImpl, OneObjectHoldsOneWindow) {
    CRecordingWindow window;
    RECT rc{0, 0, 50, 50};
    HWND first = window.Create(nullptr, &rc, L"", WS_POPUP);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(window.Create(nullptr, &rc, L"", WS_POPUP), nullptr);
    EXPECT_EQ(window.m_hWnd, first);
    window.DestroyWindow();
}

// A handler above the filter in the table: the filter decides all the same.
class CFilteredWindow : public CWindowImpl<CFilteredWindow> {
public:
    static constexpr wchar_t kClassName[] = L"Memorion.Test.FilteredWindow";
    std::vector<UINT> ran;
    BEGIN_MSG_MAP(CFilteredWindow)
        COMMAND_ID_HANDLER(1, [this] { ran.push_back(1); })
        COMMAND_FILTER(DropOne)
        COMMAND_ID_HANDLER(2, [this] { ran.push_back(2); })
    END_MSG_MAP()
    void DropOne(UINT id, UINT) { SetMsgHandled(id == 1); }
};

TEST(WindowImpl, ACommandFilterHoldsWhereverItStandsInTheTable) {
    CFilteredWindow window;
    ASSERT_NE(window.Create(HWND_MESSAGE, nullptr, L"", 0), nullptr);
    window.SendMessage(WM_COMMAND, 1);
    window.SendMessage(WM_COMMAND, 2);
    EXPECT_EQ(window.ran, std::vector<UINT>{2});
    window.DestroyWindow();
}

class CSubclassedStatic : public CWindowImpl<CSubclassedStatic> {
public:
    int answers = 0;
    BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        switch (msg) {
        case WM_TEST_ANSWER:
            ++answers;
            result = 7;
            return TRUE;
        default:
            return FALSE;
        }
    }
};

// Put in front of a window that may have an object of its own: answers WM_TEST_ANSWER with 9
// when wParam is 1, and passes on everything else.
struct CFrontAnswer : CFrontProcedure<CFrontAnswer> {
    int gone = 0;
    bool Take(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
        result = 9;
        return msg == WM_TEST_ANSWER && wParam == 1;
    }
    void OnWindowGone() { ++gone; }
};

TEST(WindowImpl, SubclassedControlKeepsItsOwnBehaviourForUnhandledMessages) {
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                    nullptr, nullptr);
    HWND control = ::CreateWindowExW(0, L"STATIC", L"before", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                                     parent, nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    LONG_PTR original = ::GetWindowLongPtrW(control, GWLP_WNDPROC);

    CSubclassedStatic sub;
    ASSERT_TRUE(sub.SubclassWindow(control));
    EXPECT_EQ(sub.m_hWnd, control);
    CSubclassedStatic second;
    EXPECT_FALSE(second.SubclassWindow(control)) << "a window is bound to one object";

    EXPECT_EQ(::SendMessageW(control, WM_TEST_ANSWER, 0, 0), 7);
    ::SetWindowTextW(control, L"after");
    EXPECT_EQ(sub.GetWindowText(), L"after") << "the static's own procedure stores the text";

    EXPECT_EQ(sub.UnsubclassWindow(), control);
    EXPECT_EQ(::GetWindowLongPtrW(control, GWLP_WNDPROC), original);
    EXPECT_EQ(::SendMessageW(control, WM_TEST_ANSWER, 0, 0), 0);
    EXPECT_EQ(sub.answers, 1);

    // Destroying a subclassed control releases the object as well, and a procedure in front of
    // it, which goes first and passes on what it leaves.
    ASSERT_TRUE(sub.SubclassWindow(control));
    CFrontAnswer front, secondFront;
    ASSERT_TRUE(front.PutInFront(control));
    EXPECT_FALSE(secondFront.PutInFront(control)) << "one front procedure of a kind";
    EXPECT_EQ(::SendMessageW(control, WM_TEST_ANSWER, 1, 0), 9);
    EXPECT_EQ(::SendMessageW(control, WM_TEST_ANSWER, 0, 0), 7);
    ::DestroyWindow(parent);
    EXPECT_EQ(sub.m_hWnd, nullptr);
    EXPECT_EQ(front.Window(), nullptr);
    EXPECT_EQ(front.gone, 1);
}

// ---------------------------------------------------------------------------------------------
// Dialogs

constexpr UINT WM_TEST_END = WM_APP + 3;

class CTestDialog : public CDialogImpl<CTestDialog> {
public:
    using CDialogImpl<CTestDialog>::CDialogImpl;

    HWND boundAtInit = nullptr;
    HWND childAtInit = nullptr;
    bool endAtInit = false;
    bool throwAtInit = false;

    BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) override {
        switch (msg) {
        case WM_INITDIALOG:
            result = OnInitDialog();
            return TRUE;
        case WM_TEST_ANSWER:
            result = 77;
            return TRUE;
        case WM_TEST_END:
            EndDialog(static_cast<INT_PTR>(wParam));
            result = 0;
            return TRUE;
        default:
            return FALSE;
        }
    }

private:
    LRESULT OnInitDialog() {
        if (throwAtInit) throw std::runtime_error("init failed");
        boundAtInit = m_hWnd;
        childAtInit = GetDlgItem(100);
        if (endAtInit) PostMessage(WM_TEST_END, 42);
        return TRUE;
    }
};

DialogTemplate SmallDialog() {
    DialogTemplate t(120, 60, 8);
    t.Add(0x0081, 100, L"", 4, 4, 80, 12, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP);
    t.Add(0x0080, IDOK, L"OK", 4, 40, 40, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP);
    return t;
}

// Each kind of binding, its object destroyed before its window (the other order is above):
// the window answers by default from then on, and a control by its own procedure.
TEST(WindowImpl, AWindowOutlivingItsObjectForgetsIt) {
    RECT rc{0, 0, 50, 50};
    auto window = std::make_unique<CRecordingWindow>();
    HWND ours = window->Create(nullptr, &rc, L"", WS_POPUP);
    HWND control = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 50, 20, ours, nullptr,
                                     nullptr, nullptr);
    const LONG_PTR staticProc = ::GetWindowLongPtrW(control, GWLP_WNDPROC);
    auto sub = std::make_unique<CSubclassedStatic>();
    ASSERT_TRUE(sub->SubclassWindow(control));
    auto front = std::make_unique<CFrontAnswer>();
    ASSERT_TRUE(front->PutInFront(control));
    const DialogTemplate t = SmallDialog();
    auto dialog = std::make_unique<CTestDialog>(t.Get());
    HWND box = dialog->Create(ours);
    ASSERT_TRUE(ours && box);

    front.reset(), window.reset(), sub.reset(), dialog.reset();
    for (HWND hWnd : {ours, control, box}) {
        EXPECT_EQ(CWindowImplRoot::FromHandle(hWnd), nullptr);
        EXPECT_EQ(::SendMessageW(hWnd, WM_TEST_ANSWER, 21, 0), 0);
    }
    EXPECT_EQ(::GetWindowLongPtrW(control, GWLP_WNDPROC), staticProc);
    EXPECT_TRUE(::DestroyWindow(ours));
}

TEST(DialogImpl, ModelessDialogIsBoundAtInitAndAnswersThroughMsgResult) {
    DialogTemplate t = SmallDialog();
    CTestDialog dialog(t.Get());
    HWND hWnd = dialog.Create(nullptr);
    ASSERT_NE(hWnd, nullptr);
    EXPECT_EQ(dialog.boundAtInit, hWnd);
    EXPECT_NE(dialog.childAtInit, nullptr) << "controls exist when WM_INITDIALOG arrives";

    // The dialog procedure itself may only return TRUE; the 77 must travel in DWLP_MSGRESULT.
    EXPECT_EQ(::SendMessageW(hWnd, WM_TEST_ANSWER, 0, 0), 77);
    EXPECT_EQ(::SendMessageW(hWnd, WM_APP + 50, 0, 0), 0);

    dialog.EndDialog(0);  // modeless: destroys the window
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(DialogImpl, ModalDialogReturnsTheValueGivenToEndDialog) {
    DialogTemplate t = SmallDialog();
    CTestDialog dialog(t.Get());
    dialog.endAtInit = true;
    EXPECT_EQ(dialog.DoModal(nullptr), 42);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(DialogImpl, InitialisationThatThrowsCreatesNoDialog) {
    DialogTemplate t = SmallDialog();
    CTestDialog modal(t.Get());
    modal.throwAtInit = true;
    EXPECT_EQ(modal.DoModal(nullptr), -1);

    CTestDialog modeless(t.Get());
    modeless.throwAtInit = true;
    HWND hWnd = modeless.Create(nullptr);
    EXPECT_FALSE(hWnd && ::IsWindow(hWnd));
    EXPECT_EQ(modeless.m_hWnd, nullptr);
}

TEST(DialogImpl, MissingTemplateResourceFailsCleanly) {
    CTestDialog dialog(UINT{29999});
    EXPECT_EQ(dialog.Create(nullptr), nullptr);
    EXPECT_EQ(dialog.DoModal(nullptr), -1);
}

// ---------------------------------------------------------------------------------------------
// Frame

class CClientView : public CWindowImpl<CClientView> {
public:
    static constexpr wchar_t kClassName[] = L"Memorion.Test.ClientView";
    BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return FALSE; }
};

class CTestFrame : public CFrameWindowImpl<CTestFrame> {
public:
    static constexpr wchar_t kClassName[] = L"Memorion.Test.Frame";
    static constexpr int kExitCode = 1;
    std::vector<WORD> commands;

    // No class brush: the default procedure then reports that it erased nothing, which
    // tells the frame base's own answer apart.
    static void CustomizeWndClass(WNDCLASSEXW& wc) { wc.hbrBackground = nullptr; }

    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override {
        switch (msg) {
        case WM_COMMAND:
            commands.push_back(LOWORD(wParam));
            result = 0;
            return TRUE;
        default:
            return CFrameWindowImpl<CTestFrame>::ProcessWindowMessage(hWnd, msg, wParam, lParam,
                                                                      result);
        }
    }
};

struct FrameWithView {
    CTestFrame frame;
    CClientView view;
    FrameWithView(DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr) {
        RECT rc{10, 10, 410, 310};
        frame.CreateEx(parent, L"Frame", style | WS_CLIPCHILDREN, 0, nullptr, &rc);
        RECT small{0, 0, 10, 10};
        view.Create(frame, &small, L"", WS_CHILD | WS_VISIBLE);
        frame.m_hWndClient = view;
    }
};

TEST(FrameWindowImpl, ViewFollowsTheClientAreaExceptWhenMinimized) {
    DrainMessages();
    FrameWithView f;
    ASSERT_NE(f.frame.m_hWnd, nullptr);
    ASSERT_NE(f.view.m_hWnd, nullptr);

    f.frame.SetWindowPos(nullptr, 0, 0, 500, 350, SWP_NOMOVE | SWP_NOZORDER);
    RECT client = f.frame.GetClientRect();
    RECT view = f.view.GetWindowRect();
    ::MapWindowPoints(nullptr, f.frame, reinterpret_cast<POINT*>(&view), 2);
    EXPECT_EQ(view.left, 0);
    EXPECT_EQ(view.top, 0);
    EXPECT_EQ(view.right, client.right);
    EXPECT_EQ(view.bottom, client.bottom);

    RECT before = ClientRectOf(f.view);
    f.frame.ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(::IsIconic(f.frame));
    RECT after = ClientRectOf(f.view);
    EXPECT_EQ(after.right, before.right) << "a minimized frame must not squash its view";
    EXPECT_EQ(after.bottom, before.bottom);

    f.frame.DestroyWindow();
    DrainMessages();
    TakeQuitCode();
}

TEST(FrameWindowImpl, FocusGoesToTheViewAndTheBackgroundIsLeftAlone) {
    FrameWithView f;
    f.frame.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(f.frame);
    ::SetFocus(f.frame);
    EXPECT_EQ(::GetFocus(), f.view.m_hWnd);

    HDC dc = ::GetDC(f.frame);
    EXPECT_NE(::SendMessageW(f.frame, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    f.frame.m_hWndClient = nullptr;
    EXPECT_EQ(::SendMessageW(f.frame, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0)
        << "without a view the default erasing (here: none, no class brush) applies";
    ::ReleaseDC(f.frame, dc);

    f.frame.DestroyWindow();
    DrainMessages();
    TakeQuitCode();
}

TEST(FrameWindowImpl, TopLevelFramePostsQuitOneOnDestroyAChildFrameDoesNot) {
    DrainMessages();
    TakeQuitCode();
    {
        FrameWithView f;
        f.frame.DestroyWindow();
    }
    EXPECT_EQ(TakeQuitCode(), 1);

    HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    {
        FrameWithView child(WS_CHILD, host);
        ASSERT_NE(child.frame.m_hWnd, nullptr);
        child.frame.DestroyWindow();
    }
    EXPECT_EQ(TakeQuitCode(), -1);
    ::DestroyWindow(host);
}

TEST(FrameWindowImpl, AcceleratorsTurnKeysIntoCommands) {
    FrameWithView f;
    ACCEL table[] = {{FVIRTKEY, VK_F5, 225}, {FVIRTKEY, VK_F7, 202}};
    f.frame.m_hAccel.Reset(::CreateAcceleratorTableW(table, 2));
    ASSERT_NE(f.frame.m_hAccel, nullptr);

    MSG key{f.view, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_TRUE(f.frame.TranslateAccelerators(&key));
    MSG other{f.view, WM_KEYDOWN, VK_F6, 0, 0, {0, 0}};
    EXPECT_FALSE(f.frame.TranslateAccelerators(&other));
    EXPECT_EQ(f.frame.commands, std::vector<WORD>{225});

    f.frame.DestroyWindow();
    DrainMessages();
    TakeQuitCode();
}

// ---------------------------------------------------------------------------------------------
// Message loop and module

struct LoopLog {
    std::vector<std::string> entries;
};

class RecordingFilter : public CMessageFilter {
public:
    RecordingFilter(LoopLog& log, std::string name, UINT consumes = 0)
        : m_log(log), m_name(std::move(name)), m_consumes(consumes) {}
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message >= WM_APP)
            m_log.entries.push_back(m_name + ":" + std::to_string(msg->message - WM_APP));
        return m_consumes && msg->message == m_consumes;
    }

private:
    LoopLog& m_log;
    std::string m_name;
    UINT m_consumes;
};

class CDispatchTarget : public CWindowImpl<CDispatchTarget> {
public:
    static constexpr wchar_t kClassName[] = L"Memorion.Test.DispatchTarget";
    LoopLog* log = nullptr;
    BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg < WM_APP) return FALSE;
        log->entries.push_back("dispatch:" + std::to_string(msg - WM_APP));
        result = 0;
        return TRUE;
    }
};

TEST(MessageLoop, FiltersAreAskedLastRegisteredFirstAndAConsumedMessageGoesNoFurther) {
    DrainMessages();
    LoopLog log;
    CDispatchTarget target;
    target.log = &log;
    ASSERT_NE(target.Create(HWND_MESSAGE, nullptr, L"", 0), nullptr);

    RecordingFilter first(log, "first"), second(log, "second", WM_APP + 2), third(log, "third");
    CMessageLoop loop;
    EXPECT_TRUE(loop.AddMessageFilter(&first));
    EXPECT_TRUE(loop.AddMessageFilter(&second));
    EXPECT_TRUE(loop.AddMessageFilter(&third));
    EXPECT_FALSE(loop.AddMessageFilter(&third)) << "registered twice would be asked twice";
    EXPECT_TRUE(loop.RemoveMessageFilter(&third));
    EXPECT_FALSE(loop.RemoveMessageFilter(&third));

    target.PostMessage(WM_APP + 1);
    target.PostMessage(WM_APP + 2);
    ::PostQuitMessage(9);
    EXPECT_EQ(loop.Run(), 9);

    std::vector<std::string> expected{"second:1", "first:1", "dispatch:1", "second:2"};
    EXPECT_EQ(log.entries, expected);
    target.DestroyWindow();
}

// Drives the loop from its idle handler: each idle call posts the next step, so the log
// shows exactly when the loop went idle.
class ScriptedIdle : public CIdleHandler, public CMessageFilter {
public:
    ScriptedIdle(LoopLog& log, std::vector<UINT> script)
        : m_log(log), m_script(std::move(script)) {}
    BOOL OnIdle() override {
        m_log.entries.push_back("idle");
        if (m_next < m_script.size()) {
            UINT msg = m_script[m_next++];
            ::PostThreadMessageW(::GetCurrentThreadId(), msg, 0, 0);
            // A message that does not end idleness is followed by one that does.
            if (!CMessageLoop::IsIdleMessage(MSG{nullptr, msg, 0, 0, 0, {0, 0}})) {
                ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0);
            }
        } else {
            ::PostQuitMessage(0);
        }
        return FALSE;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->hwnd == nullptr) m_log.entries.push_back("msg:" + std::to_string(msg->message));
        return TRUE;  // thread messages have nowhere to go
    }

private:
    LoopLog& m_log;
    std::vector<UINT> m_script;
    size_t m_next = 0;
};

TEST(MessageLoop, IdleHandlersRunOnceWhenTheQueueEmptiesButNotAfterMouseMovesAndPaints) {
    struct Row {
        UINT msg;
        bool endsIdle;
    };
    const Row rows[] = {
        {WM_APP + 7, true},      {WM_KEYDOWN, true}, {WM_TIMER, true}, {WM_MOUSEMOVE, false},
        {WM_NCMOUSEMOVE, false}, {WM_PAINT, false},  {0x0118, false},
    };
    for (const Row& row : rows) {
        DrainMessages();
        LoopLog log;
        ScriptedIdle script(log, {row.msg});
        CMessageLoop loop;
        loop.AddIdleHandler(&script);
        loop.AddMessageFilter(&script);
        EXPECT_EQ(loop.Run(), 0);

        std::string m = "msg:" + std::to_string(row.msg);
        std::string app = "msg:" + std::to_string(WM_APP);
        std::vector<std::string> expected =
            row.endsIdle ? std::vector<std::string>{"idle", m, "idle"}
                         // After the stream message the loop waits without going idle;
                         // the following ordinary message makes it idle again.
                         : std::vector<std::string>{"idle", m, app, "idle"};
        EXPECT_EQ(log.entries, expected) << "message " << row.msg;
    }
}

TEST(MessageLoop, IdleHandlersAreCalledInRegistrationOrderOncePerEmptyQueue) {
    DrainMessages();
    LoopLog log;
    struct Counter : CIdleHandler {
        LoopLog* log;
        std::string name;
        int calls = 0;
        BOOL OnIdle() override {
            ++calls;
            log->entries.push_back(name);
            return TRUE;  // asking for more must not matter
        }
    } a, b;
    a.log = b.log = &log;
    a.name = "a";
    b.name = "b";
    ScriptedIdle script(log, {WM_APP + 1, WM_APP + 2});
    CMessageLoop loop;
    loop.AddIdleHandler(&a);
    loop.AddIdleHandler(&script);
    loop.AddIdleHandler(&b);
    loop.AddMessageFilter(&script);
    loop.Run();
    EXPECT_EQ(a.calls, 3);
    EXPECT_EQ(b.calls, 3);
    std::vector<std::string> expected{"a", "idle", "b", "msg:" + std::to_string(WM_APP + 1),
                                      "a", "idle", "b", "msg:" + std::to_string(WM_APP + 2),
                                      "a", "idle", "b"};
    EXPECT_EQ(log.entries, expected);
}

TEST(MessageLoop, AFilterMayUnregisterItselfWhileBeingAsked) {
    DrainMessages();
    struct SelfRemoving : CMessageFilter {
        CMessageLoop* loop = nullptr;
        int calls = 0;
        BOOL PreTranslateMessage(MSG*) override {
            ++calls;
            loop->RemoveMessageFilter(this);
            return FALSE;
        }
    } a, b;
    CMessageLoop loop;
    a.loop = b.loop = &loop;
    loop.AddMessageFilter(&a);
    loop.AddMessageFilter(&b);
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0);
    ::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0);
    ::PostQuitMessage(0);
    loop.Run();
    EXPECT_EQ(a.calls, 1);
    EXPECT_EQ(b.calls, 1);
}

TEST(AppModule, KeepsOneLoopPerThread) {
    CAppModule module;
    CMessageLoop loop, other;
    EXPECT_EQ(module.GetMessageLoop(), nullptr);
    EXPECT_TRUE(module.AddMessageLoop(&loop));
    EXPECT_FALSE(module.AddMessageLoop(&other));
    EXPECT_EQ(module.GetMessageLoop(), &loop);

    CMessageLoop* seenElsewhere = &loop;
    HANDLE thread = ::CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            auto* args = static_cast<std::pair<CAppModule*, CMessageLoop**>*>(p);
            *args->second = args->first->GetMessageLoop();
            return 0;
        },
        new std::pair<CAppModule*, CMessageLoop**>(&module, &seenElsewhere), 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    EXPECT_EQ(seenElsewhere, nullptr);

    EXPECT_TRUE(module.RemoveMessageLoop());
    EXPECT_EQ(module.GetMessageLoop(), nullptr);
    EXPECT_FALSE(module.RemoveMessageLoop());
    EXPECT_EQ(module.GetModuleInstance(), ::GetModuleHandleW(nullptr));
}

// ---------------------------------------------------------------------------------------------
// Reflection

class CReflectingParent : public CWindowImpl<CReflectingParent> {
public:
    static constexpr wchar_t kClassName[] = L"Memorion.Test.ReflectingParent";
    std::vector<UINT> ownCommands;
    BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override {
        if (ReflectNotifications(hWnd, msg, wParam, lParam, result)) return TRUE;
        switch (msg) {
        case WM_COMMAND:
            ownCommands.push_back(LOWORD(wParam));
            result = 0;
            return TRUE;
        default:
            return FALSE;
        }
    }
};

class CReflectedEdit : public CWindowImpl<CReflectedEdit> {
public:
    std::vector<WORD> codes;
    std::vector<UINT> notifyCodes;
    BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) override {
        switch (msg) {
        case OCM_COMMAND:
            codes.push_back(HIWORD(wParam));
            result = 0;
            return TRUE;
        case OCM_NOTIFY:
            notifyCodes.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
            result = 5;
            return TRUE;
        default:
            return FALSE;
        }
    }
};

TEST(Reflection, NotificationsComeBackToTheControlAsOcmMessages) {
    CReflectingParent parent;
    RECT rc{0, 0, 300, 200};
    ASSERT_NE(parent.Create(nullptr, &rc, L"", WS_OVERLAPPEDWINDOW), nullptr);
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent,
                                  reinterpret_cast<HMENU>(607), nullptr, nullptr);
    CReflectedEdit reflected;
    ASSERT_TRUE(reflected.SubclassWindow(edit));

    // A real notification: the edit reports its change to the parent, which sends it back.
    ::SetWindowTextW(edit, L"abc");
    EXPECT_THAT(reflected.codes, testing::Contains(WORD{EN_CHANGE}));

    NMHDR header{edit, 607, 1234};
    EXPECT_EQ(::SendMessageW(parent, WM_NOTIFY, 607, reinterpret_cast<LPARAM>(&header)), 5);
    EXPECT_EQ(reflected.notifyCodes, std::vector<UINT>{1234});

    // The colour message is in no table of the edit: the default answer for the original
    // message (a real brush) comes back, not the 0 of an unknown message.
    HDC dc = ::GetDC(edit);
    LRESULT brush = ::SendMessageW(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(edit));
    ::ReleaseDC(edit, dc);
    EXPECT_NE(brush, 0);

    // Menu and accelerator commands name no control and stay with the parent.
    ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(225, 1), 0);
    EXPECT_EQ(parent.ownCommands, std::vector<UINT>{225});

    parent.DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// Deferred positioning

TEST(DeferWindowPos, OneBatchPlacesEveryWindowEvenWithADeadOneAmongThem) {
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 400, nullptr, nullptr,
                                    nullptr, nullptr);
    auto child = [&] {
        return ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, parent,
                                 nullptr, nullptr, nullptr);
    };
    HWND a = child(), b = child(), dead = child(), c = child();
    ::DestroyWindow(dead);

    auto placed = [&](HWND w) {
        RECT rc{};
        ::GetWindowRect(w, &rc);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    };
    auto equal = [](RECT x, RECT y) {
        return x.left == y.left && x.top == y.top && x.right == y.right && x.bottom == y.bottom;
    };

    const RECT ra{1, 2, 31, 42}, rb{50, 60, 150, 70}, rc{7, 100, 207, 300};
    {
        CDeferWindowPos batch(3);
        batch.Move(a, ra);
        batch.Move(b, rb);
        batch.Move(c, rc);
        // Nothing moves before the batch ends.
        EXPECT_TRUE(equal(placed(a), RECT{0, 0, 5, 5}));
    }
    EXPECT_TRUE(equal(placed(a), ra));
    EXPECT_TRUE(equal(placed(b), rb));
    EXPECT_TRUE(equal(placed(c), rc));

    const RECT ra2{3, 3, 13, 13}, rc2{20, 20, 40, 40};
    {
        CDeferWindowPos batch(1);  // more entries than announced
        batch.Move(a, ra2);
        batch.Move(dead, RECT{0, 0, 1, 1});
        batch.Move(c, rc2);
        batch.End();
    }
    EXPECT_TRUE(equal(placed(a), ra2));
    EXPECT_TRUE(equal(placed(c), rc2));
    ::DestroyWindow(parent);
}

// ---------------------------------------------------------------------------------------------
// Dialog units

TEST(DialogUnits, ConversionMatchesMapDialogRectOfTheMeasuredDialog) {
    for (WORD points : {WORD{8}, WORD{10}, WORD{18}}) {
        DialogTemplate t(269, 164, points);
        CTestDialog dialog(t.Get());
        HWND hWnd = dialog.Create(nullptr);
        ASSERT_NE(hWnd, nullptr);
        DialogUnits units = DialogUnits::Measure(hWnd);
        ASSERT_GT(units.cx, 0);
        ASSERT_GT(units.cy, 0);

        const RECT rows[] = {
            {0, 0, 4, 8},           {1, 1, 3, 7},  {45, 16, 100, 121}, {-7, -3, 5, 9},
            {269, 164, 1000, 1000}, {2, 5, 6, 13}, {101, 77, 103, 79},
        };
        for (const RECT& dlu : rows) {
            RECT expected = dlu;
            ::MapDialogRect(hWnd, &expected);
            RECT got = units.ToPixels(dlu);
            EXPECT_EQ(got.left, expected.left) << points << "pt";
            EXPECT_EQ(got.top, expected.top) << points << "pt";
            EXPECT_EQ(got.right, expected.right) << points << "pt";
            EXPECT_EQ(got.bottom, expected.bottom) << points << "pt";
        }

        // The template's size in dialog units is the dialog's client size.
        SIZE size = units.ToPixels(SIZE{269, 164});
        RECT client = ClientRectOf(hWnd);
        EXPECT_EQ(client.right, size.cx) << points << "pt";
        EXPECT_EQ(client.bottom, size.cy) << points << "pt";

        // Left, top, width, height as templates list them.
        RECT back = units.ToPixels(4, 16, 45, 16);
        RECT same = units.ToPixels(RECT{4, 16, 49, 32});
        EXPECT_EQ(back.right, same.right);
        EXPECT_EQ(back.bottom, same.bottom);
        dialog.EndDialog(0);
    }
}

TEST(DialogUnits, LargerFontsGiveLargerUnits) {
    DialogUnits previous{};
    for (WORD points : {WORD{8}, WORD{10}, WORD{18}}) {
        DialogTemplate t(100, 50, points);
        CTestDialog dialog(t.Get());
        ASSERT_NE(dialog.Create(nullptr), nullptr);
        DialogUnits units = DialogUnits::Measure(dialog);
        EXPECT_GT(units.cy, previous.cy) << points << "pt";
        previous = units;
        dialog.EndDialog(0);
    }
}

// ---------------------------------------------------------------------------------------------
// Context menu position

TEST(ClampMenuX, PointsOffEveryMonitorArePulledIntoTheNearestWorkAreaHorizontallyOnly) {
    POINT origin{0, 0};
    HMONITOR primary = ::MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetMonitorInfoW(primary, &info));
    const RECT m = info.rcMonitor;
    const RECT w = info.rcWork;
    // Far enough off the monitor's sides not to land on a neighbour of a multi-monitor box.
    const LONG farLeft = ::GetSystemMetrics(SM_XVIRTUALSCREEN) - 100;
    const LONG farRight =
        ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN) + 100;
    const LONG midY = (m.top + m.bottom) / 2;

    struct Row {
        POINT in;
        POINT out;
        const char* fault;
    };
    const Row rows[] = {
        {{m.left + 10, midY}, {m.left + 10, midY}, "a point on a monitor moves"},
        {{m.right - 1, m.bottom - 1},
         {m.right - 1, m.bottom - 1},
         "the monitor's last pixel moves"},
        {{farLeft, midY}, {w.left, midY}, "left of the work area not clamped to its left edge"},
        {{farRight, midY}, {w.right, midY}, "right of the work area not clamped to its right edge"},
        {{m.left + 10, m.bottom + 500},
         {m.left + 10, m.bottom + 500},
         "y is changed, or x moved although inside"},
        {{farRight, m.top - 300}, {w.right, m.top - 300}, "y is changed"},
    };
    for (const Row& row : rows) {
        POINT got = ClampMenuX(row.in);
        EXPECT_EQ(got.x, row.out.x) << row.fault;
        EXPECT_EQ(got.y, row.out.y) << row.fault;
    }
}

}  // namespace
