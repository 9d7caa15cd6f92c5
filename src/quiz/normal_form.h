#pragma once
// Canonical composition (NFC) for answers: a letter saved as a base with combining marks (as
// macOS saves it) and the same letter typed as one character are the same text to a reader.
#include <string>

using NormalizeFn = void (*)(std::u16string& text);

// The system's NormalizeString on Windows; natively ICU's normalizer stands in. Text that
// cannot be normalized (a lone surrogate) stays as it is, as Windows leaves it.
void PlatformNormalize(std::u16string& text);
