#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

// No test waits without a bound. A message box that nobody answers runs a modal loop of its
// own, out of reach of every pump in the tests; a test that goes on too long is stopped here
// with what it was waiting for, long before ctest's time-out would say nothing.
constexpr ULONGLONG kUnansweredBoxMs = 5000;
constexpr ULONGLONG kTestLimitMs = 60000;

std::atomic<ULONGLONG> g_testStart{0};  // 0: between tests
std::string g_testName;                 // written before g_testStart, read after it

std::wstring BoxText(HWND box) {
    wchar_t text[512] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 512);  // a message box's message
    if (!text[0]) ::GetWindowTextW(box, text, 512);
    return text;
}

BOOL CALLBACK FindOwnBox(HWND hWnd, LPARAM param) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    wchar_t className[16] = {};
    ::GetClassNameW(hWnd, className, 16);
    if (pid == ::GetCurrentProcessId() && ::IsWindowVisible(hWnd) &&
        std::wstring(className) == L"#32770") {
        *reinterpret_cast<HWND*>(param) = hWnd;
        return FALSE;
    }
    return TRUE;
}

[[noreturn]] void Stop(const char* what, HWND box) {
    std::fprintf(stderr, "\n*** %s: %s", g_testName.c_str(), what);
    if (box) std::fprintf(stderr, "; a dialog is open: \"%ls\"", BoxText(box).c_str());
    std::fprintf(stderr, "\n");
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    std::abort();
}

void Watch() {
    HWND seenBox = nullptr;
    ULONGLONG seenSince = 0;
    for (;;) {
        ::Sleep(250);
        const ULONGLONG start = g_testStart.load();
        if (start == 0) {
            seenBox = nullptr;
            continue;
        }
        const ULONGLONG now = ::GetTickCount64();
        HWND open = nullptr;
        ::EnumWindows(FindOwnBox, reinterpret_cast<LPARAM>(&open));
        if (open != seenBox) {
            seenBox = open;
            seenSince = now;
        } else if (seenBox && now - seenSince > kUnansweredBoxMs) {
            Stop("a dialog waited 5 s for an answer nobody gives", seenBox);
        }
        if (now - start > kTestLimitMs) Stop("still running after 60 s", seenBox);
    }
}

class WatchdogListener : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo& info) override {
        g_testName = std::string(info.test_suite_name()) + "." + info.name();
        g_testStart = ::GetTickCount64();
    }
    void OnTestEnd(const testing::TestInfo&) override { g_testStart = 0; }
};

}  // namespace
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    // A failed assert() or a crash must end the test with a message on stderr, never with a
    // dialog that nobody will close.
    _set_error_mode(_OUT_TO_STDERR);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
#endif
    testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
    testing::UnitTest::GetInstance()->listeners().Append(new WatchdogListener);
    std::thread(Watch).detach();
#endif
    return RUN_ALL_TESTS();
}
