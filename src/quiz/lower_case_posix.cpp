#include "quiz/lower_case.h"

void PlatformLowerCase(std::u16string& text) {
    for (char16_t& c : text) {
        // A-Z, the Latin-1 capitals U+00C0..U+00DE except the multiplication sign U+00D7, and
        // the Greek capitals U+0391..U+03A9 but for the unassigned U+03A2.
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) ||
            (c >= 0x391 && c <= 0x3A9 && c != 0x3A2))
            c += 0x20;
    }
}
