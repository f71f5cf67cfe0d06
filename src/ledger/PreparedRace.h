// A race read once and sorted once per odds set, for every strategy that plays it: what the
// windows would show of it after navigation, as numbers, and the plays of strategies on it.
// A strategy played here books exactly what PlayRace books through the windows' texts.
#pragma once

#include "calc/ShownBet.h"
#include "ledger/Backtest.h"
#include "ledger/Play.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace sg {

// One odds set of the race, rows sorted favourite first as navigation fills them.
struct PreparedOdds {
    int runners = 0;    // the runner count as the rows read it, 0 to 22
    int rows = 0;       // rows 1..rows show a horse with odds (at most the rows prepared)
    int usableRows = 0; // rows 1..usableRows store their odds once the offset is added
    int winnerRow = 0;  // the row that shows the winner, 0 when none does
    std::array<std::uint8_t, 10> horses{}; // rows 1..rows
    OddsColumns odds{};                    // what each row's odds box stores (rows 1..usableRows)
    // The sum over the runners with odds of 1 / (odds + 1), in %: the share of the pool the
    // odds promise back; empty without odds (or when not asked for).
    std::optional<double> bookPercent;
};

struct PreparedRace {
    std::int32_t race = 0;
    bool inFile = false;              // false: past the end of the file
    bool hasResult = false;           // a winner and a winner's payout above 0 are stored
    double payout = 0;                // the winner's, for 1 euro
    std::array<PreparedOdds, 2> sets; // by OddsSet
};

// The race with the rows 1..rowsWanted (at most 9) of the odds sets asked for; the values are
// read as odds when oddsOffset is 0, as payouts, stake included, when it is -1.
struct PreparedSets {
    bool pmh = true, pmu = true;
    bool book = true; // the book is summed only where a filter reads it
};
PreparedRace PrepareRace(RaceFieldsView race, std::int32_t number, int rowsWanted, int oddsOffset,
                         PreparedSets sets = {});
// A race past the end of the file.
PreparedRace RaceBeyondFile(std::int32_t number);

// Why the strategy's k favourites cannot be played on the race, before any stake: the reasons
// of PlayRace, in its order; SkipReason::None when they can.
SkipReason ReasonBeforeStakes(const PreparedRace& race, OddsSet set, int k);

// The play of a shown bet, once the stakes are computed: refused, or what it stakes and wins.
// Small enough to come back in registers (inline: a comparison settles millions of bets).
struct Settlement {
    SkipReason reason = SkipReason::None;
    std::int32_t staked = 0;
    std::int64_t won = 0;
};
inline Settlement SettleShownBet(const PreparedRace& race, const PreparedOdds& odds, int k,
                                 const ShownBet& bet) {
    // PlayRace sets StakeTotalWhole to the smallest 32-bit number to see whether it is written.
    bool unwritten = !bet.profit || !bet.totalWhole ||
                     *bet.totalWhole == std::numeric_limits<std::int32_t>::min();
    for (int i = 1; i <= k; ++i) unwritten = unwritten || !bet.stakes[i];
    if (unwritten) return {SkipReason::UnusableOdds};
    // "JOUER" refuses exactly when the profit text starts with a minus sign.
    if (AmountIsNegative(*bet.profit)) return {SkipReason::LosingBet};
    std::int64_t won = 0;
    if (odds.winnerRow >= 1 && odds.winnerRow <= k) {
        auto returned = ReturnOfStake(race.payout, *bet.stakes[odds.winnerRow]);
        if (!returned) return {SkipReason::BeyondLimits};
        won = *returned;
    }
    return {SkipReason::None, *bet.totalWhole, won};
}

// The row of a race: what it stakes and wins, and the horses played, favourite first.
inline BacktestRow RowOf(std::int32_t race, const Settlement& play, const PreparedOdds& odds,
                         int k) {
    BacktestRow row = SkippedRow(play.reason);
    row.race = race;
    if (play.reason != SkipReason::None) return row;
    row.staked = play.staked;
    row.won = play.won;
    row.horseCount = static_cast<std::uint8_t>(k);
    for (int i = 1; i <= k; ++i) row.horses[static_cast<std::size_t>(i - 1)] = odds.horses[i];
    return row;
}

// The whole play of one strategy on the race.
BacktestRow PlayPrepared(const PreparedRace& race, const BacktestStrategy& strategy);

} // namespace sg
