#include "ledger/Backtest.h"

#include "ledger/Play.h"
#include "numbers/OddsText.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceLoading.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <system_error>
#include <thread>
#include <utility>

namespace sg {

namespace {

constexpr int Columns = 9;

// Races between two looks at the progress and the request to stop.
constexpr int ProgressStep = 256;

BacktestRow Skipped(SkipReason reason) {
    BacktestRow row;
    row.skipped = reason;
    return row;
}

// Values the computation always writes when it succeeds: one left as it was means the window
// would go on with what the former race left on screen.
constexpr std::int32_t UnwrittenTotal = std::numeric_limits<std::int32_t>::min();

void PlayPart(const RaceSource& races, const BacktestStrategy& strategy, int first, int last,
              BacktestRow* rows, BacktestProgress* progress) {
    PartialRace partial;
    for (int race = first; race <= last; ++race) {
        if (progress && (race - first) % ProgressStep == 0 && race != first) {
            progress->racesDone.fetch_add(ProgressStep, std::memory_order_relaxed);
            if (progress->cancel.load(std::memory_order_relaxed)) return;
        }
        races.Prefetch(race + 2, OddsFieldOf(strategy.odds));
        BacktestRow& row = rows[race - first];
        row = races.Holds(race) ? PlayRace(races.Race(race, partial), strategy)
                                : Skipped(SkipReason::BeyondFile);
        row.race = race;
    }
    if (progress && last >= first)
        progress->racesDone.fetch_add((last - first) % ProgressStep + 1, std::memory_order_relaxed);
}

} // namespace

BacktestRow PlayRace(RaceFieldsView race, const BacktestStrategy& strategy) {
    const int k = std::clamp(strategy.horses, 1, Columns);

    // Navigation empties every row, then fills the rows of the runners, favourite first.
    std::array<float, RunnerRows + 1> storedOdds{};
    RunnerRowsFill fill = SortRunners(race, strategy.odds, storedOdds, k);
    if (fill.runners == 0) return Skipped(SkipReason::NoRunnerCount);
    std::array<std::string, Columns + 1> odds, numbers;
    for (int i = 1; i <= k; ++i) {
        numbers[i] = i <= fill.filledRows ? fill.numbers[i] : "?";
        if (i <= fill.filledRows) odds[i] = fill.odds[i];
    }
    if (PlayedOddsMissing(k, odds, "")) return Skipped(SkipReason::TooFewOdds);

    ArrivalNumbers arrival = ParseArrival(race);
    double payout = WinnerPayout(race);
    if (arrival[1] == 0 || !(payout > 0)) return Skipped(SkipReason::NoResult);

    // Each odds text written into a row is stored as its change handler stores it.
    CalculatorState calc;
    calc.TargetProfit = strategy.targetProfit;
    calc.PlayedHorseCount = static_cast<std::int16_t>(k);
    for (int i = 1; i <= k; ++i) {
        OddsBoxChange change = OddsTextChanged(odds[i], strategy.oddsOffset);
        if (change.rewrite || !change.odds) return Skipped(SkipReason::UnusableOdds);
        calc.OddsTable[i] = *change.odds;
    }
    calc.ComputedProfit = std::numeric_limits<float>::quiet_NaN();
    calc.StakeTotalWhole = UnwrittenTotal;
    StakeTexts texts;
    // The decimal separator changes how amounts are written, not what is played.
    ComputeStakes(calc, k, strategy.rounding, '.', texts);
    bool unwritten = std::isnan(calc.ComputedProfit) || calc.StakeTotalWhole == UnwrittenTotal;
    for (int i = 1; i <= k; ++i) unwritten = unwritten || texts.Label2[i].empty();
    if (unwritten) return Skipped(SkipReason::UnusableOdds);

    BetOnScreen bet{std::move(texts.Label4), calc.StakeTotalWhole, k, std::move(numbers),
                    std::move(texts.Label2)};
    PlaySettlement settlement = SettlePlay(bet, arrival, payout);
    if (settlement.kind == PlayOutcome::Kind::LosingBet) return Skipped(SkipReason::LosingBet);
    if (settlement.kind != PlayOutcome::Kind::Played) return Skipped(SkipReason::BeyondLimits);

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
    int first = std::max(range.first, FirstRace);
    int count = std::max(std::min(range.last, LastRace) - first + 1, 0);
    std::vector<BacktestRow> rows(static_cast<std::size_t>(count));
    int parts = std::clamp(threads, 1, std::max(count / ProgressStep, 1));
    int size = count / parts;
    std::vector<std::thread> helpers;
    for (int part = 1; part < parts; ++part) {
        int start = first + part * size;
        int end = part + 1 == parts ? first + count - 1 : start + size - 1;
        BacktestRow* partRows = rows.data() + (start - first);
        try {
            helpers.emplace_back(PlayPart, std::cref(races), std::cref(strategy), start, end,
                                 partRows, progress);
        } catch (const std::system_error&) {
            PlayPart(races, strategy, start, end, partRows, progress); // no thread to be had
        }
    }
    PlayPart(races, strategy, first, first + size - 1, rows.data(), progress);
    for (auto& helper : helpers) helper.join();
    if (progress && progress->cancel.load()) return std::nullopt;

    // Booked in order, as one play after another: the totals never leave 64 bits.
    LedgerState ledger;
    for (BacktestRow& row : rows) {
        if (row.skipped != SkipReason::None) continue;
        if (!BookPlay(ledger, row.staked, row.won)) {
            int race = row.race;
            row = Skipped(SkipReason::BeyondLimits);
            row.race = race;
        }
    }
    return rows;
}

} // namespace sg
