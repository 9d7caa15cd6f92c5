#include "win/app_module.h"

void CAppModule::Init(HINSTANCE instance) {
    m_instance = instance;
}

void CAppModule::Term() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_loops.clear();
    m_instance = nullptr;
}

HINSTANCE CAppModule::GetModuleInstance() const {
    return m_instance ? m_instance : ::GetModuleHandleW(nullptr);
}

bool CAppModule::AddMessageLoop(CMessageLoop* loop) {
    if (!loop) return false;
    std::lock_guard<std::mutex> guard(m_lock);
    return m_loops.emplace(::GetCurrentThreadId(), loop).second;
}

bool CAppModule::RemoveMessageLoop() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_loops.erase(::GetCurrentThreadId()) != 0;
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD threadId) const {
    std::lock_guard<std::mutex> guard(m_lock);
    auto found = m_loops.find(threadId);
    return found == m_loops.end() ? nullptr : found->second;
}

CAppModule& AppModule() {
    static CAppModule module;
    return module;
}

std::wstring LoadResString(UINT id) {
    // With a zero buffer size LoadStringW hands out a read-only pointer into the resource,
    // so no length limit applies.
    const wchar_t* text = nullptr;
    int length =
        ::LoadStringW(AppModule().GetResourceInstance(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    return std::wstring(text, static_cast<size_t>(length));
}
