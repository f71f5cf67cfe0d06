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
    // odds promise back; empty without odds.
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
};
PreparedRace PrepareRace(RaceFieldsView race, std::int32_t number, int rowsWanted, int oddsOffset,
                         PreparedSets sets = {});
// A race past the end of the file.
PreparedRace RaceBeyondFile(std::int32_t number);

// Why the strategy's k favourites cannot be played on the race, before any stake: the reasons
// of PlayRace, in its order; SkipReason::None when they can.
SkipReason ReasonBeforeStakes(const PreparedRace& race, OddsSet set, int k);

// The play of a shown bet, once the stakes are computed: refused, or what it stakes and wins
// (inline: a comparison settles millions of bets). The horses are added apart.
inline BacktestRow SettleShownBet(const PreparedRace& race, const PreparedOdds& odds, int k,
                                  const ShownBet& bet) {
    BacktestRow row;
    // PlayRace sets StakeTotalWhole to the smallest 32-bit number to see whether it is written.
    bool unwritten = !bet.profit || !bet.totalWhole ||
                     *bet.totalWhole == std::numeric_limits<std::int32_t>::min();
    for (int i = 1; i <= k; ++i) unwritten = unwritten || !bet.stakes[i];
    if (unwritten) return SkippedRow(SkipReason::UnusableOdds);
    // "JOUER" refuses exactly when the profit text starts with a minus sign.
    if (AmountIsNegative(*bet.profit)) return SkippedRow(SkipReason::LosingBet);
    if (odds.winnerRow >= 1 && odds.winnerRow <= k) {
        auto won = ReturnOfStake(race.payout, *bet.stakes[odds.winnerRow]);
        if (!won) return SkippedRow(SkipReason::BeyondLimits);
        row.won = *won;
    }
    row.staked = *bet.totalWhole;
    return row;
}

// The horses a row played, favourite first (a summary has no use for them).
inline void AddHorses(BacktestRow& row, const PreparedOdds& odds, int k) {
    if (row.skipped != SkipReason::None) return;
    row.horseCount = static_cast<std::uint8_t>(k);
    for (int i = 1; i <= k; ++i) row.horses[static_cast<std::size_t>(i - 1)] = odds.horses[i];
}

// The whole play of one strategy on the race.
BacktestRow PlayPrepared(const PreparedRace& race, const BacktestStrategy& strategy);

} // namespace sg
