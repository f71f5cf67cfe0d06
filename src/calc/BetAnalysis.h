// What the bet on screen really does: the return and net result of each possible winner with
// the stakes as shown, the book of the race, how far the odds may move, what the punter's own
// stakes do to pari-mutuel odds, and the same bet placed in real bet units or for a budget.
#pragma once

#include "calc/StakeComputation.h"

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace sg {

// One played horse: its odds as the calculator stores them (net odds, the convention of the
// options already applied) and its stake as the main window shows it.
struct PlayedHorse {
    float odds = 0;
    std::string stakeText;
};

struct BetAnalysisInput {
    std::vector<PlayedHorse> played; // the played columns, in their order
    std::vector<float> others;       // the odds of the race's other runners
    std::optional<double> pool;      // the race's win pool, euros
    double takeout = 0.14;           // the share of the pool the operator keeps
    std::optional<double> budget;    // euros; the total of the shown stakes when not given
    double minimumStake = 1.50;      // the smallest stake a counter takes
    double stakeStep = 0.10;         // stakes go by this step
};

inline constexpr std::array<int, 5> OddsDriftPercents = {-30, -20, -10, 10, 20};

// A horse's win: what it returns and what is left once every stake is paid.
struct HorseOutcome {
    double odds = 0;
    double stake = 0;
    double payout = 0;                   // stake × (odds + 1)
    double net = 0;                      // payout − total of the stakes
    std::optional<double> breakEvenOdds; // below these odds its win loses money; none at stake 0
    double toleratedFall = 0;            // the fall of its odds (0..1) before its win loses
};

struct DriftOutcome {
    int percent = 0;
    double lowest = 0, highest = 0; // net results over the played horses
};

struct PoolOutcome {
    double finalOdds = 0; // once the punter's stakes are in the pool
    double net = 0;       // with those odds
    double fall = 0;      // how much the stakes lower the odds (0..1; negative when they rise)
    bool warning = false; // a fall of more than 2 %
};

struct PlacedStake {
    double stake = 0;
    double net = 0; // if this horse wins
};

struct BetAnalysis {
    std::vector<HorseOutcome> horses;
    double total = 0; // the sum of the shown stakes

    double raceBook = 0;       // Σ 1/(odds+1) over every runner with odds
    double playedBook = 0;     // the same over the played horses
    double coveredShare = 0;   // playedBook / raceBook: the takeout taken out
    double expectedResult = 0; // each net weighted by the market's chances, a loss included

    std::vector<DriftOutcome> drift; // one per OddsDriftPercents

    std::optional<double> pool;
    double takeout = 0;
    std::vector<PoolOutcome> poolHorses; // empty without a pool

    double budget = 0;
    std::vector<PlacedStake> budgetStakes; // the budget shared to the cent
    double budgetTotal = 0;

    double minimumStake = 0, stakeStep = 0;
    std::vector<PlacedStake> unitStakes; // the shown stakes raised to real bet units
    double unitTotal = 0;
};

enum class AnalysisRefusal {
    NoHorse,      // nothing played
    NoStakes,     // a played stake is not shown (not computed yet, or "aucun")
    UnusableOdds, // a played odds whose payout factor is not above 0
};

std::variant<BetAnalysis, AnalysisRefusal> AnalyseBet(const BetAnalysisInput& input);

// The stake texts the compute button shows for these played odds (columns 1..k), the target
// profit and the rounding mode; empty when the computation leaves one unwritten.
std::optional<std::vector<std::string>> ComputedStakeTexts(const std::vector<float>& playedOdds,
                                                           float targetProfit, RoundingMode mode);

// The odds of the runners whose boxes hold odds, converted as each box stores them; a box whose
// text reads 0 (empty, no number) holds none.
std::vector<float> RunnerOdds(const std::vector<std::string>& oddsTexts, int oddsOffset);

// Shares `cents` in proportion to the weights, each share whole, the cents that the rounding
// down leaves going one each to the largest remainders (the first on a tie): the shares add up
// to `cents` exactly.
std::vector<long long> ShareCents(long long cents, const std::vector<double>& weights);

} // namespace sg
