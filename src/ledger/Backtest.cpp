#include "ledger/Backtest.h"

#include "ledger/Play.h"
#include "ledger/StrategyComparison.h"
#include "numbers/OddsText.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceLoading.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace sg {

namespace {

constexpr int Columns = 9;

// Values the computation always writes when it succeeds: one left as it was means the window
// would go on with what the former race left on screen.
constexpr std::int32_t UnwrittenTotal = std::numeric_limits<std::int32_t>::min();

} // namespace

BacktestRow PlayRace(RaceFieldsView race, const BacktestStrategy& strategy) {
    const int k = std::clamp(strategy.horses, 1, Columns);

    // Navigation empties every row, then fills the rows of the runners, favourite first.
    std::array<float, RunnerRows + 1> storedOdds{};
    RunnerRowsFill fill = SortRunners(race, strategy.odds, storedOdds, k);
    if (fill.runners == 0) return SkippedRow(SkipReason::NoRunnerCount);
    std::array<std::string, Columns + 1> odds, numbers;
    for (int i = 1; i <= k; ++i) {
        numbers[i] = i <= fill.filledRows ? fill.numbers[i] : "?";
        if (i <= fill.filledRows) odds[i] = fill.odds[i];
    }
    if (PlayedOddsMissing(k, odds, "")) return SkippedRow(SkipReason::TooFewOdds);

    ArrivalNumbers arrival = ParseArrival(race);
    double payout = WinnerPayout(race);
    if (arrival[1] == 0 || !(payout > 0)) return SkippedRow(SkipReason::NoResult);

    // Each odds text written into a row is stored as its change handler stores it.
    CalculatorState calc;
    calc.TargetProfit = strategy.targetProfit;
    calc.PlayedHorseCount = static_cast<std::int16_t>(k);
    for (int i = 1; i <= k; ++i) {
        OddsBoxChange change = OddsTextChanged(odds[i], strategy.oddsOffset);
        if (change.rewrite || !change.odds) return SkippedRow(SkipReason::UnusableOdds);
        calc.OddsTable[i] = *change.odds;
    }
    calc.ComputedProfit = std::numeric_limits<float>::quiet_NaN();
    calc.StakeTotalWhole = UnwrittenTotal;
    StakeTexts texts;
    // The decimal separator changes how amounts are written, not what is played.
    ComputeStakes(calc, k, strategy.rounding, '.', texts);
    bool unwritten = std::isnan(calc.ComputedProfit) || calc.StakeTotalWhole == UnwrittenTotal;
    for (int i = 1; i <= k; ++i) unwritten = unwritten || texts.Label2[i].empty();
    if (unwritten) return SkippedRow(SkipReason::UnusableOdds);

    BetOnScreen bet{std::move(texts.Label4), calc.StakeTotalWhole, k, std::move(numbers),
                    std::move(texts.Label2)};
    PlaySettlement settlement = SettlePlay(bet, arrival, payout);
    if (settlement.kind == PlayOutcome::Kind::LosingBet) return SkippedRow(SkipReason::LosingBet);
    if (settlement.kind != PlayOutcome::Kind::Played) return SkippedRow(SkipReason::BeyondLimits);

    BacktestRow row;
    row.staked = settlement.staked;
    row.won = settlement.won;
    row.horseCount = static_cast<std::uint8_t>(k);
    for (int i = 1; i <= k; ++i) row.horses[i - 1] = static_cast<std::uint8_t>(fill.horses[i]);
    return row;
}

std::optional<std::vector<BacktestRow>> RunBacktest(const RaceSource& races,
                                                    const BacktestStrategy& strategy,
                                                    RaceRange range, int threads,
                                                    BacktestProgress* progress) {
    ComparisonRequest request;
    request.strategies = {strategy};
    request.range = range;
    std::vector<std::vector<BacktestRow>> rows;
    if (!CompareStrategies(races, nullptr, request, threads, progress, &rows)) return std::nullopt;
    return std::move(rows.front());
}

} // namespace sg
