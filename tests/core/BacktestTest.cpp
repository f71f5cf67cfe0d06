// The back-test on small hand-made race files: why races are skipped, what a race played
// stakes and wins in each rounding mode, files cut short or empty, bytes of any kind, and the
// summary of a run.
#include "ledger/Backtest.h"
#include "app/BacktestTexts.h"
#include "ledger/BacktestSummary.h"
#include "numbers/Numbers.h"

#include "RaceBytes.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <tuple>

namespace sg {
namespace {

// A race: its runner count, the PMH odds of horses 1, 2, ..., the winner and its payout.
RaceRecord Race(const std::string& runners, const std::vector<std::string>& odds,
                const std::string& winner = "2", const std::string& payout = "5.5",
                RaceField field = RaceField::OddsPMH) {
    return MadeRace(runners, odds, winner, payout, field);
}

// The example of the compute button: odds 14, 9/2, 15 and 39, a profit of 4. The favourite,
// horse 2 at 9/2, wins and pays 5.5.
RaceRecord Example(const std::string& winner = "2", const std::string& payout = "5.5") {
    return Race("4", {"14", "9/2", "15", "39"}, winner, payout);
}

BacktestStrategy Strategy(int horses, float profit, RoundingMode mode = RoundingMode::Decimals,
                          int offset = 0) {
    BacktestStrategy strategy;
    strategy.horses = horses;
    strategy.targetProfit = profit;
    strategy.rounding = mode;
    strategy.oddsOffset = offset;
    return strategy;
}

std::vector<BacktestRow> RowsOf(const std::vector<std::uint8_t>& bytes, const BacktestStrategy& s,
                                RaceRange range, int threads = 1) {
    auto rows = RunBacktest(RaceSource(bytes), s, range, threads);
    return rows ? *rows : std::vector<BacktestRow>{};
}

TEST(Backtest, PlaysEachRaceAsJouerAndSaysWhyOthersAreSkipped) {
    struct Case {
        const char* name;
        RaceRecord race;
        BacktestStrategy strategy;
        SkipReason reason;
        std::int32_t staked = 0;
        std::int64_t won = 0;
        std::vector<int> horses = {};
    } cases[] = {
        // 55.64 + 20.40 + 19.13 + 7.65 = 102.82, booked 103; 5.5 x 55.64 = 306.02 won.
        {"decimals", Example(), Strategy(4, 4), SkipReason::None, 103, 306, {2, 1, 3, 4}},
        // 55 + 20 + 19 + 7 = 101; 5.5 x 55 = 302.5, rounded to the even 302.
        {"whole units", Example(), Strategy(4, 4, RoundingMode::WholeUnits), SkipReason::None, 101,
         302},
        {"up to ten", Example(), Strategy(4, 4, RoundingMode::UpToTen), SkipReason::None, 110, 330},
        // 14.91 + 5.47 = 20.38, booked 20; horse 4 wins, unplayed.
        {"a losing favourite", Example("4"), Strategy(2, 4), SkipReason::None, 20, 0},
        // Values read as payouts, stake included: the same race once each is lowered by 1.
        {"payouts", Race("4", {"15", "5.5", "16", "40"}),
         Strategy(4, 4, RoundingMode::Decimals, -1), SkipReason::None, 103, 306},
        // 23.33 on horse 2 and 17.50 on horse 1, 41 booked; 5.5 x 23.33 = 128.3 won.
        {"23 runners and more count 22", Race("30", {"3", "2"}), Strategy(2, 10), SkipReason::None,
         41, 128},
        {"no runner count", Race("", {"3", "2"}), Strategy(1, 10), SkipReason::NoRunnerCount},
        {"negative runner count", Race("-5", {"3", "2"}), Strategy(1, 10),
         SkipReason::NoRunnerCount},
        {"k above the runners", Example(), Strategy(5, 4), SkipReason::TooFewOdds},
        {"runners without odds", Race("6", {"3", "", "4"}), Strategy(3, 10),
         SkipReason::TooFewOdds},
        {"no winner", Example(""), Strategy(1, 4), SkipReason::NoResult},
        {"no payout", Example("2", ""), Strategy(1, 4), SkipReason::NoResult},
        // Loading the race turns "5,5" into 5.5 for "JOUER": the pass reads it so too.
        {"payout with a comma", Example("2", "5,5"), Strategy(4, 4), SkipReason::None, 103, 306},
        {"payout abc", Example("2", "abc"), Strategy(1, 4), SkipReason::NoResult},
        {"payout 1e400", Example("2", "1e400"), Strategy(1, 4), SkipReason::NoResult},
        {"payout -5", Example("2", "-5"), Strategy(1, 4), SkipReason::NoResult},
        {"negative profit", Race("3", {"1", "1", "1"}, "1"), Strategy(3, 10),
         SkipReason::LosingBet},
        // A payout factor of 0 makes every weight a division by zero: no stake is computed.
        {"odds of -1", Race("2", {"-1", "3"}, "1"), Strategy(1, 10), SkipReason::UnusableOdds},
        {"a return beyond 64 bits", Example("2", "1e300"), Strategy(1, 4),
         SkipReason::BeyondLimits},
    };
    for (const Case& c : cases) {
        BacktestRow row = PlayRace(c.race, c.strategy);
        EXPECT_EQ(std::tuple(row.skipped, row.staked, row.won),
                  std::tuple(c.reason, c.staked, c.won))
            << c.name;
        std::vector<int> horses(row.horses.begin(), row.horses.begin() + row.horseCount);
        EXPECT_TRUE(c.horses.empty() || horses == c.horses) << c.name;
    }
}

TEST(Backtest, ReadsTheChosenOddsSetAndCountsOnlyWhatTheFileHolds) {
    RaceRecord onPmu = Race("4", {"14", "9/2", "15", "39"}, "2", "5.5", RaceField::OddsPMU);
    BacktestStrategy pmu = Strategy(4, 4);
    pmu.odds = OddsSet::PMU;
    EXPECT_EQ(PlayRace(onPmu, pmu).staked, 103);
    EXPECT_EQ(PlayRace(onPmu, Strategy(4, 4)).skipped, SkipReason::TooFewOdds);

    // Two races and a half: a file of 2.5 records counts 2, and the race cut short reads as
    // its bytes then zeros; beyond, races lie past the end of the file.
    auto bytes = FileOf({Example(), Example("4"), Example()});
    bytes.resize(2 * RaceRecordSize + RaceRecordSize / 2);
    RaceSource races(bytes);
    EXPECT_EQ(races.RaceCount(), 2);
    auto rows = RowsOf(bytes, Strategy(1, 4), {1, 5});
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0].skipped, SkipReason::None);
    EXPECT_EQ(rows[2].skipped, SkipReason::TooFewOdds); // its odds lie past the cut
    EXPECT_EQ(rows[3].skipped, SkipReason::BeyondFile);
    EXPECT_EQ(rows[4].race, 5);

    // Cut within the PMH odds of horse 4: horses 1 to 3 keep theirs, and the file counts 3.
    bytes = FileOf({Example(), Example(), Example()});
    bytes.resize(2 * RaceRecordSize + 10843 + 19);
    EXPECT_EQ(RaceSource(bytes).RaceCount(), 3);
    rows = RowsOf(bytes, Strategy(3, 4), {1, 3});
    EXPECT_EQ(rows[2].skipped, SkipReason::None);
    EXPECT_EQ(rows[2].staked, PlayRace(Example(), Strategy(3, 4)).staked);
    EXPECT_EQ(RowsOf(bytes, Strategy(4, 4), {3, 3})[0].skipped, SkipReason::TooFewOdds);

    // An empty file: no race, and a summary of nothing.
    std::vector<std::uint8_t> empty;
    EXPECT_EQ(RaceSource(empty).RaceCount(), 0);
    EXPECT_TRUE(RowsOf(empty, Strategy(4, 10), {1, 0}).empty());
    BacktestSummary none = Summarize({});
    EXPECT_FALSE(none.ReturnPercent());
    EXPECT_FALSE(none.best);
}

// The threads share the range in parts; whatever their number, no race is lost or played
// twice, on bytes of any kind and a range that no number of parts divides evenly and that runs
// past the file's end.
TEST(Backtest, EveryThreadCountGivesTheRowsOfOneThreadOnBytesOfAnyKind) {
    std::mt19937 random(2024);
    std::vector<RaceRecord> races(700);
    for (std::size_t i = 0; i < races.size(); ++i) {
        races[i] = i % 3 ? Example(std::to_string(i % 4 + 1), std::to_string(i % 13 + 2))
                         : Example("", "");
        if (i % 2) continue;
        for (RaceField field : {RaceField::RunnerCount, RaceField::Payouts, RaceField::ArrivalOrder,
                                RaceField::OddsPMH}) {
            auto layout = LayoutOf(field);
            // Mostly digits, points, slashes and blanks, where numbers come out; any byte too.
            const std::string alphabet = "0123456789./ e-";
            for (int b = 0; b < layout.width; ++b) {
                auto pick = random() % 20;
                races[i].Raw()[layout.offset + b] = pick < alphabet.size()
                                                        ? static_cast<std::uint8_t>(alphabet[pick])
                                                        : static_cast<std::uint8_t>(random());
            }
        }
    }
    auto bytes = FileOf(races);
    const RaceRange range{3, 733}; // 731 races, 17 x 43
    auto row = [](const BacktestRow& r) { return std::tuple(r.race, r.skipped, r.staked, r.won); };
    for (auto strategy : {Strategy(2, 10), Strategy(3, 100, RoundingMode::UpToTen, -1)}) {
        auto alone = RowsOf(bytes, strategy, range, 1);
        ASSERT_EQ(alone.size(), 731u);
        for (int threads = 2; threads <= 6; ++threads) {
            BacktestProgress progress;
            auto shared = RunBacktest(RaceSource(bytes), strategy, range, threads, &progress);
            ASSERT_TRUE(shared);
            ASSERT_EQ(shared->size(), alone.size()) << threads << " threads";
            for (std::size_t i = 0; i < alone.size(); ++i)
                ASSERT_EQ(row((*shared)[i]), row(alone[i])) << threads << " threads, row " << i;
            EXPECT_EQ(progress.racesDone.load(), 731) << threads << " threads";
        }
        EXPECT_EQ(std::tuple(alone.front().race, alone.back().race, alone.back().skipped),
                  std::tuple(3, 733, SkipReason::BeyondFile));
    }
}

TEST(Backtest, KeepsTheTotalsWithin64BitsAndStopsWhenAsked) {
    // Each race alone fits, the second would carry the gains past 64 bits.
    auto bytes = FileOf({Example("2", "5e13"), Example("2", "5e13"), Example()});
    auto rows = RowsOf(bytes, Strategy(1, 100000), {1, 3});
    EXPECT_EQ(rows[0].skipped, SkipReason::None);
    EXPECT_EQ(rows[1].skipped, SkipReason::BeyondLimits);
    EXPECT_EQ(rows[2].skipped, SkipReason::None);
    BacktestSummary summary = Summarize(rows);
    EXPECT_EQ(summary.won, rows[0].won + rows[2].won);

    BacktestProgress progress;
    EXPECT_EQ(RunBacktest(RaceSource(bytes), Strategy(1, 4), {1, 3}, 1, &progress)->size(), 3u);
    EXPECT_EQ(progress.racesDone.load(), 3);
    progress.cancel = true;
    EXPECT_FALSE(RunBacktest(RaceSource(bytes), Strategy(1, 4), {1, 3}, 1, &progress));
}

BacktestRow Played(int race, std::int32_t staked, std::int64_t won) {
    BacktestRow row;
    row.race = race;
    row.staked = staked;
    row.won = won;
    return row;
}

std::map<std::string, std::string> Shown(const std::vector<BacktestRow>& rows) {
    std::map<std::string, std::string> shown;
    for (const SummaryLine& line : SummaryLines(Summarize(rows), ','))
        shown[line.label] = line.value;
    return shown;
}

TEST(BacktestSummary, CountsTheRunsTheFallAndTheBestAndWorstRaces) {
    BacktestRow skipped{3, SkipReason::NoResult};
    std::vector<BacktestRow> rows = {Played(1, 100, 250), Played(2, 100, 0), skipped,
                                     Played(4, 100, 0),   Played(5, 50, 0),  Played(6, 100, 120)};
    BacktestSummary summary = Summarize(rows);
    EXPECT_EQ(std::tuple(summary.races, summary.played, summary.staked, summary.won),
              std::tuple(6, 5, 450, 370));
    EXPECT_EQ(summary.skipped[static_cast<int>(SkipReason::NoResult)], 1);
    EXPECT_EQ(summary.winning, 2);
    EXPECT_EQ(summary.longestLosingRun, 3); // races 2, 4 and 5: a skipped race does not count
    EXPECT_EQ(summary.drawdown, 250);       // from +150 after race 1 to -100 after race 5
    EXPECT_EQ(RunningBalance(rows), (std::vector<std::int64_t>{150, 50, 50, -50, -100, -80}));

    auto shown = Shown(rows);
    EXPECT_EQ(shown["Bilan"], "-80,00");
    EXPECT_EQ(shown["Rendement (bilan / mises)"], "-17,78 %");
    EXPECT_EQ(shown["Courses gagnées"], "40,00 % (2)");
    EXPECT_EQ(shown["   dont arrivée ou rapport absent"], "1");
    EXPECT_EQ(shown.count("   dont cotes inutilisables"), 0u);

    rows[0].horseCount = 3;
    rows[0].horses = {7, 1, 4};
    std::string csv = BacktestCsv(rows, '.');
    EXPECT_EQ(
        csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1),
        "Course;Chevaux joués;Mise;Gain;Bilan cumulé;Motif\n1;7 - 1 - 4;100.00;250.00;150.00;\n");
    EXPECT_NE(csv.find("\n3;;0.00;0.00;50.00;arrivée ou rapport absent\n"), std::string::npos);
    EXPECT_NE(BacktestCsv(rows, ',').find("\n4;;100,00;0,00;-50,00;\n"), std::string::npos);
}

// What the summary names as the best and the worst race: the first of equals, as the user
// reading the races in order meets it.
TEST(BacktestSummary, TheBestAndWorstRacesAreTheFirstOfTheirEquals) {
    struct Case {
        std::vector<BacktestRow> rows;
        const char *best, *worst;
    } cases[] = {
        {{Played(1, 100, 150), Played(2, 100, 180), Played(3, 100, 180)},
         "n° 2 (+80,00)",
         "n° 1 (+50,00)"},
        {{Played(4, 100, 0), Played(5, 100, 120), Played(6, 100, 0)},
         "n° 5 (+20,00)",
         "n° 4 (-100,00)"},
        {{Played(8, 100, 100), Played(9, 100, 100)}, "n° 8 (0,00)", "n° 8 (0,00)"},
        {{}, "-", "-"},
    };
    for (const Case& c : cases) {
        auto shown = Shown(c.rows);
        EXPECT_EQ(shown["Meilleure course"], c.best) << c.best;
        EXPECT_EQ(shown["Pire course"], c.worst) << c.best;
    }
}

TEST(BacktestTexts, ReadsATargetProfitAsTypedAndTheRoundingModesByName) {
    EXPECT_EQ(BacktestProfitFrom("10"), 10.0f);
    EXPECT_EQ(BacktestProfitFrom(" 12,5 "), 12.5f);
    EXPECT_EQ(BacktestProfitFrom("100000"), 100000.0f);
    for (const char* refused : {"", "0", "-5", "abc", "12x", "100000.5", "nan", "1e400"})
        EXPECT_FALSE(BacktestProfitFrom(refused)) << refused;
    // A profit found by the search comes back exactly from its shortest writing.
    for (float found : {10.3456f, 0.1f, 7.000001f, 99999.99f})
        EXPECT_EQ(BacktestProfitFrom(ShortestText(found)), found);
    EXPECT_EQ(RoundingModeNamed("dizaine"), RoundingMode::UpToTen);
    EXPECT_FALSE(RoundingModeNamed("Dizaine"));
}

} // namespace
} // namespace sg
