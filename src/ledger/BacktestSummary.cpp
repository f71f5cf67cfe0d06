#include "ledger/BacktestSummary.h"

namespace sg {

std::optional<double> BacktestSummary::ReturnPercent() const {
    if (staked == 0) return std::nullopt;
    return static_cast<double>(balance) / static_cast<double>(staked) * 100.0;
}

std::optional<double> BacktestSummary::WinningPercent() const {
    if (played == 0) return std::nullopt;
    return static_cast<double>(winning) / played * 100.0;
}

BacktestSummary SummaryBuilder::Summary() const {
    BacktestSummary summary = summary_;
    summary.staked = ledger_.TotalStakes;
    summary.won = ledger_.TotalGains;
    summary.balance = summary.won - summary.staked;
    summary.drawdown = SaturatedInt64(drawdown_);
    return summary;
}

BacktestSummary Summarize(const std::vector<BacktestRow>& rows) {
    SummaryBuilder builder;
    for (const BacktestRow& row : rows) builder.Add(row);
    return builder.Summary();
}

std::vector<std::int64_t> RunningBalance(const std::vector<BacktestRow>& rows) {
    std::vector<std::int64_t> balances;
    balances.reserve(rows.size());
    __int128 running = 0;
    for (const BacktestRow& row : rows) {
        if (row.skipped == SkipReason::None) running += static_cast<__int128>(row.won) - row.staked;
        balances.push_back(SaturatedInt64(running));
    }
    return balances;
}

} // namespace sg
