#include "test/lower_case.h"

void PlatformLowerCase(std::u16string& text) {
    for (char16_t& c : text) {
        // A-Z, and the Latin-1 capitals U+00C0..U+00DE except the multiplication sign U+00D7.
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c += 0x20;
    }
}
