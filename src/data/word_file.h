#pragma once
// Word files: one entry per line, "first\second\hint", the hint optional. A file is UTF-16
// (little- or big-endian, by its byte-order mark) or UTF-8 (by its mark); without a mark each
// line is UTF-8 when it is valid UTF-8 holding a non-ASCII character, else 8-bit text in the
// active ANSI code page. Lines are taken in pieces of at most 1022 units, each parsed alone.
#include <cstddef>
#include <string>
#include <string_view>

#include "data/platform.h"
#include "data/word_entry.h"

// Applies the line grammar to one piece of text (which may still end with its line feed) and
// appends the entry when the line is accepted.
void ParseWordLine(std::u16string_view line, WordEntries& entries);

// Appends the accepted entries of the file's bytes, in line order.
void DecodeWordFile(std::string_view bytes, WordEntries& entries, AnsiToUtf16Fn ansiToUtf16);

// The number of entries DecodeWordFile would append, without building them.
size_t CountWordEntries(std::string_view bytes, AnsiToUtf16Fn ansiToUtf16);

// Appends the accepted entries of the file at path; a file that cannot be read appends
// nothing and says nothing.
void LoadWordFile(const std::u16string& path, WordEntries& entries,
                  FileSystem& files = SystemFileSystem(),
                  AnsiToUtf16Fn ansiToUtf16 = SystemAnsiToUtf16);
