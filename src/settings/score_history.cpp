#include "settings/score_history.h"

#include "settings/app_settings.h"

// The history is only ever replaced whole, so that the capacity is enforced in one place.
void RecordFinishedTest(AppSettings& settings, ScoreRecord percent) {
    ScoreList scores = settings.Scores();
    scores.push_back(percent);
    settings.SetScores(std::move(scores));
}

void ClearScores(AppSettings& settings) {
    settings.SetScores({});
}

ScoreRecord LatestScore(const AppSettings& settings) {
    const ScoreList scores = settings.Scores();
    return scores.empty() ? 0 : scores.back();
}

std::size_t ScoreCount(const AppSettings& settings) {
    return settings.Scores().size();
}
