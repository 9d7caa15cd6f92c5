#include "quiz/lower_case.h"

#include <windows.h>

void PlatformLowerCase(std::u16string& text) {
    // The buffer form of CharLowerW: the same case table, bounded by the length instead of a
    // terminating zero, and free of CharLowerW's reading of a small pointer as one character.
    // Answers and word-file fields are far shorter than a DWORD can count.
    if (text.empty()) return;
    CharLowerBuffW(reinterpret_cast<LPWSTR>(text.data()), static_cast<DWORD>(text.size()));
}
