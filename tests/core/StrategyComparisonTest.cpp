// The comparison of strategies: every race of a random file books, for every strategy of a
// grid, exactly what the windows' texts book (PlayRace, then the balance in race order); the
// two parts are the back-tests of their races and the ranking reads the first part alone; the
// filters keep races by the strategy's own odds set and the index beside the file.
#include "ledger/StrategyComparison.h"

#include "RaceBytes.h"
#include "TextsPath.h"

#include <gtest/gtest.h>

#include <random>

namespace sg {
namespace {

// Odds and results as a file may hold them: plain, fractions, numbers at the edges of single
// precision and of the sort's marks, texts that read 0 or nothing.
std::vector<RaceRecord> RandomRaces(int count, unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&random](std::initializer_list<const char*> texts) {
        return std::string(texts.begin()[random() % texts.size()]);
    };
    auto odds = [&]() -> std::string {
        switch (random() % 8) {
        case 0:
            return pick({"",           "0",    "-0",   "abc",   "0/0",    "5/0",
                         "5/-2",       "-3",   "998",  "999",   "997.99", "1e-7",
                         "1e8",        "3e38", "1e39", "1e400", "10/3",   "1.23456789",
                         "12345678.9", "4,5",  "4 5",  "-1",    "-0.5",   "2147483648/2"});
        case 1:
            return std::to_string(random() % 30) + "/" + std::to_string(random() % 9);
        case 2:
            return std::to_string(random() % 200);
        default:
            return std::to_string(1 + random() % 60) + "." + std::to_string(random() % 1000);
        }
    };
    std::vector<RaceRecord> races(static_cast<std::size_t>(count));
    for (RaceRecord& race : races) {
        race.SetField(RaceField::RunnerCount, random() % 10 == 0
                                                  ? pick({"", "0", "-3", "30", "x", "1e400", "6.5"})
                                                  : std::to_string(1 + random() % 22));
        for (RaceField field : {RaceField::OddsPMH, RaceField::OddsPMU})
            for (int horse = 1; horse <= OddsHorseCount; ++horse)
                race.SetSlot(*OddsSlot(field, horse), odds());
        race.SetSlot(*ArrivalSlot(1), random() % 10 == 0 ? pick({"", "0", "7.5", "x", "-2"})
                                                         : std::to_string(1 + random() % 22));
        race.SetSlot(*PayoutSlot(0), random() % 10 == 0
                                         ? pick({"", "0", "-5", "x", "1e300", "1e18", "3.7e17"})
                                         : std::to_string(1 + random() % 99) + ".5");
    }
    return races;
}

TEST(StrategyComparison, EveryRaceOfRandomFilesBooksWhatTheWindowsTextsBook) {
    auto bytes = FileOf(RandomRaces(700, 11));
    RaceSource races(bytes);
    // Two threads, then one: each books what the texts book.
    for (int offset : {0, -1})
        ExpectTheTextsRows(
            races, {FullGrid({0.01f, 10, 12.5f, 100000}, offset).Strategies(), {1, 702}, {}, 70},
            offset == 0 ? 2 : 1);

    // Values read as odds and as payouts in one request: each as in a request of its own.
    BacktestStrategy asOdds{3, 10, RoundingMode::Decimals, OddsSet::PMU, 0};
    BacktestStrategy asPayouts = asOdds;
    asPayouts.oddsOffset = -1;
    ComparisonRequest mixed{{asPayouts, asOdds, asPayouts}, {1, 700}, {}, 70};
    auto together = CompareStrategies(races, nullptr, mixed, 2);
    for (std::size_t s = 0; s < 3; ++s) {
        ComparisonRequest alone{{mixed.strategies[s]}, {1, 700}, {}, 70};
        EXPECT_EQ(together->results[s].summary.balance,
                  CompareStrategies(races, nullptr, alone)->results[0].summary.balance);
    }
    EXPECT_NE(together->results[0].summary.balance, together->results[1].summary.balance);
}

// Threads meet at the end of every block of races, again and again: none may wait forever,
// and however many share the work, the figures are those of one thread.
TEST(StrategyComparison, ThreadsMeetAtEveryBlockAndBookWhatOneThreadBooks) {
    auto bytes = FileOf(RandomRaces(3500, 5));
    RaceSource races(bytes);
    ComparisonRequest request{
        {{4, 10, RoundingMode::Decimals, OddsSet::PMH, 0}}, {1, 3500}, {}, 100};
    auto alone = CompareStrategies(races, nullptr, request, 1);
    ASSERT_TRUE(alone);
    for (int threads : {2, 3, 8}) {
        for (int round = 0; round < 20; ++round) {
            auto shared = CompareStrategies(races, nullptr, request, threads);
            ASSERT_TRUE(shared);
            EXPECT_EQ(shared->results[0].summary.balance, alone->results[0].summary.balance)
                << threads << " threads";
        }
    }
}

// A race of n runners with odds 2, 3, 4...; `winner` wins and pays its odds plus the stake.
RaceRecord Race(int runners, int winner, const std::string& favourite = "2") {
    RaceRecord race;
    race.SetField(RaceField::RunnerCount, std::to_string(runners));
    for (int horse = 1; horse <= runners; ++horse) {
        std::string odds = horse == 1 ? favourite : std::to_string(horse + 1);
        race.SetSlot(*OddsSlot(RaceField::OddsPMH, horse), odds);
        race.SetSlot(*OddsSlot(RaceField::OddsPMU, horse), std::to_string(horse + 2));
    }
    race.SetSlot(*ArrivalSlot(1), std::to_string(winner));
    race.SetSlot(*PayoutSlot(0), std::to_string(winner == 1 ? 3 : winner + 2));
    return race;
}

TEST(StrategyComparison, PartsAreTheBacktestsOfTheirRacesAndTheRankingReadsTheFirstOnly) {
    // The favourite wins the first seven races, the third horse the last three: one horse does
    // best on the learning part and worst on the control part.
    std::vector<RaceRecord> list;
    for (int race = 1; race <= 10; ++race) list.push_back(Race(8, race <= 7 ? 1 : 3));
    auto bytes = FileOf(list);
    RaceSource races(bytes);
    StrategyGrid grid;
    grid.horses = {1, 3, 5};
    ComparisonRequest request{grid.Strategies(), {1, 10}, {}, 70};
    auto comparison = CompareStrategies(races, nullptr, request);
    ASSERT_TRUE(comparison);
    EXPECT_EQ(comparison->learningLast, 7);
    for (const StrategyResult& result : comparison->results) {
        auto part = [&](RaceRange range) {
            return Summarize(*RunBacktest(races, result.strategy, range)).ReturnPercent();
        };
        EXPECT_EQ(result.learning.ReturnPercent(), part({1, 7}));
        EXPECT_EQ(result.control.ReturnPercent(), part({8, 10}));
        EXPECT_EQ(result.summary.balance,
                  Summarize(*RunBacktest(races, result.strategy, {1, 10})).balance);
    }
    std::vector<std::size_t> order = RankedOrder(*comparison);
    EXPECT_EQ(comparison->results[order.front()].strategy.horses, 1);
    EXPECT_LT(*comparison->results[order.front()].control.ReturnPercent(), 0);
    // Five horses always lose: never played, they come last.
    auto learned = [&](std::size_t i) {
        return comparison->results[order[i]].learning.ReturnPercent().value_or(-1e9);
    };
    EXPECT_EQ(comparison->results[order.back()].summary.played, 0);
    for (std::size_t i = 1; i < order.size(); ++i) EXPECT_GE(learned(i - 1), learned(i));

    struct Split {
        RaceRange range;
        double percent;
        int learningLast;
    } splits[] = {{{1, 10}, 70, 7},
                  {{1, 10}, 1, 0},
                  {{5, 14}, 99, 13},
                  {{3, 3}, 70, 2},
                  {{1, 32767}, 70, 22936}};
    for (const Split& split : splits)
        EXPECT_EQ(LearningLastRace(split.range, split.percent), split.learningLast)
            << split.range.first << "-" << split.range.last << " " << split.percent;

    BacktestProgress progress;
    progress.cancel = true;
    EXPECT_FALSE(CompareStrategies(races, nullptr, request, 2, &progress));
}

TEST(RaceFilters, KeepRacesByTheirOwnOddsSetAndTheirIndexLine) {
    // Race n has n + 3 runners; its PMH favourite is at odds 1.5 (race 1) or 2, its PMU favourite
    // at 3. Races 1 and 2 were imported: at Vincennes on 01/02/2026, at Enghien on 03/02/2026.
    std::vector<RaceRecord> list = {Race(4, 1, "1.5"), Race(5, 1), Race(6, 1), Race(7, 1)};
    auto bytes = FileOf(list);
    RaceSource races(bytes);
    RaceIndex index = ParseRaceIndex("1;01/02/2026;1;1;VINCENNES;PRIX A;ATTELE;13:50;national;;f1\n"
                                     "2;03/02/2026;2;3;Enghien;PRIX B;PLAT;;national;;f2\n");
    ASSERT_EQ(index.entries.size(), 2u);
    RaceFilters runners, favourite, book, dates, hippodrome, discipline, both;
    runners.runners = Bounds<int>{5, 6};
    favourite.favouriteOdds = Bounds<double>{1.4, 1.6};
    // Runners at odds 2..n+1 of PMH: a book above 100 % grows with the runners.
    book.bookPercent = Bounds<double>{0, 105};
    dates.dates = Bounds<int>{20260202, 20260301};
    hippodrome.hippodromes = {"vincennes ", "ENGHIEN"};
    discipline.disciplines = {"attele"};
    both.runners = Bounds<int>{5, 9};
    both.hippodromes = {"Vincennes"};
    struct Case {
        const char* name;
        RaceFilters filters;
        OddsSet set;
        std::vector<int> kept;
    } cases[] = {
        {"no filter", {}, OddsSet::PMH, {1, 2, 3, 4}},
        {"runners 5 to 6", runners, OddsSet::PMH, {2, 3}},
        {"favourite at 1.5 on PMH", favourite, OddsSet::PMH, {1}},
        {"favourite at 1.5 on PMU", favourite, OddsSet::PMU, {}},
        {"book up to 105 %", book, OddsSet::PMH, {1}},
        {"dates", dates, OddsSet::PMH, {2}},
        {"hippodromes named as typed", hippodrome, OddsSet::PMU, {1, 2}},
        {"discipline", discipline, OddsSet::PMH, {1}},
        {"every filter must keep it", both, OddsSet::PMH, {}},
    };
    for (const Case& c : cases) {
        BacktestStrategy strategy;
        strategy.horses = 1;
        strategy.odds = c.set;
        ComparisonRequest request{{strategy}, {1, 4}, c.filters, 70};
        std::vector<std::vector<BacktestRow>> rows;
        auto comparison = CompareStrategies(races, &index, request, 1, nullptr, &rows);
        ASSERT_TRUE(comparison) << c.name;
        std::vector<int> kept;
        for (const BacktestRow& row : rows.front()) kept.push_back(row.race);
        EXPECT_EQ(kept, c.kept) << c.name;
        EXPECT_EQ(comparison->results.front().summary.races, static_cast<int>(c.kept.size()))
            << c.name;
    }
    // Without the index, a filter on it keeps nothing.
    ComparisonRequest request{{BacktestStrategy{}}, {1, 4}, discipline, 70};
    EXPECT_EQ(CompareStrategies(races, nullptr, request)->results.front().summary.races, 0);
}

} // namespace
} // namespace sg
