#include "settings/score_history.h"
#include "settings/app_settings.h"
#include "settings/memory_registry_store.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

ScoreList Range(ScoreRecord first, std::size_t count) {
    ScoreList list(count);
    std::iota(list.begin(), list.end(), first);
    return list;
}

TEST(ScoreHistory, KeepsTheNewestTenOldestFirst) {
    AppSettings s(AppSettings::Seams{});
    s.SetScores(Range(1, 10));
    RecordFinishedTest(s, 99);
    ScoreList expected = Range(2, 9);
    expected.push_back(99);
    EXPECT_EQ(s.Scores(), expected);
    EXPECT_EQ(LatestScore(s), 99u);
    EXPECT_EQ(ScoreCount(s), 10u);
}

TEST(ScoreHistory, SetScoresTrimsLongListsFromTheOldEnd) {
    AppSettings s(AppSettings::Seams{});
    s.SetScores(Range(1, 25));
    EXPECT_EQ(s.Scores(), Range(16, 10));
    s.SetScores(Range(1, 3));
    EXPECT_EQ(s.Scores(), Range(1, 3));
}

TEST(ScoreHistory, FifteenStoredRecordsShowWholeUntilTheNextTest) {
    auto contents = std::make_shared<MemoryRegistryStore::Contents>();
    contents->values[u"ScoreList"] = {RegistryType::Binary, EncodeScoreList(Range(1, 15))};
    AppSettings s(
        AppSettings::Seams{std::make_unique<MemoryRegistryStore>(contents), nullptr, u""});
    EXPECT_EQ(ScoreCount(s), 15u);
    EXPECT_EQ(LatestScore(s), 15u);

    RecordFinishedTest(s, 42);
    ScoreList expected = Range(7, 9);  // the newest 9 of the 15
    expected.push_back(42);
    EXPECT_EQ(s.Scores(), expected);
}

TEST(ScoreHistory, ClearEmptiesAndIsStoredAsAZeroLengthValue) {
    auto contents = std::make_shared<MemoryRegistryStore::Contents>();
    AppSettings s(
        AppSettings::Seams{std::make_unique<MemoryRegistryStore>(contents), nullptr, u""});
    RecordFinishedTest(s, 70);
    ClearScores(s);
    EXPECT_EQ(ScoreCount(s), 0u);
    EXPECT_EQ(LatestScore(s), 0u);
    s.Save();
    EXPECT_TRUE(contents->values.at(u"ScoreList").bytes.empty());
    AppSettings again(
        AppSettings::Seams{std::make_unique<MemoryRegistryStore>(contents), nullptr, u""});
    EXPECT_TRUE(again.Scores().empty());
}

}  // namespace
