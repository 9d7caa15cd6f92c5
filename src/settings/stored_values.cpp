#include "settings/stored_values.h"

namespace {

// The font's fields in their stored order: five numbers, eight single bytes, then the face.
constexpr std::int32_t LogFont::*kFontNumbers[] = {&LogFont::lfHeight, &LogFont::lfWidth,
                                                   &LogFont::lfEscapement, &LogFont::lfOrientation,
                                                   &LogFont::lfWeight};
constexpr std::uint8_t LogFont::*kFontBytes[] = {
    &LogFont::lfItalic,  &LogFont::lfUnderline,     &LogFont::lfStrikeOut,
    &LogFont::lfCharSet, &LogFont::lfOutPrecision,  &LogFont::lfClipPrecision,
    &LogFont::lfQuality, &LogFont::lfPitchAndFamily};

}  // namespace

void PutU32(Bytes& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

void PutU16(Bytes& out, char16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

std::uint32_t GetU32(ByteView in, std::size_t at) {
    return static_cast<std::uint32_t>(in[at]) | static_cast<std::uint32_t>(in[at + 1]) << 8 |
           static_cast<std::uint32_t>(in[at + 2]) << 16 |
           static_cast<std::uint32_t>(in[at + 3]) << 24;
}

char16_t GetU16(ByteView in, std::size_t at) {
    return static_cast<char16_t>(in[at] | in[at + 1] << 8);
}

Bytes EncodeSelectionList(const SelectionNames& names) {
    Bytes out;
    PutU32(out, static_cast<std::uint32_t>(names.size()));
    for (const std::u16string& name : names) {
        PutU32(out, static_cast<std::uint32_t>(name.size() + 1));
        for (char16_t c : name) PutU16(out, c);
        PutU16(out, u'\0');
    }
    return out;
}

std::optional<SelectionNames> DecodeSelectionList(ByteView value) {
    if (value.size() < 4) return std::nullopt;
    const std::uint32_t count = GetU32(value, 0);
    SelectionNames names;
    std::size_t at = 4;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (value.size() - at < 4) return std::nullopt;
        const std::uint64_t units = GetU32(value, at);
        at += 4;
        // L counts the zero unit, so a record of L = 0 has no room for it.
        if (units == 0 || units > (value.size() - at) / 2) return std::nullopt;
        std::u16string name;
        std::size_t u = 0;
        for (; u < units; ++u) {
            const char16_t c = GetU16(value, at + 2 * u);
            if (c == u'\0') break;
            name.push_back(c);
        }
        if (u == units) return std::nullopt;
        names.push_back(std::move(name));
        at += static_cast<std::size_t>(2 * units);
    }
    return names;
}

Bytes EncodeScoreList(const ScoreList& scores) {
    Bytes out;
    out.reserve(scores.size() * 4);
    for (ScoreRecord s : scores) PutU32(out, s);
    return out;
}

std::optional<ScoreList> DecodeScoreList(ByteView value) {
    if (value.empty() || value.size() % 4 != 0) return std::nullopt;
    ScoreList scores;
    scores.reserve(value.size() / 4);
    for (std::size_t at = 0; at < value.size(); at += 4) scores.push_back(GetU32(value, at));
    return scores;
}

Bytes EncodeUserFont(const LogFont& font) {
    Bytes out;
    out.reserve(kUserFontSize);
    for (const auto number : kFontNumbers) PutU32(out, static_cast<std::uint32_t>(font.*number));
    for (const auto byte : kFontBytes) out.push_back(font.*byte);
    for (char16_t c : font.lfFaceName) PutU16(out, c);
    return out;
}

std::optional<LogFont> DecodeUserFont(ByteView value) {
    if (value.size() != kUserFontSize) return std::nullopt;
    LogFont font;
    std::size_t at = 0;
    for (const auto number : kFontNumbers) {
        font.*number = static_cast<std::int32_t>(GetU32(value, at));
        at += 4;
    }
    for (const auto byte : kFontBytes) font.*byte = value[at++];
    for (char16_t& c : font.lfFaceName) {
        c = GetU16(value, at);
        at += 2;
    }
    return font;
}
