#include "app/single_instance.h"

#include "app/main_frame.h"

SingleInstance::SingleInstance() : m_mutex(::CreateMutexW(nullptr, FALSE, kMutexName)) {
    // A name held by a copy of another account in this session cannot even be opened.
    const DWORD error = ::GetLastError();
    m_only = m_mutex ? error != ERROR_ALREADY_EXISTS : error != ERROR_ACCESS_DENIED;
}

void ShowRunningCopy() {
    constexpr int kLooks = 40;
    constexpr DWORD kLookPeriodMs = 50;
    for (int look = 0; look < kLooks; ++look) {
        if (HWND frame = ::FindWindowW(CMainFrame::kClassName, nullptr)) {
            // Not waited for: a copy that is busy must not keep this one from ending.
            if (::IsIconic(frame)) ::ShowWindowAsync(frame, SW_RESTORE);
            ::SetForegroundWindow(::GetLastActivePopup(frame));
            return;
        }
        ::Sleep(kLookPeriodMs);
    }
}
