#pragma once
// The message table of a window class, written once in its class body. Each entry routes one
// message, command or notification to a named handler and hands it the message's parameters
// already decoded:
//
//     BEGIN_MSG_MAP(CGraphView)
//         MESSAGE_HANDLER(WM_VIEW_ACTIVATE, Refresh)
//         MSG_WM_SIZE(OnSize)
//         COMMAND_ID_HANDLER(ID_GRAPH_CLEAR, Clear)
//         CHAIN_MSG_MAP(CViewBase)
//     END_MSG_MAP()
//
// A handler that returns nothing answers 0; one that returns a value answers with it. The
// message counts as handled unless the handler calls SetMsgHandled(false), which passes it on
// to the entries below and, when none takes it, to the default processing. A command filter
// is asked before every other entry, wherever it stands: a command goes through the table
// twice, once past the filters alone, then past the rest.

#include <windows.h>

#include <type_traits>

class CMessageMap {
public:
    // The table. TRUE with `result` set when handled; FALSE leaves the message to the default
    // processing.
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result) = 0;
    virtual ~CMessageMap() = default;

protected:
    // For a handler that wants the message to go on after it has done its part.
    void SetMsgHandled(bool handled) { m_msgHandled = handled; }

    // One entry's handler. A handler may send its own window another message: the flag is
    // saved around each call, so every message keeps its own.
    template <class Call>
    BOOL RunHandler(Call&& call, LRESULT& result) {
        const bool outer = m_msgHandled;
        m_msgHandled = true;
        using Answer = std::invoke_result_t<Call>;
        if constexpr (std::is_void_v<Answer>) {
            call();
            result = 0;
        } else if constexpr (std::is_pointer_v<Answer>) {
            result = reinterpret_cast<LRESULT>(call());
        } else {
            result = static_cast<LRESULT>(call());
        }
        const bool handled = m_msgHandled;
        m_msgHandled = outer;
        return handled;
    }

private:
    bool m_msgHandled = true;
};

#define BEGIN_MSG_MAP(theClass)                                                   \
public:                                                                           \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, \
                              LRESULT& lResult) override {                        \
        static_assert(std::is_base_of_v<CMessageMap, theClass>);                  \
        static_cast<void>(hWnd);                                                  \
        static_cast<void>(wParam);                                                \
        static_cast<void>(lParam);                                                \
        for (int msgMapPass = uMsg == WM_COMMAND ? 0 : 1; msgMapPass < 2; ++msgMapPass) {
#define END_MSG_MAP() \
    }                 \
    return FALSE;     \
    }

// The filters' pass is 0, everything else's 1.
#define MSG_MAP_PASS_ENTRY(pass, condition, call)                                               \
    if (msgMapPass == (pass) && (condition) && this->RunHandler([&] { return call; }, lResult)) \
        return TRUE;
#define MSG_MAP_ENTRY(condition, call) MSG_MAP_PASS_ENTRY(1, condition, call)

// func(): the message's parameters mean nothing to it.
#define MESSAGE_HANDLER(msg, func)     MSG_MAP_ENTRY(uMsg == (msg), func())
// func(msg, wParam, lParam): the message as it came, for a handler that passes it on.
#define MESSAGE_HANDLER_EX(msg, func)  MSG_MAP_ENTRY(uMsg == (msg), func(uMsg, wParam, lParam))
#define MESSAGE_RANGE_HANDLER_EX(first, last, func) \
    MSG_MAP_ENTRY(uMsg >= (first) && uMsg <= (last), func(uMsg, wParam, lParam))

// func(type, width, height)
#define MSG_WM_SIZE(func) \
    MSG_MAP_ENTRY(uMsg == WM_SIZE, func(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
// func(id)
#define MSG_WM_TIMER(func) MSG_MAP_ENTRY(uMsg == WM_TIMER, func(static_cast<UINT_PTR>(wParam)))
// func(source window, screen point); the point is (-1, -1) when the keyboard asked.
#define MSG_WM_CONTEXTMENU(func) \
    MSG_MAP_ENTRY(uMsg == WM_CONTEXTMENU, func(reinterpret_cast<HWND>(wParam), PointOf(lParam)))
// func(client point), negative while the mouse is captured outside.
#define MSG_WM_LBUTTONDOWN(func) MSG_MAP_ENTRY(uMsg == WM_LBUTTONDOWN, func(PointOf(lParam)))
#define MSG_WM_LBUTTONUP(func)   MSG_MAP_ENTRY(uMsg == WM_LBUTTONUP, func(PointOf(lParam)))
// func(MINMAXINFO*)
#define MSG_WM_GETMINMAXINFO(func) \
    MSG_MAP_ENTRY(uMsg == WM_GETMINMAXINFO, func(reinterpret_cast<MINMAXINFO*>(lParam)))
// func(ending)
#define MSG_WM_ENDSESSION(func) MSG_MAP_ENTRY(uMsg == WM_ENDSESSION, func(wParam != FALSE))
// func(dc), answering with the brush.
#define MSG_OCM_CTLCOLOREDIT(func) \
    MSG_MAP_ENTRY(uMsg == OCM_CTLCOLOREDIT, func(reinterpret_cast<HDC>(wParam)))

// Commands from menus, accelerators and controls: func().
#define COMMAND_ID_HANDLER(id, func) \
    MSG_MAP_ENTRY(uMsg == WM_COMMAND && LOWORD(wParam) == (id), func())
#define COMMAND_CODE_HANDLER(id, code, func) \
    MSG_MAP_ENTRY(uMsg == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code), func())
// func(id)
#define COMMAND_RANGE_HANDLER(first, last, func)                                               \
    MSG_MAP_ENTRY(uMsg == WM_COMMAND && LOWORD(wParam) >= (first) && LOWORD(wParam) <= (last), \
                  func(static_cast<UINT>(LOWORD(wParam))))
// Every command, before every other entry of the table: func(id, code), which passes on the
// commands it lets through.
#define COMMAND_FILTER(func)                  \
    MSG_MAP_PASS_ENTRY(0, uMsg == WM_COMMAND, \
                       func(static_cast<UINT>(LOWORD(wParam)), static_cast<UINT>(HIWORD(wParam))))
// func(header) for `notification` from control `control`.
#define NOTIFY_HANDLER(control, notification, func)                                          \
    MSG_MAP_ENTRY(                                                                           \
        uMsg == WM_NOTIFY && lParam &&                                                       \
            reinterpret_cast<const NMHDR*>(lParam)->idFrom == (control) &&                   \
            reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(notification), \
        func(reinterpret_cast<const NMHDR*>(lParam)))

// The table of a base class.
#define CHAIN_MSG_MAP(theChainClass)                                              \
    if (msgMapPass == 1 &&                                                        \
        theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult)) \
        return TRUE;
// The notifications of the window's children go back to the children (win/reflection.h).
#define REFLECT_NOTIFICATIONS() \
    if (msgMapPass == 1 && ReflectNotifications(hWnd, uMsg, wParam, lParam, lResult)) return TRUE;

// The point of a mouse or context-menu message: signed, since a monitor left of or above the
// primary one has negative coordinates.
inline POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}
