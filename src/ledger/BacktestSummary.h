// What a back-test comes to: the totals, how the balance went from race to race, and the
// races that did best and worst.
#pragma once

#include "ledger/Backtest.h"
#include "ledger/LedgerState.h"
#include "ledger/Play.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
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

// A balance beyond 64 bits as the largest (or smallest) 64-bit amount.
inline std::int64_t SaturatedInt64(__int128 value) {
    constexpr auto Low = std::numeric_limits<std::int64_t>::min();
    constexpr auto High = std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(std::clamp<__int128>(value, Low, High));
}

// The summary built race after race, in race order, as successive plays are booked: a race
// played whose amounts would take the totals beyond 64 bits is counted as skipped for that
// reason. A balance beyond 64 bits, of one race or of a fall, is counted as the largest (or
// smallest) 64-bit amount.
class SummaryBuilder {
  public:
    // The reason the row is counted under: its own, or BeyondLimits when it cannot be booked.
    // (Inline: a comparison adds millions of rows.)
    SkipReason Add(const BacktestRow& row) {
        return Add(row.race, row.skipped, row.staked, row.won);
    }
    // The same from the row's figures.
    SkipReason Add(std::int32_t race, SkipReason skipped, std::int64_t staked, std::int64_t won) {
        SkipReason reason = skipped;
        if (reason == SkipReason::None && !BookPlay(ledger_, staked, won))
            reason = SkipReason::BeyondLimits;
        ++summary_.races;
        if (reason != SkipReason::None) {
            ++summary_.skipped[static_cast<std::size_t>(reason)];
            return reason;
        }
        ++summary_.played;
        losingRun_ = won > 0 ? 0 : losingRun_ + 1;
        summary_.longestLosingRun = std::max(summary_.longestLosingRun, losingRun_);
        if (won > 0) ++summary_.winning;
        __int128 balance = static_cast<__int128>(won) - staked;
        RaceBalance net{race, SaturatedInt64(balance)};
        if (!summary_.best || net.balance > summary_.best->balance) summary_.best = net;
        if (!summary_.worst || net.balance < summary_.worst->balance) summary_.worst = net;
        running_ += balance;
        // Plain comparisons: std::max on 128 bits goes through memory and stalls.
        if (running_ > peak_) peak_ = running_;
        if (peak_ - running_ > drawdown_) drawdown_ = peak_ - running_;
        return reason;
    }
    BacktestSummary Summary() const;

  private:
    BacktestSummary summary_;
    LedgerState ledger_;
    int losingRun_ = 0;
    __int128 running_ = 0, peak_ = 0, drawdown_ = 0;
};

// The summary of the rows of a back-test.
BacktestSummary Summarize(const std::vector<BacktestRow>& rows);

// The running balance after each row of the range: unchanged by a skipped race.
std::vector<std::int64_t> RunningBalance(const std::vector<BacktestRow>& rows);

} // namespace sg
