#include "quiz/layout.h"

#include <algorithm>

namespace {

// Far beyond any screen; keeps a nonsense stored font from overflowing the layout.
constexpr long long kMaxAnswerHeight = 32767;

LayoutBox Row(const TestLayoutUnits& u, int width, int y, int height) {
    return LayoutBox{u.ux, y, width - 2 * u.ux, height};
}

}  // namespace

// Built from the bottom up: the progress bar always hugs the bottom (or the status line), and
// whatever height is left goes to the question field, which may hold a long text.
TestLayout LayoutTestView(int w, int h, const TestLayoutUnits& u, int answerHeight) {
    TestLayout layout;
    layout.tall = h > u.tallLimit;
    layout.medium = h > u.mediumLimit;

    layout.back = Row(u, w, h - u.uy - u.buttonHeight, u.buttonHeight);
    const int base = layout.tall ? layout.back.y - u.uy : h - u.uy;
    const int progressHeight = (2 * u.h11) / 3;
    layout.progress = Row(u, w, base - progressHeight, progressHeight);
    layout.status = Row(u, w, layout.progress.y - u.uy - u.h11, u.h11);

    int line = layout.tall ? layout.status.y - 3 * u.uy : layout.progress.y - u.uy;
    layout.answer = Row(u, w, line - answerHeight, answerHeight);
    layout.answerLabel = Row(u, w, layout.answer.y - u.h11, u.h11);

    line = layout.medium ? layout.answerLabel.y - 3 * u.uy : layout.answer.y;
    layout.hint = Row(u, w, line - u.h13, u.h13);
    if (layout.medium) line = layout.hint.y;
    layout.hintLabel = Row(u, w, line - u.h11, u.h11);

    const int bottom = layout.tall ? layout.hintLabel.y - 2 * u.uy : line - u.uy;
    layout.questionWidth = w - 2 * u.ux;
    layout.questionHeight = bottom - u.h11 - u.uy;
    return layout;
}

int AnswerHeightForFont(std::int32_t lfHeight, int h13) noexcept {
    // The usual font from the font dialog has a negative height (the character height). The
    // stored description is read unchecked, so the arithmetic must not overflow either.
    const long long height = lfHeight;
    const long long a =
        height < 0 ? 5 - (3 * height) / 2 : std::max<long long>(h13, 5 + (3 * height) / 2);
    return static_cast<int>(std::min<long long>(a, kMaxAnswerHeight));
}
