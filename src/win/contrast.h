#pragma once
// Whether a contrast theme is on. While it is, every colour a window picks for itself comes
// from the system's scheme instead. Asked where drawing happens, so that a theme switched while
// the program runs shows at the next paint.

#include <optional>

bool IsHighContrast();

// Stands in for the system's flag until reset with nullopt: tests need a contrast theme where
// the flag cannot be set (Wine refuses SPI_SETHIGHCONTRAST).
void OverrideHighContrast(std::optional<bool> on);
