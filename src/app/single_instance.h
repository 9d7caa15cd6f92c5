#pragma once
// One copy of the program per user session. Two copies would each write their whole record at
// exit, and the one closed last would wipe what the other recorded (a finished test's score).

#include <windows.h>

#include "base/handles_win32.h"

// Held for as long as the copy runs; the system lets it go with the process.
class SingleInstance {
public:
    static constexpr wchar_t kMutexName[] = L"Local\\Korvanta.Memorion";

    SingleInstance();
    // False when another copy in this session holds the name.
    bool IsOnlyCopy() const { return m_only; }

private:
    UniqueHandle m_mutex;
    bool m_only = true;
};

// Brings the running copy's main window, or the box it shows, to the front, restored if it
// was minimized. The other copy may still be creating its window: it is looked for a while.
void ShowRunningCopy();
