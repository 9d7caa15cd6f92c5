#pragma once
// The score history: the percent scores of finished tests, oldest first. It lives in the
// settings record; these operations are the only ways the views change it.
#include <cstddef>
#include <cstdint>
#include <vector>

class AppSettings;

using ScoreRecord = std::uint32_t;
using ScoreList = std::vector<ScoreRecord>;

inline constexpr std::size_t MaxScoreRecords = 10;

// Appends the score of a test that ran to its end; the oldest records beyond the capacity go.
void RecordFinishedTest(AppSettings& settings, ScoreRecord percent);
void ClearScores(AppSettings& settings);
// The newest score, 0 when the history is empty.
ScoreRecord LatestScore(const AppSettings& settings);
std::size_t ScoreCount(const AppSettings& settings);
