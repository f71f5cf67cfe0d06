// The compute button's results as numbers, for the back-test: what each stake's text, the
// total and the profit would read once written, found without writing them. The same steps as
// ComputeStakes, so a race played this way books what the windows book. Inline, as the steps.
#pragma once

#include "calc/StakeSteps.h"
#include "numbers/ShownNumbers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace sg {

// The leading number of StakeText(stake, mode, separator), a decimal comma read as a point;
// empty when no text would be written.
inline std::optional<double> ShownStakeValue(float stake, RoundingMode mode) {
    if (mode == RoundingMode::Decimals) return AmountValue(stake);
    // A small whole number is written with all its digits (and 0 without a sign).
    if (auto small = SmallWholeStake(stake, mode)) return static_cast<double>(*small);
    auto whole = WholeStake(stake, mode);
    if (!whole) return std::nullopt;
    return WholeTextValue(*whole);
}

struct ShownBet {
    ShownValues stakes;                     // columns 1..k; empty where no text is written
    std::optional<std::int32_t> totalWhole; // StakeTotalWhole; empty when never written
    std::optional<float> profit;            // ComputedProfit; empty when never written
};

// Bets that ComputeStakes would show for columns 1..k (PlayedHorseCount k, 1 to 9) on the
// same odds, each from its stakes, at most MaxBetsAtOnce at a time. Only columns 1..k of the
// stakes shown are written.
struct BetToShow {
    const ColumnValues* stakes;
    float theoretical;
    RoundingMode mode;
};
inline void ShowBets(const OddsColumns& odds, int k, std::span<const BetToShow> bets,
                     std::span<ShownBet> shown) {
    std::size_t count = std::min({bets.size(), shown.size(), MaxBetsAtOnce});
    std::array<const ShownValues*, MaxBetsAtOnce> values{};
    std::array<float, MaxBetsAtOnce> theoretical{};
    std::array<ShownStakeTotal, MaxBetsAtOnce> totals;
    std::array<std::optional<float>, MaxBetsAtOnce> profits;
    for (std::size_t b = 0; b < count; ++b) {
        // Columns 1..k only: those after k are never read.
        for (int i = 1; i <= k; ++i) {
            const auto& stake = (*bets[b].stakes)[static_cast<std::size_t>(i)];
            shown[b].stakes[static_cast<std::size_t>(i)] =
                stake ? ShownStakeValue(*stake, bets[b].mode) : std::nullopt;
        }
        values[b] = &shown[b].stakes;
        theoretical[b] = bets[b].theoretical;
    }
    TotalsOfShownStakes({values.data(), count}, k, {totals.data(), count});
    ProfitsOfShownStakes(odds, {values.data(), count}, k, {theoretical.data(), count},
                         {profits.data(), count});
    for (std::size_t b = 0; b < count; ++b) {
        shown[b].totalWhole = totals[b].whole;
        shown[b].profit = profits[b];
    }
}

// The bet that ComputeStakes shows for columns 1..k from these stakes.
inline ShownBet ShowBet(const OddsColumns& odds, const ColumnValues& stakes, float theoretical,
                        int k, RoundingMode mode) {
    BetToShow bet{&stakes, theoretical, mode};
    ShownBet shown;
    ShowBets(odds, k, {&bet, 1}, {&shown, 1});
    return shown;
}

} // namespace sg
