// Many strategies played on the same races at once: each race is read once and sorted once per
// odds set for all of them, and each played as "JOUER" plays it (PlayPrepared, whose every
// figure is that of the windows' texts). For each strategy: the back-test's summary over the
// races the filters keep, the sums of its return interval, and the two parts of a hold-out
// check: the first part of the range, where strategies are ranked, and the rest, where the
// ranking is checked on races it never saw.
#pragma once

#include "ledger/BacktestSummary.h"
#include "ledger/RaceFilters.h"
#include "ledger/ReturnInterval.h"

#include <optional>
#include <vector>

namespace sg {

// Every combination of the lists, in this order: odds set, horses, target profit, rounding.
struct StrategyGrid {
    std::vector<int> horses{4};
    std::vector<float> targetProfits{10.0f};
    std::vector<RoundingMode> roundings{RoundingMode::Decimals};
    std::vector<OddsSet> oddsSets{OddsSet::PMH};
    int oddsOffset = 0; // -1: the values are payouts, stake included

    std::vector<BacktestStrategy> Strategies() const;
};

struct ComparisonRequest {
    std::vector<BacktestStrategy> strategies; // those of one oddsOffset are played together
    RaceRange range;
    RaceFilters filters;
    // The share of the range, in race order, where strategies are ranked (the learning part);
    // the rest is the control part.
    double learningPercent = 70;
};

// The last race of the learning part: the first `learningPercent` % of the range's races,
// rounded down.
int LearningLastRace(RaceRange range, double learningPercent);

struct StrategyResult {
    BacktestStrategy strategy;
    BacktestSummary summary;         // the races the filters keep, in the whole range
    ReturnMoments moments;           // of the races played there, for the normal interval
    ReturnMoments learning, control; // the same, in each part
};

struct Comparison {
    RaceRange range;                     // as played: within 1 to 32767
    int learningLast = 0;                // races range.first..learningLast form the learning part
    std::vector<StrategyResult> results; // in the order of the request's strategies
};

// The comparison on `threads` threads; `index` is the index beside the race file (read only
// when a filter needs it). With `rows`, the rows of each strategy in race order as well (one
// per race kept; a race booked beyond 64 bits as skipped for that reason). Empty when
// cancelled.
std::optional<Comparison> CompareStrategies(const RaceSource& races, const RaceIndex* index,
                                            const ComparisonRequest& request, int threads = 1,
                                            BacktestProgress* progress = nullptr,
                                            std::vector<std::vector<BacktestRow>>* rows = nullptr);

// The results' positions, best first: by return on the learning part (a strategy without
// stakes there last), then by return on the whole range, then in the request's order.
std::vector<std::size_t> RankedOrder(const Comparison& comparison);

} // namespace sg
