// What a back-test comes to: the totals, how the balance went from race to race, and the
// races that did best and worst.
#pragma once

#include "ledger/Backtest.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace sg {

struct RaceBalance {
    std::int32_t race = 0;
    std::int64_t balance = 0; // won minus staked
};

struct BacktestSummary {
    int races = 0;                              // in the range
    int played = 0;                             // the others were skipped
    std::array<int, SkipReasonCount> skipped{}; // by reason (SkipReason::None unused)
    std::int64_t staked = 0;
    std::int64_t won = 0;
    std::int64_t balance = 0;
    int winning = 0;           // races played whose winner was among the horses played
    int longestLosingRun = 0;  // played races in a row that returned nothing
    std::int64_t drawdown = 0; // the largest fall of the running balance from a high point
    std::optional<RaceBalance> best, worst; // the first race of the highest and lowest balance

    // The balance in % of the stakes, and the share of races won in % of those played; empty
    // while nothing was staked or played.
    std::optional<double> ReturnPercent() const;
    std::optional<double> WinningPercent() const;
};

// The rows of RunBacktest, whose totals it has kept within 64 bits. A balance beyond them, of
// one race or of a fall, is counted as the largest (or smallest) 64-bit amount.
BacktestSummary Summarize(const std::vector<BacktestRow>& rows);

// The running balance after each row of the range: unchanged by a skipped race.
std::vector<std::int64_t> RunningBalance(const std::vector<BacktestRow>& rows);

} // namespace sg
