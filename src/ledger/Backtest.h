// The back-test: one strategy played on every race of a range of a race file, each race as the
// windows play it when the user moves to it and presses "JOUER", with the same functions.
#pragma once

#include "calc/StakeComputation.h"
#include "racefile/RaceSource.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace sg {

// One way of playing: the choices of the main window and the options that a play depends on.
struct BacktestStrategy {
    int horses = 4;             // the k favourites played, 1 to 9
    float targetProfit = 10.0f; // TargetProfit
    RoundingMode rounding = RoundingMode::Decimals;
    OddsSet odds = OddsSet::PMH;
    int oddsOffset = 0; // -1 when the stored values are payouts, stake included

    friend bool operator==(const BacktestStrategy&, const BacktestStrategy&) = default;
};

// Why a race was not played, tested in this order.
enum class SkipReason : std::uint8_t {
    None,          // played
    BeyondFile,    // the race lies past the end of the file
    NoRunnerCount, // an empty race: no runner count stored
    TooFewOdds,    // fewer runners with odds than horses played: the computation refuses
    NoResult,      // no winner, or no usable winner's payout, stored
    LosingBet,     // the profit is negative: "JOUER" refuses
    UnusableOdds,  // a stake or total cannot be computed: the window would keep another race's
    BeyondLimits,  // amounts beyond what the balance can count
};
inline constexpr int SkipReasonCount = 8;

struct BacktestRow {
    std::int32_t race = 0;
    SkipReason skipped = SkipReason::None;
    std::uint8_t horseCount = 0;          // horses played (a race played only)
    std::array<std::uint8_t, 9> horses{}; // their numbers, favourite first
    std::int32_t staked = 0;              // the rounded total that "JOUER" books
    std::int64_t won = 0;                 // what it returns
};

// A row for a race not played, for that reason.
inline BacktestRow SkippedRow(SkipReason reason) {
    BacktestRow row;
    row.skipped = reason;
    return row;
}

// One race played with the strategy: its rows loaded as navigation loads them, the stakes
// computed as the compute button computes them, the play settled as "JOUER" settles it.
BacktestRow PlayRace(RaceFieldsView race, const BacktestStrategy& strategy);

// Races first to last, both included (1 to 32767).
struct RaceRange {
    int first = 1;
    int last = 1;
};

// Shared with another thread: how far the back-test has gone, and a request to stop.
struct BacktestProgress {
    std::atomic<int> racesDone{0};
    std::atomic<bool> cancel{false};
};

// The rows of every race of the range, in order, played on `threads` threads and booked in
// order into a balance, as successive plays are: a race whose amounts would take the totals
// beyond 64 bits is skipped. Each race is read once and played from its numbers
// (PlayPrepared), which book what PlayRace books. Empty when cancelled.
std::optional<std::vector<BacktestRow>> RunBacktest(const RaceSource& races,
                                                    const BacktestStrategy& strategy,
                                                    RaceRange range, int threads = 1,
                                                    BacktestProgress* progress = nullptr);

} // namespace sg
