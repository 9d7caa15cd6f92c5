#include "quiz/answer_flash.h"

namespace {

constexpr FlashStep Recolor(std::uint32_t index, bool done = false) {
    return FlashStep{true, index, done};
}

}  // namespace

// Correct: green for one tick. Wrong: red for two ticks, then the yellow that stays while the
// expected answer is retyped. Finished: green, normal, green, normal over six ticks, long
// enough to be seen before the view switches to the graph.
FlashStep FlashTick(FlashMode mode, std::uint32_t elapsed) noexcept {
    switch (mode) {
    case FlashMode::Correct:
        if (elapsed == 0) return Recolor(kFlashGreen);
        if (elapsed == 1) return Recolor(kFlashNormal, true);
        break;
    case FlashMode::Wrong:
        if (elapsed == 0) return Recolor(kFlashRed);
        if (elapsed == 2) return Recolor(kFlashRetype, true);
        break;
    case FlashMode::Finished:
        if (elapsed == 0 || elapsed == 3) return Recolor(kFlashGreen);
        if (elapsed == 2) return Recolor(kFlashNormal);
        if (elapsed == 6) return Recolor(kFlashNormal, true);
        break;
    case FlashMode::Idle:
        break;
    }
    return FlashStep{};
}
