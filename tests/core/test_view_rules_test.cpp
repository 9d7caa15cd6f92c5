// The test view's rules that need no window: the flash of the answer field tick by tick, and
// the layout at its three heights.

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "quiz/answer_flash.h"
#include "quiz/layout.h"

namespace {

struct FlashRun {
    std::vector<std::uint32_t> colors;  // the colour shown after each tick
    std::vector<std::uint32_t> doneAt;  // ticks that end the flash
};

FlashRun RunFlash(FlashMode mode, std::uint32_t ticks) {
    FlashRun run;
    std::uint32_t color = 99;  // whatever the field showed before
    for (std::uint32_t t = 0; t < ticks; ++t) {
        const FlashStep step = FlashTick(mode, t);
        if (step.recolor) color = step.colorIndex;
        if (step.done) run.doneAt.push_back(t);
        run.colors.push_back(color);
    }
    return run;
}

TEST(AnswerFlash, EachModeShowsItsColoursAndEndsOnce) {
    struct Row {
        FlashMode mode;
        std::vector<std::uint32_t> colors;
        std::vector<std::uint32_t> doneAt;
    };
    const Row rows[] = {
        // One green tick, then normal, and the next question at once.
        {FlashMode::Correct, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {1}},
        // Red for two ticks, then the yellow that stays for the retyping.
        {FlashMode::Wrong, {2, 2, 3, 3, 3, 3, 3, 3, 3, 3}, {2}},
        // Green, normal, green, normal over 600 ms before the graph.
        {FlashMode::Finished, {1, 1, 0, 1, 1, 1, 0, 0, 0, 0}, {6}},
        {FlashMode::Idle, std::vector<std::uint32_t>(10, 99), {}},
    };
    for (const Row& row : rows) {
        const FlashRun run = RunFlash(row.mode, 10);
        EXPECT_EQ(run.colors, row.colors) << "mode " << static_cast<int>(row.mode);
        EXPECT_EQ(run.doneAt, row.doneAt) << "mode " << static_cast<int>(row.mode);
    }
}

TEST(AnswerFlash, AModeLeftSetDoesNothingLongAfter) {
    // The tick counter wraps after years of ticks; a stale mode must still stay quiet.
    for (FlashMode mode : {FlashMode::Correct, FlashMode::Wrong, FlashMode::Finished}) {
        for (std::uint32_t elapsed : {7u, 1000u, UINT32_MAX}) {
            const FlashStep step = FlashTick(mode, elapsed);
            EXPECT_FALSE(step.recolor || step.done) << elapsed;
        }
    }
}

// Horizontal and vertical units differ, so that a mix-up shows.
constexpr TestLayoutUnits kUnits{/*ux*/ 3,
                                 /*uy*/ 2,
                                 /*buttonHeight*/ 26,
                                 /*h11*/ 18,
                                 /*h13*/ 21,
                                 /*mediumLimit*/ 124,
                                 /*tallLimit*/ 197};

TEST(TestLayout, TallStacksEveryControlFromTheBottomUp) {
    const int w = 400, h = 300, a = 21;
    const TestLayout l = LayoutTestView(w, h, kUnits, a);
    ASSERT_TRUE(l.tall && l.medium);
    EXPECT_EQ(l.back, (LayoutBox{3, 300 - 2 - 26, 394, 26}));
    EXPECT_EQ(l.progress, (LayoutBox{3, l.back.y - 2 - 12, 394, 12})) << "2 x 18 / 3";
    EXPECT_EQ(l.status, (LayoutBox{3, l.progress.y - 2 - 18, 394, 18}));
    EXPECT_EQ(l.answer, (LayoutBox{3, l.status.y - 6 - a, 394, a}));
    EXPECT_EQ(l.answerLabel, (LayoutBox{3, l.answer.y - 18, 394, 18}));
    EXPECT_EQ(l.hint, (LayoutBox{3, l.answerLabel.y - 6 - 21, 394, 21}));
    EXPECT_EQ(l.hintLabel, (LayoutBox{3, l.hint.y - 18, 394, 18}));
    EXPECT_EQ(l.questionWidth, 394);
    EXPECT_EQ(l.questionHeight, (l.hintLabel.y - 4) - 18 - 2);
}

TEST(TestLayout, ShortAndMediumViewsCloseTheGapsOfHiddenControls) {
    const TestLayout shortView = LayoutTestView(400, 100, kUnits, 21);
    ASSERT_FALSE(shortView.medium);
    EXPECT_EQ(shortView.progress.y, 100 - 2 - 12) << "no button under the bar";
    EXPECT_EQ(shortView.answer.y, shortView.progress.y - 2 - 21);
    EXPECT_EQ(shortView.questionHeight, (shortView.answer.y - 2) - 18 - 2);

    const TestLayout medium = LayoutTestView(400, 150, kUnits, 21);
    ASSERT_TRUE(medium.medium);
    ASSERT_FALSE(medium.tall);
    EXPECT_EQ(medium.answer.y, medium.progress.y - 2 - 21) << "no status line";
    EXPECT_EQ(medium.hint.y, medium.answerLabel.y - 6 - 21);
    EXPECT_EQ(medium.questionHeight, (medium.hint.y - 2) - 18 - 2) << "no hint label";
}

TEST(TestLayout, ThresholdsAreExclusive) {
    struct Row {
        int height;
        bool medium, tall;
    };
    const Row rows[] = {
        {124, false, false}, {125, true, false}, {197, true, false}, {198, true, true}};
    for (const Row& row : rows) {
        const TestLayout l = LayoutTestView(400, row.height, kUnits, 21);
        EXPECT_EQ(l.medium, row.medium) << row.height;
        EXPECT_EQ(l.tall, row.tall) << row.height;
    }
}

TEST(TestLayout, CustomFontAnswerHeight) {
    struct Row {
        std::int32_t lfHeight;
        int expected;
    };
    const Row rows[] = {
        {-24, 41},        {-16, 29},        {-15, 27},  // -45 / 2 truncates toward zero
        {-1, 6},          {0, 21},   // the font's default size: never lower than a plain field
        {10, 21},         {40, 65},  // a cell height, taken like a character height
        {INT_MIN, 32767}, {INT_MAX, 32767},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(AnswerHeightForFont(row.lfHeight, 21), row.expected) << row.lfHeight;
    }
}

}  // namespace
