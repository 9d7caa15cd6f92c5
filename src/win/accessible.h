#pragma once
// Accessible objects of our own, for what a screen reader cannot learn from the system's
// object for a window: a chart's values, a link's address, the name of a control that has no
// label before it. Each answers what it was given and hands every other question (its place,
// children, focus, the reading of items, states and values) to the system's standard object
// for the window, so that the system's own reading is kept.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

// What a window says about itself; every answer left empty is the system's.
struct AccessibleAnswers {
    long role = 0;
    std::function<std::wstring()> name;
    std::function<std::wstring()> value;
    std::function<long()> state;  // added to the system's
    std::wstring defaultAction;   // the name of doDefaultAction
    std::function<void()> doDefaultAction;
};

// The answers of one window. Objects that a screen reader still holds when their owner is gone
// answer as the system's from then on.
class CAccessible {
public:
    CAccessible();
    ~CAccessible();
    CAccessible(const CAccessible&) = delete;
    CAccessible& operator=(const CAccessible&) = delete;

    void SetAnswers(AccessibleAnswers answers) { *m_answers = std::move(answers); }

    // For a control of the system's: answers its WM_GETOBJECT from now on, in a window
    // procedure put in front of the control's that lets every other message pass. Undone when
    // the control is destroyed.
    bool Attach(HWND control);
    // The same, for a control that shows no name of its own and has no label before it.
    bool AttachName(HWND control, std::wstring name);

    // For a window of ours, from its WM_GETOBJECT: the answer, or 0 when the question is not
    // for the window's client object (or oleacc is missing), which the default handling gets.
    LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam) const;

private:
    std::shared_ptr<AccessibleAnswers> m_answers;
};

// In the message table of a window of ours: answers WM_GETOBJECT from `accessible`, and leaves
// a question it does not answer to the entries below and the default handling.
#define ACCESSIBLE_OBJECT_HANDLER(accessible)                \
    if (msgMapPass == 1 && uMsg == WM_GETOBJECT) {           \
        lResult = (accessible).Answer(hWnd, wParam, lParam); \
        if (lResult) return TRUE;                            \
    }

// Tells the screen readers listening that `event` happened to `window`'s client object.
void NotifyAccessible(DWORD event, HWND window);

// A line of text whose changes a screen reader speaks as they come, without the focus going
// there: a polite live region where the system offers the service, a name change anyway.
class CLiveRegion {
public:
    void Mark(HWND window);
    // After each change of the text.
    void Changed() const;

private:
    HWND m_window = nullptr;
    bool m_live = false;
};
