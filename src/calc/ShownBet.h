// The compute button's results as numbers, for the back-test: what each stake's text, the
// total and the profit would read once written, found without writing them. The same steps as
// ComputeStakes, so a race played this way books what the windows book. Inline, as the steps.
#pragma once

#include "calc/StakeSteps.h"
#include "numbers/ShownNumbers.h"

#include <cstdint>
#include <optional>

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

// The bet that ComputeStakes shows for columns 1..k (PlayedHorseCount k, 1 to 9) from these
// stakes.
inline ShownBet ShowBet(const OddsColumns& odds, const ColumnValues& stakes, float theoretical,
                        int k, RoundingMode mode) {
    ShownBet bet;
    for (int i = 1; i <= k; ++i) {
        if (stakes[i]) bet.stakes[i] = ShownStakeValue(*stakes[i], mode);
    }
    bet.totalWhole = TotalOfShownStakes(bet.stakes, k).whole;
    bet.profit = ProfitOfShownStakes(odds, bet.stakes, k, theoretical);
    return bet;
}

} // namespace sg
