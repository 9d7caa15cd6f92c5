#pragma once
// The description of a font in the byte layout of the Win32 LOGFONTW structure, so that the
// portable core can keep, compare and store it without <windows.h>. The Win32 half turns it
// into a real font object.
#include <cstdint>
#include <string_view>

struct LogFont {
    static constexpr std::size_t kFaceSize = 32;  // code units, the terminating zero included

    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = 0;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = 0;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char16_t lfFaceName[kFaceSize] = {};

    // The face name up to its first zero unit (all 32 units when there is none).
    std::u16string_view FaceName() const noexcept;
    // Copies at most 31 units and always leaves a terminating zero.
    void SetFaceName(std::u16string_view face) noexcept;

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

static_assert(sizeof(LogFont) == 92, "LogFont must keep the 92-byte LOGFONTW layout");

// "MS Shell Dlg", 16 pixels high, every other field zero but the character set.
LogFont DefaultUserFont();
