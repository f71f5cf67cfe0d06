// The back-test the windows' way, which the comparison's rows played from numbers must match:
// each race through its texts (PlayRace), booked in race order; the check that they do; and the
// grid the windows offer.
#pragma once

#include "app/BacktestTexts.h"
#include "ledger/Play.h"
#include "ledger/StrategyComparison.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace sg {

inline std::vector<BacktestRow>
RowsThroughTheTexts(const RaceSource& races, const BacktestStrategy& strategy, RaceRange range) {
    LedgerState ledger;
    PartialRace partial;
    std::vector<BacktestRow> rows;
    for (int race = range.first; race <= range.last; ++race) {
        BacktestRow row{0, SkipReason::BeyondFile};
        if (races.Holds(race)) row = PlayRace(races.Race(race, partial), strategy);
        if (row.skipped == SkipReason::None && !BookPlay(ledger, row.staked, row.won))
            row = BacktestRow{0, SkipReason::BeyondLimits};
        row.race = race;
        rows.push_back(row);
    }
    return rows;
}

// Every row the comparison plays from numbers, for every strategy of the request, is the row
// through the texts, and each summary theirs: the two have no difference they may keep.
inline void ExpectTheTextsRows(const RaceSource& races, const ComparisonRequest& request,
                               int threads = 2) {
    std::vector<std::vector<BacktestRow>> rows;
    auto comparison = CompareStrategies(races, nullptr, request, threads, nullptr, &rows);
    ASSERT_TRUE(comparison);
    ASSERT_EQ(rows.size(), request.strategies.size());
    auto figures = [](const BacktestRow& r) {
        return std::tuple(r.race, r.skipped, r.staked, r.won, r.horses);
    };
    int differences = 0;
    for (std::size_t s = 0; s < rows.size(); ++s) {
        const BacktestStrategy& strategy = request.strategies[s];
        auto texts = RowsThroughTheTexts(races, strategy, request.range);
        ASSERT_EQ(rows[s].size(), texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (figures(rows[s][i]) != figures(texts[i]) && ++differences <= 10)
                ADD_FAILURE() << "race " << texts[i].race << ", " << StrategyText(strategy, '.')
                              << ", offset " << strategy.oddsOffset << ": texts " << texts[i].staked
                              << "/" << texts[i].won << ", numbers " << rows[s][i].staked << "/"
                              << rows[s][i].won;
        }
        BacktestSummary expected = Summarize(texts);
        const BacktestSummary& shown = comparison->results[s].summary;
        EXPECT_EQ(std::tuple(shown.played, shown.balance, shown.drawdown),
                  std::tuple(expected.played, expected.balance, expected.drawdown));
    }
    EXPECT_EQ(differences, 0);
}

// Every horse count, rounding and odds set, with the profits given.
inline StrategyGrid FullGrid(std::vector<float> profits = {5, 10, 20, 50}, int offset = 0) {
    StrategyGrid grid;
    grid.horses = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    grid.targetProfits = std::move(profits);
    grid.roundings = {RoundingMode::Decimals, RoundingMode::WholeUnits, RoundingMode::UpToTen};
    grid.oddsSets = {OddsSet::PMH, OddsSet::PMU};
    grid.oddsOffset = offset;
    return grid;
}

} // namespace sg
