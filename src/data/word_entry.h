#pragma once
// The entries of a word file, and of the pool gathered from several files, live in one
// append-only WordEntries that owns all their text. A WordEntry is three views into that
// store. A million entries cost about 48 MB of records plus the text itself, instead of three
// heap strings each; the views stay valid for as long as the owning WordEntries lives, also
// when it is moved, because the text blocks never move.
#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

// One accepted line of a word file. All three fields are trimmed; first and second are never
// empty, hint may be.
struct WordEntry {
    std::u16string_view first;
    std::u16string_view second;
    std::u16string_view hint;

    friend bool operator==(const WordEntry& a, const WordEntry& b) noexcept {
        return a.first == b.first && a.second == b.second && a.hint == b.hint;
    }
};

class WordEntries {
public:
    WordEntries() = default;
    // The entries' views stay valid: they point into blocks that move along. The moved-from
    // sequence is left empty, with no claim on the blocks it gave away.
    WordEntries(WordEntries&& other) noexcept { *this = std::move(other); }
    WordEntries& operator=(WordEntries&& other) noexcept {
        if (this != &other) {
            blocks_ = std::move(other.blocks_);
            entries_ = std::move(other.entries_);
            free_ = std::exchange(other.free_, nullptr);
            freeSize_ = std::exchange(other.freeSize_, 0);
            other.blocks_.clear();
            other.entries_.clear();
        }
        return *this;
    }
    WordEntries(const WordEntries&) = delete;
    WordEntries& operator=(const WordEntries&) = delete;

    // Copies the three texts into the store and appends the entry that views them.
    void Append(std::u16string_view first, std::u16string_view second, std::u16string_view hint);
    void Reserve(size_t entries) { entries_.reserve(entries); }

    size_t size() const noexcept { return entries_.size(); }
    bool empty() const noexcept { return entries_.empty(); }
    const WordEntry& operator[](size_t i) const noexcept { return entries_[i]; }
    auto begin() const noexcept { return entries_.cbegin(); }
    auto end() const noexcept { return entries_.cend(); }

private:
    std::u16string_view Store(std::u16string_view text);

    std::vector<std::unique_ptr<char16_t[]>> blocks_;
    char16_t* free_ = nullptr;  // the unused tail of the newest block
    size_t freeSize_ = 0;
    std::vector<WordEntry> entries_;
};
