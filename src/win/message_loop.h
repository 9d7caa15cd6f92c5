#pragma once
// The user-interface thread's message loop, with message filters that may consume a message
// before it is dispatched and idle handlers called when the queue runs empty.

#include <windows.h>

#include <vector>

class CMessageFilter {
public:
    // TRUE when the message was consumed and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg) = 0;
    virtual ~CMessageFilter() = default;
};

class CIdleHandler {
public:
    // The result is ignored: one round of idle calls per empty queue.
    virtual BOOL OnIdle() = 0;
    virtual ~CIdleHandler() = default;
};

class CMessageLoop {
public:
    CMessageLoop() = default;
    CMessageLoop(const CMessageLoop&) = delete;
    CMessageLoop& operator=(const CMessageLoop&) = delete;
    virtual ~CMessageLoop() = default;

    // The loop does not own the objects it is given. Registering the same object twice is
    // refused; removing one that is not there reports false.
    bool AddMessageFilter(CMessageFilter* filter);
    bool RemoveMessageFilter(CMessageFilter* filter);
    bool AddIdleHandler(CIdleHandler* handler);

    // Runs until WM_QUIT and returns its wParam.
    int Run();

    // Messages after which the loop does not go idle again: they arrive in streams and
    // would otherwise call the idle handlers over and over.
    static bool IsIdleMessage(const MSG& msg);

protected:
    // Offers the message to the filters, last registered first.
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual void OnIdle();

private:
    std::vector<CMessageFilter*> m_filters;
    std::vector<CIdleHandler*> m_idleHandlers;
    MSG m_msg{};
    // A filter may unregister itself (or another) while the filters are being asked: its slot
    // is then cleared, and compacted once they all have been.
    int m_walking = 0;
};
