#pragma once
// The answer field's flash: which colour each timer tick shows after an answer, and on which
// tick the test view hears that the flash is over. Kept apart from the window so that the
// timing of every flash can be checked tick by tick.
#include <cstdint>

enum class FlashMode : std::uint32_t { Idle = 0, Correct = 1, Wrong = 2, Finished = 3 };

// Indices into the flash colour table.
inline constexpr std::uint32_t kFlashNormal = 0;
inline constexpr std::uint32_t kFlashGreen = 1;
inline constexpr std::uint32_t kFlashRed = 2;
inline constexpr std::uint32_t kFlashRetype = 3;  // light yellow: the expected answer to retype

struct FlashStep {
    bool recolor = false;
    std::uint32_t colorIndex = kFlashNormal;  // meaningful only with recolor
    bool done = false;                        // the view is told the flash is over
};

// What the tick `elapsed` ticks after the flash began does. The mode stays set after its last
// step, so later ticks do nothing until the next flash begins.
FlashStep FlashTick(FlashMode mode, std::uint32_t elapsed) noexcept;
