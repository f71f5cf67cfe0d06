#include "calc/BetAnalysis.h"

#include "numbers/Numbers.h"
#include "numbers/OddsText.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace sg {

namespace {

constexpr int Columns = 9;
constexpr double WarningFall = 0.02;

// A stake shown as a number; "aucun" and the start text "???" are no stake.
std::optional<double> ShownStake(const std::string& text) {
    if (text.find_first_of("0123456789") == std::string::npos) return std::nullopt;
    auto value = LeadingNumber(text);
    if (!value || *value < 0) return std::nullopt;
    return value;
}

double PayoutFactor(double odds) {
    return odds + 1;
}

double NetIfWins(double stake, double odds, double total) {
    return stake * PayoutFactor(odds) - total;
}

void FillHorses(BetAnalysis& analysis, const std::vector<double>& odds,
                const std::vector<double>& stakes) {
    for (std::size_t i = 0; i < odds.size(); ++i) {
        HorseOutcome horse;
        horse.odds = odds[i];
        horse.stake = stakes[i];
        horse.payout = stakes[i] * PayoutFactor(odds[i]);
        horse.net = horse.payout - analysis.total;
        if (stakes[i] > 0) {
            // Its win pays back exactly the total at these odds.
            double breakEven = analysis.total / stakes[i] - 1;
            horse.breakEvenOdds = breakEven;
            if (odds[i] > 0 && breakEven < odds[i]) horse.toleratedFall = 1 - breakEven / odds[i];
        }
        analysis.horses.push_back(horse);
    }
}

void FillDrift(BetAnalysis& analysis, const std::vector<double>& odds,
               const std::vector<double>& stakes) {
    for (int percent : OddsDriftPercents) {
        DriftOutcome drift{percent, 0, 0};
        for (std::size_t i = 0; i < odds.size(); ++i) {
            double net = NetIfWins(stakes[i], odds[i] * (1 + percent / 100.0), analysis.total);
            drift.lowest = i == 0 ? net : std::min(drift.lowest, net);
            drift.highest = i == 0 ? net : std::max(drift.highest, net);
        }
        analysis.drift.push_back(drift);
    }
}

// The public's stake on each horse comes from its odds; the punter's stakes join the pool and
// the horse's share, and the operator keeps the takeout of the larger pool.
void FillPool(BetAnalysis& analysis, const std::vector<double>& odds,
              const std::vector<double>& stakes) {
    if (!analysis.pool || *analysis.pool <= 0) return;
    double pool = *analysis.pool, kept = 1 - analysis.takeout;
    for (std::size_t i = 0; i < odds.size(); ++i) {
        double publicStake = kept * pool / PayoutFactor(odds[i]);
        PoolOutcome outcome;
        double shared = publicStake + stakes[i];
        outcome.finalOdds = shared > 0 ? kept * (pool + analysis.total) / shared - 1 : odds[i];
        outcome.net = NetIfWins(stakes[i], outcome.finalOdds, analysis.total);
        if (odds[i] > 0) outcome.fall = 1 - outcome.finalOdds / odds[i];
        outcome.warning = outcome.fall > WarningFall;
        analysis.poolHorses.push_back(outcome);
    }
}

void FillBudget(BetAnalysis& analysis, const std::vector<double>& odds,
                const std::optional<double>& budget) {
    analysis.budget = budget.value_or(analysis.total);
    std::vector<double> weights;
    weights.reserve(odds.size());
    for (double c : odds) weights.push_back(1 / PayoutFactor(c));
    auto cents = std::llround(std::clamp(analysis.budget, 0.0, 1e13) * 100);
    std::vector<long long> shares = ShareCents(cents, weights);
    analysis.budgetTotal =
        static_cast<double>(std::accumulate(shares.begin(), shares.end(), 0LL)) / 100;
    for (std::size_t i = 0; i < odds.size(); ++i) {
        double stake = static_cast<double>(shares[i]) / 100;
        analysis.budgetStakes.push_back({stake, NetIfWins(stake, odds[i], analysis.budgetTotal)});
    }
}

// Each shown stake raised to the next step, as the main window's rounding to multiples raises
// them, and at least the minimum.
void FillUnits(BetAnalysis& analysis, const std::vector<double>& odds,
               const std::vector<PlayedHorse>& played) {
    if (!(analysis.stakeStep > 0)) return;
    CalculatorState calc;
    calc.PlayedHorseCount = static_cast<std::int16_t>(played.size());
    StakeTexts texts;
    for (int i = 1; i <= Columns; ++i)
        texts.Label2[i] = i <= static_cast<int>(played.size()) ? played[i - 1].stakeText : "aucun";
    RoundStakesToMultiple(calc, texts, ShortestText(analysis.stakeStep), '.');
    std::vector<double> stakes;
    for (std::size_t i = 0; i < played.size(); ++i) {
        double raised = LeadingNumberOr0(texts.Label2[i + 1]);
        stakes.push_back(std::max(raised, analysis.minimumStake));
    }
    analysis.unitTotal = std::accumulate(stakes.begin(), stakes.end(), 0.0);
    for (std::size_t i = 0; i < stakes.size(); ++i)
        analysis.unitStakes.push_back(
            {stakes[i], NetIfWins(stakes[i], odds[i], analysis.unitTotal)});
}

} // namespace

std::vector<float> RunnerOdds(const std::vector<std::string>& oddsTexts, int oddsOffset) {
    std::vector<float> odds;
    for (const std::string& text : oddsTexts) {
        if (LeadingNumberOr0(text) == 0) continue;
        OddsBoxChange change = OddsTextChanged(text, oddsOffset);
        if (change.odds && !change.rewrite) odds.push_back(*change.odds);
    }
    return odds;
}

std::vector<long long> ShareCents(long long cents, const std::vector<double>& weights) {
    std::vector<long long> shares(weights.size(), 0);
    double sum = 0;
    for (double w : weights) sum += std::max(w, 0.0);
    if (!(sum > 0) || cents <= 0) return shares;
    std::vector<double> remainders(weights.size(), 0);
    long long given = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        double exact = static_cast<double>(cents) * std::max(weights[i], 0.0) / sum;
        shares[i] = static_cast<long long>(std::floor(exact));
        remainders[i] = exact - static_cast<double>(shares[i]);
        given += shares[i];
    }
    std::vector<std::size_t> order(weights.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return remainders[a] > remainders[b]; });
    // The floors leave fewer cents than there are shares; should the arithmetic's last bit
    // have given one too many, the smallest remainder gives it back.
    for (std::size_t i = 0; given < cents; i = (i + 1) % order.size()) {
        ++shares[order[i]];
        ++given;
    }
    for (auto i = order.rbegin(); given > cents && i != order.rend(); ++i) {
        if (shares[*i] == 0) continue;
        --shares[*i];
        --given;
    }
    return shares;
}

std::variant<BetAnalysis, AnalysisRefusal> AnalyseBet(const BetAnalysisInput& input) {
    if (input.played.empty()) return AnalysisRefusal::NoHorse;
    std::vector<double> odds, stakes;
    for (const PlayedHorse& horse : input.played) {
        auto stake = ShownStake(horse.stakeText);
        if (!stake) return AnalysisRefusal::NoStakes;
        if (!(PayoutFactor(horse.odds) > 0) || !std::isfinite(horse.odds))
            return AnalysisRefusal::UnusableOdds;
        odds.push_back(horse.odds);
        stakes.push_back(*stake);
    }

    BetAnalysis analysis;
    analysis.total = std::accumulate(stakes.begin(), stakes.end(), 0.0);
    FillHorses(analysis, odds, stakes);

    for (double c : odds) analysis.playedBook += 1 / PayoutFactor(c);
    analysis.raceBook = analysis.playedBook;
    for (float c : input.others) {
        if (PayoutFactor(c) > 0 && std::isfinite(c)) analysis.raceBook += 1 / PayoutFactor(c);
    }
    analysis.coveredShare = analysis.playedBook / analysis.raceBook;
    // Horse i wins with the chance (1/R_i)/raceBook and returns b_i × R_i: the weighted returns
    // add up to the total over the race's book, whoever of the played horses wins.
    analysis.expectedResult = analysis.total / analysis.raceBook - analysis.total;

    FillDrift(analysis, odds, stakes);

    analysis.pool = input.pool;
    analysis.takeout = input.takeout;
    FillPool(analysis, odds, stakes);

    FillBudget(analysis, odds, input.budget);

    analysis.minimumStake = input.minimumStake;
    analysis.stakeStep = input.stakeStep;
    FillUnits(analysis, odds, input.played);
    return analysis;
}

std::optional<std::vector<std::string>> ComputedStakeTexts(const std::vector<float>& playedOdds,
                                                           float targetProfit, RoundingMode mode) {
    int k = static_cast<int>(playedOdds.size());
    if (k < 1 || k > Columns) return std::nullopt;
    CalculatorState calc;
    calc.TargetProfit = targetProfit;
    calc.PlayedHorseCount = static_cast<std::int16_t>(k);
    for (int i = 1; i <= k; ++i) calc.OddsTable[i] = playedOdds[i - 1];
    StakeTexts texts;
    ComputeStakes(calc, k, mode, '.', texts);
    std::vector<std::string> stakes;
    for (int i = 1; i <= k; ++i) {
        if (texts.Label2[i].empty()) return std::nullopt;
        stakes.push_back(texts.Label2[i]);
    }
    return stakes;
}

} // namespace sg
