#include "quiz/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/ordinal.h"

#ifdef _WIN32
#include <cstdlib>
#endif

namespace {

struct Texts {
    std::u16string first, second, hint;
};

std::shared_ptr<const WordPool> MakePool(const std::vector<Texts>& texts) {
    auto pool = std::make_shared<WordPool>();
    for (const Texts& t : texts) pool->Append(t.first, t.second, t.hint);
    return pool;
}

std::shared_ptr<const WordPool> NumberedPool(size_t n) {
    auto pool = std::make_shared<WordPool>();
    pool->Reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const std::u16string word(1, static_cast<char16_t>(u'a' + i % 26));
        pool->Append(word, word, u"");
    }
    return pool;
}

// Hands out the scripted draws in order and counts every call; a call past the script is
// recorded as overrun, so a test fails when more draws are taken than it foresaw.
struct ScriptedDraws {
    std::vector<int> draws;
    size_t taken = 0;
    bool overrun = false;

    RandomSource Source() {
        return [this] {
            if (taken >= draws.size()) {
                overrun = true;
                ++taken;
                return 0;
            }
            return draws[taken++];
        };
    }
};

std::vector<std::pair<uint32_t, bool>> Queue(const TestSession& s) {
    std::vector<std::pair<uint32_t, bool>> q;
    for (const TestItem& item : s.Items()) q.emplace_back(item.entryIndex, item.reversed);
    return q;
}

constexpr bool F = false;
constexpr bool T = true;

// Questions differ in case and between the two sides, so that a sort by the wrong side, by a
// case-folding comparison or without the direction shows in the queue.
const std::vector<Texts> kFour = {
    {u"pear", u"B", u""}, {u"Apple", u"c", u""}, {u"fig", u"A", u""}, {u"apple", u"d", u""}};

TEST(TestSessionQueue, FollowsTheDrawsForEveryDirectionAndOrder) {
    struct Row {
        int32_t direction, order;
        std::vector<int> draws;  // all of them must be taken, no more
        std::vector<std::pair<uint32_t, bool>> queue;
        const char* why;
    };
    const Row rows[] = {
        // Shuffle: k = 1, 2, 3 swap with 5 % 2, 7 % 3 and 2 % 4.
        {0, 0, {5, 7, 2}, {{0, F}, {2, F}, {3, F}, {1, F}}, "normal, random: n - 1 draws"},
        {1, 0, {5, 7, 2}, {{0, T}, {2, T}, {3, T}, {1, T}}, "reverse, random"},
        // The four direction draws come first, in pool order; even means reversed.
        {2,
         0,
         {4, 3, 8, 1, 5, 7, 2},
         {{0, T}, {2, T}, {3, F}, {1, F}},
         "random, random: 2n - 1 draws, directions first"},
        {0, 1, {}, {{1, F}, {3, F}, {2, F}, {0, F}}, "alphabetical by first, capitals first"},
        {1, 1, {}, {{2, T}, {0, T}, {1, T}, {3, T}}, "alphabetical by second when reversed"},
        {2,
         1,
         {1, 2, 3, 4},
         {{1, T}, {3, T}, {2, F}, {0, F}},
         "alphabetical by each item's own question"},
        {0, 2, {}, {{0, F}, {1, F}, {2, F}, {3, F}}, "normal order: pool order"},
        {1, 2, {}, {{0, T}, {1, T}, {2, T}, {3, T}}, "reverse, pool order"},
        {2, 2, {0, 1, 1, 0}, {{0, T}, {1, F}, {2, F}, {3, T}}, "random direction, pool order"},
        {5, 9, {}, {{0, F}, {1, F}, {2, F}, {3, F}}, "unknown values act as Normal"},
    };
    for (const Row& r : rows) {
        ScriptedDraws draws{r.draws};
        TestSession s(MakePool(kFour), {r.direction, r.order}, draws.Source());
        EXPECT_EQ(Queue(s), r.queue) << r.why;
        EXPECT_EQ(draws.taken, r.draws.size()) << r.why;
        EXPECT_EQ(s.Current(), 0u) << r.why;
        EXPECT_EQ(s.WrongEntries(), 0u) << r.why;
    }
}

TEST(TestSessionQueue, OneEntryTakesOnlyItsDirectionDraw) {
    ScriptedDraws draws{{6}};
    TestSession s(MakePool({{u"a", u"b", u""}}), {2, 0}, draws.Source());
    EXPECT_EQ(Queue(s), (std::vector<std::pair<uint32_t, bool>>{{0, T}}));
    EXPECT_EQ(draws.taken, 1u);
}

TEST(TestSessionQueue, AlphabeticalOrderIsOrdinalBeyondTheFirstUnits) {
    // Texts that share their first units, are prefixes of each other, hold units above the
    // basic Latin range or zero units (which a word file never yields, but the pool may hold):
    // the order must be the plain ordinal one throughout.
    using namespace std::string_literals;
    // clang-format off
    const std::vector<std::u16string> words = {
        u"abcdefghX", u"abcdefgh", u"abcdefghA", u"abc", u"ab\u00e9", u"Zebra", u"\uffff",
        u"\xd800x", u"abcdefgh\xffff", u"abcdefgg\xffff", u"a", u"abcdefghX", u"abc\0"s,
        u"abc\0\0\0\0\0"s, u"abc\0\0\0\0\0\0"s, u"abc\0\0\0\0\0y"s, u"abcd", u"abcdA"};
    // clang-format on
    std::vector<Texts> texts;
    for (const std::u16string& w : words) texts.push_back({w, u"x", u""});
    TestSession s(MakePool(texts), {0, 1}, nullptr);

    std::vector<std::u16string> got;
    for (const TestItem& item : s.Items()) got.push_back(words[item.entryIndex]);
    std::vector<std::u16string> want = words;
    std::sort(want.begin(), want.end(), OrdinalLess{});
    EXPECT_EQ(got, want);
}

TEST(TestSessionQueue, LargePoolChainsDrawsForTheHighPositions) {
    // With m = k + 1 above 32767 one draw cannot reach every position: each such k takes a
    // second draw, r = first * 32768 + second. Positions k = 32767, 32768, 32769 do so here.
    const size_t n = 32770;
    ScriptedDraws draws;
    draws.draws.assign(32766 + 6, 0);
    draws.draws[32766 + 4] = 1;  // k = 32769: r = 1 * 32768 + 5, which is 3 modulo 32770
    draws.draws[32766 + 5] = 5;
    TestSession s(NumberedPool(n), {0, 0}, draws.Source());

    EXPECT_EQ(draws.taken, 32772u);
    EXPECT_FALSE(draws.overrun);
    // Every k before the last swapped with position 0, rotating the queue by one; the last
    // swapped with 3 (a single draw would have given 1 % 32770 = 1).
    ASSERT_EQ(s.Items().size(), n);
    EXPECT_EQ(s.Items()[0].entryIndex, 32768u);
    EXPECT_EQ(s.Items()[1].entryIndex, 0u);
    EXPECT_EQ(s.Items()[3].entryIndex, 32769u);
    EXPECT_EQ(s.Items()[32768].entryIndex, 32767u);
    EXPECT_EQ(s.Items()[32769].entryIndex, 2u);
}

TEST(TestSessionQueue, KeepsThePoolAliveAfterTheCacheLetsGo) {
    auto pool = MakePool({{u"dog", u"pes", u"animal"}});
    std::weak_ptr<const WordPool> watch = pool;
    TestSession s(std::move(pool), {}, nullptr);
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(s.CurrentQuestion().hint, u"animal");
}

TEST(TestSessionQuestion, AsksTheSideGivenByTheDirection) {
    const auto pool = MakePool({{u"dog", u"pes", u"animal"}});
    const Question normal = TestSession(pool, {0, 2}, nullptr).CurrentQuestion();
    EXPECT_EQ(normal.question, u"dog");
    EXPECT_EQ(normal.answer, u"pes");
    EXPECT_EQ(normal.hint, u"animal");
    const Question reversed = TestSession(pool, {1, 2}, nullptr).CurrentQuestion();
    EXPECT_EQ(reversed.question, u"pes");
    EXPECT_EQ(reversed.answer, u"dog");
    EXPECT_EQ(reversed.hint, u"animal");
}

TEST(TestSessionAnswer, JudgesCaseAndSpacesAsConfigured) {
    struct Row {
        std::u16string typed;
        bool caseSensitive;
        bool correct;
        std::u16string answer = u"Z\u00fcrich";
    };
    const Row rows[] = {
        // clang-format off
        {u"Z\u00fcrich", F, T},  {u"z\u00fcrich", F, T}, {u"Z\u00dcRICH", F, T},
        {u"Z\u00fcrich", T, T},  {u"z\u00fcrich", T, F}, {u"Z\u00dcRICH", T, F},
        {u"Z\u00fcrich ", F, F}, {u" Z\u00fcrich", F, F}, {u"Zurich", F, F},
        {u"Z\u00fcric", F, F},   {u"", F, F},
        {u"\u00e0 la carte", F, T, u"\u00c0 la carte"},
        {u"\u00e0 la carte", T, F, u"\u00c0 la carte"},
        // Canonically equivalent texts, either side decomposed: e acute, Vietnamese stacked
        // marks, Korean jamo, Greek oxia against tonos.
        {u"cafe\u0301", T, T, u"caf\u00e9"}, {u"Vi\u1ec7t", T, T, u"Vi\u00ea\u0323t"},
        {u"\ud55c", T, T, u"\u1112\u1161\u11ab"}, {u"\u03ac", T, T, u"\u1f71"},
        {u"cafe", F, F, u"cafe\u0301"},
        // Every case mapping: the final sigma, and one-way capitals some case tables lack.
        {u"\u039c\u0391\u03a3", F, T, u"\u03bc\u03b1\u03c2"},
        {u"\u039c\u0391\u03a3", T, F, u"\u03bc\u03b1\u03c2"},
        {u"STRA\u1e9eE", F, T, u"stra\u00dfe"}, {u"\u0130zmir", F, T, u"izmir"},
        {u"\u01c5ep \u01c8 \u01cb \u01f2", F, T, u"\u01c6ep \u01c9 \u01cc \u01f3"},
        // Invisible marks are ignored and no-break spaces read as spaces; joiners count.
        {u"caf\u00e9", T, T, u"\ufeff\u200e\u202acaf\u200b\u00e9\u202c\u200f"},
        {u"ab cd", T, T, u"\u202b\u202d\u2066a\u2060b\u00a0c\u2069\u2067\u2068d\u202e\u2069"},
        {u"a b c", T, T, u"a\u2007b\u202fc"},
        {u"\u0915\u0937", T, F, u"\u0915\u200d\u0937"}, {u"ab", T, F, u"a\u200cb"},
        {u"cafe", T, F, u"caf\u200be\u0301"},
        // clang-format on
    };
    for (const Row& r : rows) {
        TestSession s(MakePool({{u"city", r.answer, u""}}), {}, [] { return 0; });
        const AnswerResult got = s.SubmitAnswer(r.typed, {r.caseSensitive, F});
        EXPECT_EQ(got.correct, r.correct)
            << std::string(r.typed.begin(), r.typed.end()) << " case " << r.caseSensitive;
        // The folds serve the comparison only: what is shown stays the stored text.
        EXPECT_EQ(s.CurrentQuestion().answer, r.correct ? u"" : r.answer);
    }
}

TEST(TestSessionAnswer, WrongAnswerInsertsACopyAtTheDrawnPlace) {
    struct Row {
        uint32_t answeredBefore;  // correct answers that move current forward first
        int draw;
        uint32_t at;  // current + 1 + draw % (count - current)
    };
    const Row rows[] = {
        {0, 0, 1}, {0, 4, 5}, {0, 5, 1}, {1, 6, 4}, {1, 3, 5}, {4, 12345, 5},
    };
    for (const Row& r : rows) {
        ScriptedDraws draws{{r.draw}};
        TestSession s(NumberedPool(5), {0, 2}, draws.Source());
        for (uint32_t i = 0; i < r.answeredBefore; ++i) {
            s.SubmitAnswer(s.CurrentQuestion().answer, {});
        }
        const AnswerResult got = s.SubmitAnswer(u"?", {F, F});
        EXPECT_FALSE(got.correct);
        EXPECT_TRUE(got.remaining);
        EXPECT_EQ(draws.taken, 1u);
        ASSERT_EQ(s.QuestionCount(), 6u);
        EXPECT_EQ(s.Current(), r.answeredBefore) << "the same item is asked again at once";
        const TestItem copy{r.answeredBefore, F, 1};
        EXPECT_EQ(s.Items()[r.at], copy) << "row at " << r.at << " draw " << r.draw;
        EXPECT_EQ(s.Items()[r.answeredBefore], copy);
    }
}

TEST(TestSessionAnswer, LazyRepeatAppendsWithoutADraw) {
    ScriptedDraws draws;
    TestSession s(NumberedPool(3), {0, 2}, draws.Source());
    s.SubmitAnswer(u"?", {F, T});
    s.SubmitAnswer(s.CurrentQuestion().answer, {F, T});
    s.SubmitAnswer(u"?", {F, T});
    EXPECT_EQ(draws.taken, 0u);
    EXPECT_EQ(Queue(s),
              (std::vector<std::pair<uint32_t, bool>>{{0, F}, {1, F}, {2, F}, {0, F}, {1, F}}));
}

TEST(TestSessionAnswer, SameItemWrongTwiceQueuesTwoCopiesButOneWrongEntry) {
    ScriptedDraws draws{{0, 0, 0}};
    TestSession s(NumberedPool(2), {0, 2}, draws.Source());
    s.SubmitAnswer(u"?", {});
    s.SubmitAnswer(u"?", {});
    // Both copies went right behind the current item, the newer one first.
    EXPECT_EQ(s.Items()[0].wrongCount, 2);
    EXPECT_EQ(s.Items()[1], (TestItem{0, F, 2}));
    EXPECT_EQ(s.Items()[2], (TestItem{0, F, 1}));
    EXPECT_EQ(s.QuestionCount(), 4u);
    EXPECT_EQ(s.WrongEntries(), 1u);

    // A wrong answer to a copy adds another copy but no wrong entry.
    s.SubmitAnswer(s.CurrentQuestion().answer, {});
    s.SubmitAnswer(u"?", {});
    EXPECT_EQ(s.QuestionCount(), 5u);
    EXPECT_EQ(s.Items()[1].wrongCount, 3);
    EXPECT_EQ(s.WrongEntries(), 1u);
    EXPECT_EQ(s.ScorePercent(), 50u);
}

TEST(TestSessionAnswer, EndsOnlyWithTheCorrectAnswerToTheLastQueuedItem) {
    ScriptedDraws draws{{7}};
    TestSession s(NumberedPool(2), {0, 2}, draws.Source());
    EXPECT_EQ(s.SubmitAnswer(s.CurrentQuestion().answer, {}).remaining, true);
    // The last item answered wrongly: the copy lands right after it (7 % 1 = 0).
    EXPECT_EQ(s.SubmitAnswer(u"?", {}).remaining, true);
    EXPECT_EQ(Queue(s), (std::vector<std::pair<uint32_t, bool>>{{0, F}, {1, F}, {1, F}}));
    EXPECT_EQ(s.QuestionNumber(), 2u);
    AnswerResult got = s.SubmitAnswer(s.CurrentQuestion().answer, {});
    EXPECT_TRUE(got.correct);
    EXPECT_TRUE(got.remaining);
    EXPECT_FALSE(s.Finished());
    got = s.SubmitAnswer(s.CurrentQuestion().answer, {});
    EXPECT_TRUE(got.correct);
    EXPECT_FALSE(got.remaining);
    EXPECT_TRUE(s.Finished());
    EXPECT_EQ(s.QuestionNumber(), 3u) << "at most the question count";

    // A finished session takes nothing more.
    got = s.SubmitAnswer(u"?", {});
    EXPECT_FALSE(got.correct);
    EXPECT_FALSE(got.remaining);
    EXPECT_EQ(s.QuestionCount(), 3u);
    EXPECT_EQ(draws.taken, 1u);
}

TEST(TestSessionScore, WholeTestsGiveTheTruncatedPercent) {
    struct Row {
        size_t pool;
        uint32_t wrong;  // the first this many entries are answered wrongly once
        uint32_t score;
    };
    const Row rows[] = {{3, 1, 67}, {3, 2, 34}, {3, 3, 0}, {7, 1, 86}, {1, 0, 100}};
    for (const Row& r : rows) {
        TestSession s(NumberedPool(r.pool), {0, 2}, nullptr);
        uint32_t submissions = 0;
        AnswerResult got{F, T};
        while (got.remaining) {
            const bool answerWrongly = s.Items()[s.Current()].wrongCount == 0 &&
                                       s.Items()[s.Current()].entryIndex < r.wrong;
            got = s.SubmitAnswer(answerWrongly ? u"?" : s.CurrentQuestion().answer, {F, T});
            ++submissions;
        }
        EXPECT_EQ(s.ScorePercent(), r.score) << r.pool << " " << r.wrong;
        EXPECT_EQ(s.QuestionCount(), r.pool + r.wrong);
        // Each wrong answer is retyped at once, then its copy is asked at the end.
        EXPECT_EQ(submissions, r.pool + 2 * r.wrong);
    }
}

TEST(TestSessionScore, DoesNotOverflowForHugePools) {
    EXPECT_EQ(ComputeScorePercent(50'000'000, 100'000'000), 50u);
    EXPECT_EQ(ComputeScorePercent(4'000'000'000u, 4'000'000'000u), 0u);
    EXPECT_EQ(ComputeScorePercent(1, 4'000'000'000u), 100u);
    EXPECT_EQ(ComputeScorePercent(0, 0), 100u);
}

TEST(TestSessionEmpty, IsFinishedFromTheStartAndTakesNoDraws) {
    for (std::shared_ptr<const WordPool> pool : {MakePool({}), std::shared_ptr<const WordPool>()}) {
        ScriptedDraws draws;
        TestSession s(pool, {2, 0}, draws.Source());
        EXPECT_TRUE(s.Finished());
        EXPECT_EQ(s.QuestionCount(), 0u);
        EXPECT_EQ(s.QuestionNumber(), 0u);
        EXPECT_EQ(s.PoolSize(), 0u);
        EXPECT_EQ(s.ScorePercent(), 100u);
        EXPECT_EQ(s.CurrentQuestion().question, u"");
        const AnswerResult got = s.SubmitAnswer(u"", {});
        EXPECT_FALSE(got.correct);
        EXPECT_FALSE(got.remaining);
        EXPECT_EQ(draws.taken, 0u);
    }
}

#ifdef _WIN32
TEST(RuntimeRandomSource, IsTheSeededWindowsGenerator) {
    std::srand(1);
    const RandomSource draw = RuntimeRandomSource();
    EXPECT_EQ(draw(), 41);
    EXPECT_EQ(draw(), 18467);
    EXPECT_EQ(draw(), 6334);
}
#endif

}  // namespace
