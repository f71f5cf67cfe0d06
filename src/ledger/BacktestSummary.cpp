#include "ledger/BacktestSummary.h"

#include <algorithm>
#include <limits>

namespace sg {

namespace {

std::int64_t Saturated(__int128 value) {
    constexpr auto Low = std::numeric_limits<std::int64_t>::min();
    constexpr auto High = std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(std::clamp<__int128>(value, Low, High));
}

} // namespace

std::optional<double> BacktestSummary::ReturnPercent() const {
    if (staked == 0) return std::nullopt;
    return static_cast<double>(balance) / static_cast<double>(staked) * 100.0;
}

std::optional<double> BacktestSummary::WinningPercent() const {
    if (played == 0) return std::nullopt;
    return static_cast<double>(winning) / played * 100.0;
}

BacktestSummary Summarize(const std::vector<BacktestRow>& rows) {
    BacktestSummary summary;
    summary.races = static_cast<int>(rows.size());
    int losingRun = 0;
    __int128 running = 0, peak = 0, drawdown = 0;
    for (const BacktestRow& row : rows) {
        if (row.skipped != SkipReason::None) {
            ++summary.skipped[static_cast<std::size_t>(row.skipped)];
            continue;
        }
        ++summary.played;
        summary.staked += row.staked;
        summary.won += row.won;
        losingRun = row.won > 0 ? 0 : losingRun + 1;
        summary.longestLosingRun = std::max(summary.longestLosingRun, losingRun);
        if (row.won > 0) ++summary.winning;

        RaceBalance race{row.race, Saturated(static_cast<__int128>(row.won) - row.staked)};
        if (!summary.best || race.balance > summary.best->balance) summary.best = race;
        if (!summary.worst || race.balance < summary.worst->balance) summary.worst = race;
        running += static_cast<__int128>(row.won) - row.staked;
        peak = std::max(peak, running);
        drawdown = std::max(drawdown, peak - running);
    }
    summary.balance = summary.won - summary.staked;
    summary.drawdown = Saturated(drawdown);
    return summary;
}

std::vector<std::int64_t> RunningBalance(const std::vector<BacktestRow>& rows) {
    std::vector<std::int64_t> balances;
    balances.reserve(rows.size());
    __int128 running = 0;
    for (const BacktestRow& row : rows) {
        if (row.skipped == SkipReason::None) running += static_cast<__int128>(row.won) - row.staked;
        balances.push_back(Saturated(running));
    }
    return balances;
}

} // namespace sg
