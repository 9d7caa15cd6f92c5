#pragma once
// The core keeps its text as std::u16string; the Win32 API takes wchar_t strings, whose unit is
// the same 16 bits on Windows. These copy one into the other, unit for unit.

#include <string>
#include <string_view>

inline std::wstring Wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

inline std::u16string U16(std::wstring_view text) {
    return std::u16string(text.begin(), text.end());
}
