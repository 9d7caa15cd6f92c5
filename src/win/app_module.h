#pragma once
// The application module: the instance handle every resource is loaded from, and the message
// loop of each thread that runs one.

#include <windows.h>

#include <map>
#include <mutex>
#include <string>

class CMessageLoop;

class CAppModule {
public:
    CAppModule() = default;
    CAppModule(const CAppModule&) = delete;
    CAppModule& operator=(const CAppModule&) = delete;

    void Init(HINSTANCE instance);
    void Term();

    // Before Init (window tests construct windows without an entry point) this is the
    // executable's own module, which is where the resources are linked anyway.
    HINSTANCE GetModuleInstance() const;
    HINSTANCE GetResourceInstance() const { return GetModuleInstance(); }

    // One loop per thread: a second registration for the same thread is refused.
    bool AddMessageLoop(CMessageLoop* loop);
    bool RemoveMessageLoop();
    CMessageLoop* GetMessageLoop(DWORD threadId = ::GetCurrentThreadId()) const;

private:
    HINSTANCE m_instance = nullptr;
    mutable std::mutex m_lock;
    std::map<DWORD, CMessageLoop*> m_loops;
};

// The process's one module object, created on first use.
CAppModule& AppModule();

// A string from the module's string table; empty when the id is not there.
std::wstring LoadResString(UINT id);
