#pragma once
// Byte layouts of the registry values: little-endian numbers and UTF-16 units, and the three
// structured values made of them. Every decoder reads only inside the bytes it is given and
// answers nothing for a value it cannot take whole, so that a damaged value leaves the setting
// at its default instead of half-loading it.
#include "settings/log_font.h"
#include "settings/score_history.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;
using SelectionNames = std::vector<std::u16string>;

// Written and read byte by byte so that the layout is little-endian whatever the host; a reader
// takes the bytes from `at` on, which the caller has checked are there.
void PutU32(Bytes& out, std::uint32_t v);
void PutU16(Bytes& out, char16_t v);
std::uint32_t GetU32(ByteView in, std::size_t at);
char16_t GetU16(ByteView in, std::size_t at);

// Count N, then N records of (L = name length + 1, the name in UTF-16LE with a zero unit).
Bytes EncodeSelectionList(const SelectionNames& names);
// Nothing for an empty value, a value too short for its count, records running past the end,
// or a record whose L units hold no zero unit. A name ends at its first zero unit.
std::optional<SelectionNames> DecodeSelectionList(ByteView value);

// One little-endian 32-bit record per score, oldest first, no header.
Bytes EncodeScoreList(const ScoreList& scores);
// Nothing for an empty value or a size that is not a multiple of 4.
std::optional<ScoreList> DecodeScoreList(ByteView value);

inline constexpr std::size_t kUserFontSize = 92;
Bytes EncodeUserFont(const LogFont& font);
// Nothing unless the value is exactly 92 bytes.
std::optional<LogFont> DecodeUserFont(ByteView value);
