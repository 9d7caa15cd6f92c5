#pragma once
// Lower-casing for answers judged without regard to case. Both the typed and the expected text
// go through the same function, so whatever the platform's case table does, equal words in
// different letter case compare equal.
#include <string>

using LowerCaseFn = void (*)(std::u16string& text);

// The system's own conversion on Windows (CharLowerBuffW); natively a stand-in that knows the
// basic Latin, Latin-1 and Greek capitals only.
void PlatformLowerCase(std::u16string& text);
