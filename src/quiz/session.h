#pragma once
// One run of questions over the pool: the queue in asking order, the judging of typed answers,
// the repetition of wrong ones and the counters behind the progress line and the score.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "data/word_pool.h"
#include "quiz/answer_judge.h"
#include "quiz/random_source.h"
#include "settings/app_settings.h"

// One queued question. The items hold no pool reference of their own: they only ever live in
// the queue of the session that owns the pool, and without it the queue of a million-entry
// pool takes 12 bytes an item instead of 24.
struct TestItem {
    uint32_t entryIndex = 0;  // the entry's position in the pool
    bool reversed = false;    // true: the second field is asked and the first expected
    int32_t wrongCount = 0;   // wrong answers given to this item; a copy starts with its count

    friend bool operator==(const TestItem&, const TestItem&) = default;
};

// The settings that fix the queue, as the settings record keeps them; a number outside the
// named ones is taken as Normal.
struct QueueOrder {
    int32_t testingDirection = TestingDirections::Normal;
    int32_t wordOrder = WordOrders::Normal;
};

struct Question {
    std::u16string_view question;
    std::u16string_view answer;
    std::u16string_view hint;
};

struct AnswerResult {
    bool correct = false;
    bool remaining = false;  // a question is left to ask
};

// 100 - wrongEntries * 100 / poolSize, truncated, for any sizes; 100 for an empty pool, where
// nothing can have been answered wrongly.
uint32_t ComputeScorePercent(uint32_t wrongEntries, uint32_t poolSize) noexcept;

class TestSession {
public:
    // Builds the queue. The session keeps the pool alive for as long as it lives, so a drop of
    // the cache's pool during a test cannot pull the texts from under it. An empty (or null)
    // pool gives a session that is finished from the start.
    TestSession(std::shared_ptr<const WordPool> pool, QueueOrder order, RandomSource random);

    // The item at current. Empty texts once the session is finished.
    Question CurrentQuestion() const;
    // Judges the typed text against the current item. A finished session takes no answers:
    // the result is wrong with nothing remaining, and nothing changes.
    AnswerResult SubmitAnswer(std::u16string_view typed, AnswerRules rules);

    const std::vector<TestItem>& Items() const noexcept { return items_; }
    uint32_t Current() const noexcept { return current_; }
    // For listing the queue (the browse tree): moves to any position, at most the end.
    void SetCurrent(uint32_t position) noexcept;
    uint32_t WrongEntries() const noexcept { return wrongEntries_; }

    bool Finished() const noexcept { return current_ >= items_.size(); }
    uint32_t QuestionNumber() const noexcept;
    uint32_t QuestionCount() const noexcept { return static_cast<uint32_t>(items_.size()); }
    uint32_t PoolSize() const noexcept { return poolSize_; }
    uint32_t ScorePercent() const noexcept;

private:
    uint32_t Draw() const;
    std::u16string_view QuestionText(const TestItem& item) const;
    void SortByQuestion();
    void Shuffle();

    std::shared_ptr<const WordPool> pool_;
    std::vector<TestItem> items_;
    uint32_t current_ = 0;
    uint32_t wrongEntries_ = 0;
    uint32_t poolSize_ = 0;
    RandomSource random_;
};
