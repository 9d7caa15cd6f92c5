#include "quiz/session.h"

#include <algorithm>
#include <utility>

#include "data/ordinal.h"

namespace {

// The first eight code units of a text, packed into two numbers so that comparing them as a
// pair compares the texts' beginnings ordinally; a shorter text is padded with zeros. Where
// two keys differ, the texts differ in the same direction (a padding zero sorts first only
// where the text has ended, and a text that ends first is a prefix of the other); where they
// are equal, the texts decide from the ninth unit on.
constexpr size_t kPrefixUnits = 8;

uint64_t PackUnits(std::u16string_view text, size_t from) noexcept {
    uint64_t key = 0;
    for (size_t i = from; i < from + 4; ++i) {
        key = (key << 16) | (i < text.size() ? static_cast<uint64_t>(text[i]) : 0u);
    }
    return key;
}

}  // namespace

TestSession::TestSession(std::shared_ptr<const WordPool> pool, QueueOrder order,
                         RandomSource random)
    : pool_(std::move(pool)), random_(std::move(random)) {
    const size_t n = pool_ ? pool_->size() : 0;
    poolSize_ = static_cast<uint32_t>(n);
    if (n == 0) return;

    items_.resize(n);
    for (size_t i = 0; i < n; ++i) {
        TestItem& item = items_[i];
        item.entryIndex = static_cast<uint32_t>(i);
        if (order.testingDirection == TestingDirections::Reverse) {
            item.reversed = true;
        } else if (order.testingDirection == TestingDirections::Random) {
            item.reversed = Draw() % 2 == 0;
        }
    }

    if (order.wordOrder == WordOrders::Random) {
        Shuffle();
    } else if (order.wordOrder == WordOrders::Alphabetical) {
        SortByQuestion();
    }
}

uint32_t TestSession::Draw() const {
    return random_ ? static_cast<uint32_t>(random_()) : 0u;
}

std::u16string_view TestSession::QuestionText(const TestItem& item) const {
    const WordEntry& e = (*pool_)[item.entryIndex];
    return item.reversed ? e.second : e.first;
}

void TestSession::Shuffle() {
    // One draw reaches only 0..32767. For a range beyond that, draws are chained as digits of
    // base 32768 until the span covers it; all arithmetic wraps at 32 bits, so the span stops
    // growing at 2^32 - 1 after the third draw.
    const size_t n = items_.size();
    for (size_t k = 1; k < n; ++k) {
        const uint32_t m = static_cast<uint32_t>(k + 1);
        uint32_t r = Draw();
        uint32_t span = 32767;
        while (span < m && span != UINT32_MAX) {
            r = r * 32768u + Draw();
            span = span * 32768u + 32767u;
        }
        std::swap(items_[k], items_[r % m]);
    }
}

void TestSession::SortByQuestion() {
    // Sorting the items through the pool would chase two pointers per comparison across the
    // whole pool. Sorting compact records that carry the text and a numeric prefix of it keeps
    // most comparisons within the array.
    struct SortRecord {
        uint64_t high;
        uint64_t low;
        const char16_t* text;
        uint32_t size;
        uint32_t item;
    };
    std::vector<SortRecord> records(items_.size());
    for (size_t i = 0; i < items_.size(); ++i) {
        const std::u16string_view text = QuestionText(items_[i]);
        records[i] = {PackUnits(text, 0), PackUnits(text, 4), text.data(),
                      static_cast<uint32_t>(text.size()), static_cast<uint32_t>(i)};
    }
    std::sort(records.begin(), records.end(), [](const SortRecord& a, const SortRecord& b) {
        if (a.high != b.high) return a.high < b.high;
        if (a.low != b.low) return a.low < b.low;
        // Equal keys: the texts agree on their first eight units, or, where one is shorter,
        // differ only by zero units there, so what follows decides, and failing that the length.
        const auto rest = [](const SortRecord& r) {
            const std::u16string_view t(r.text, r.size);
            return t.substr(std::min<size_t>(kPrefixUnits, t.size()));
        };
        const int order = OrdinalCompare(rest(a), rest(b));
        return order != 0 ? order < 0 : a.size < b.size;
    });
    std::vector<TestItem> sorted(items_.size());
    for (size_t i = 0; i < records.size(); ++i) sorted[i] = items_[records[i].item];
    items_ = std::move(sorted);
}

Question TestSession::CurrentQuestion() const {
    if (Finished()) return {};
    const TestItem& item = items_[current_];
    const WordEntry& e = (*pool_)[item.entryIndex];
    if (item.reversed) return {e.second, e.first, e.hint};
    return {e.first, e.second, e.hint};
}

AnswerResult TestSession::SubmitAnswer(std::u16string_view typed, AnswerRules rules) {
    if (Finished()) return {false, false};

    if (JudgeAnswer(typed, CurrentQuestion().answer, rules)) {
        ++current_;
        return {true, !Finished()};
    }

    TestItem& item = items_[current_];
    if (++item.wrongCount == 1) ++wrongEntries_;
    const TestItem copy = item;  // taken before the insertion may move the array
    const size_t count = items_.size();
    if (rules.lazyRepeat) {
        items_.push_back(copy);
    } else {
        const size_t p = current_ + 1 + Draw() % (count - current_);
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(p), copy);
    }
    return {false, true};
}

void TestSession::SetCurrent(uint32_t position) noexcept {
    current_ = std::min<uint32_t>(position, QuestionCount());
}

uint32_t TestSession::QuestionNumber() const noexcept {
    return std::min<uint32_t>(current_ + 1, QuestionCount());
}

uint32_t TestSession::ScorePercent() const noexcept {
    return ComputeScorePercent(wrongEntries_, poolSize_);
}

uint32_t ComputeScorePercent(uint32_t wrongEntries, uint32_t poolSize) noexcept {
    if (poolSize == 0) return 100;
    // In 64 bits: wrongEntries * 100 leaves 32 bits from 42,949,673 wrong entries on. A count
    // above the pool size cannot arise, but must not wrap into a huge score either.
    const uint64_t lost = std::min<uint64_t>(uint64_t{wrongEntries} * 100u / poolSize, 100u);
    return static_cast<uint32_t>(100u - lost);
}
