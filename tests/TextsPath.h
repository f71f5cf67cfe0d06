// The back-test the windows' way, which the comparison's rows played from numbers must match:
// each race through its texts (PlayRace), booked in race order; and the grid the windows offer.
#pragma once

#include "ledger/Play.h"
#include "ledger/StrategyComparison.h"

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
