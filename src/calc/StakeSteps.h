// The steps of the stake computation, shared by the windows, which write each stake and read
// it back, and by the back-test, which finds what the texts would read without writing them.
// Inline: a comparison of strategies takes them millions of times.
#pragma once

#include "numbers/Numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

namespace sg {

// The three ways of showing a stake (the selected rounding button, 0 to 2).
enum class RoundingMode { Decimals = 0, WholeUnits = 1, UpToTen = 2 };

using OddsColumns = std::array<float, 10>;                 // OddsTable: columns 1..9
using ColumnValues = std::array<std::optional<float>, 10>; // empty where a step failed
using ShownValues = std::array<std::optional<double>, 10>; // the stakes' texts read back

// a / b in double precision stored in single precision; empty when a step fails.
inline std::optional<float> SingleQuotient(double a, double b) {
    auto q = Divide(a, b);
    if (!q) return std::nullopt;
    return ToSingle(*q);
}

// The value a stake is written from in the whole-unit modes: its whole part, raised to the next
// ten in the third mode; empty when the raise goes beyond single precision.
// Below 2^23 every whole number is a single and the steps are exact in 32-bit integers: the
// whole stake as such a number (empty for a larger stake).
inline std::optional<std::int32_t> SmallWholeStake(float stake, RoundingMode mode) {
    if (!(std::fabs(stake) < 0x1p23f)) return std::nullopt;
    auto cut = static_cast<std::int32_t>(stake);
    std::int32_t whole = cut - (static_cast<float>(cut) > stake ? 1 : 0);
    std::int32_t remainder = whole % 10; // the sign of the whole part, as fmod
    if (mode == RoundingMode::UpToTen && remainder != 0) whole += 10 - remainder;
    return whole;
}
inline std::optional<float> WholeStake(float stake, RoundingMode mode) {
    if (auto small = SmallWholeStake(stake, mode)) return static_cast<float>(*small);
    float whole = std::floor(stake);
    if (mode == RoundingMode::UpToTen) {
        float remainder = std::fmod(whole, 10.0f); // keeps the sign of the whole part
        if (remainder != 0) return ToSingle(double(whole) + 10 - remainder);
    }
    return whole;
}

// S = R(1) + ... + R(k), accumulated in the order that fixes its last bit in single precision.
inline float PayoutSum(const OddsColumns& odds, int k) {
    float sum = 0;
    auto add = [&sum](double value) {
        if (auto single = ToSingle(value)) sum = *single;
    };
    add(double(odds[1]) + 1);
    if (k >= 2) add(double(sum) + odds[2] + 1);
    if (k == 3) add(double(sum) + odds[3] + 1);
    if (k >= 4) {
        for (int i = 3; i <= k; ++i) add(double(sum) + odds[i]);
        add(double(sum) + (k - 2));
    }
    return sum;
}

// The weights R(i) / S and then the stakes target / weight of columns 1..n, in single precision.
inline ColumnValues StakeWeights(const OddsColumns& odds, float sum, int n) {
    ColumnValues weights;
    for (int i = 1; i <= std::min(n, 9); ++i) weights[i] = SingleQuotient(double(odds[i]) + 1, sum);
    return weights;
}
inline ColumnValues StakesOfWeights(const ColumnValues& weights, float target, int n) {
    ColumnValues stakes;
    for (int i = 1; i <= std::min(n, 9); ++i) {
        if (weights[i]) stakes[i] = SingleQuotient(target, *weights[i]);
    }
    return stakes;
}

// The stakes of columns 1..k added in single precision: what the shown stakes are measured
// against.
inline float TheoreticalTotal(const ColumnValues& stakes, int k) {
    float theoretical = 0;
    for (int i = 1; i <= std::min(k, 9); ++i) {
        if (!stakes[i]) continue;
        if (auto t = ToSingle(double(theoretical) + *stakes[i])) theoretical = *t;
    }
    return theoretical;
}

// Several bets on the same odds are shown at once by the back-test: the steps below take them
// column by column across the bets, so that one bet's sum does not wait on another's. Each
// bet's figures are those it has alone (the single steps are these, for one bet).
inline constexpr std::size_t MaxBetsAtOnce = 16;

// The shown stakes of columns 1..n added in double precision, and that total rounded half to
// even as it stood at the last addition where it fitted in 32 bits (empty when it never did).
struct ShownStakeTotal {
    double total = 0;
    std::optional<std::int32_t> whole;
};
inline void TotalsOfShownStakes(std::span<const ShownValues* const> shown, int n,
                                std::span<ShownStakeTotal> totals) {
    n = std::min(n, 9);
    std::size_t bets = std::min({shown.size(), totals.size(), MaxBetsAtOnce});
    std::array<bool, MaxBetsAtOnce> allFit{}; // then the last addition's rounding is the one kept
    for (std::size_t b = 0; b < bets; ++b) {
        totals[b] = {};
        allFit[b] = true;
    }
    for (int i = 1; i <= n; ++i) {
        for (std::size_t b = 0; b < bets; ++b) {
            const auto& stake = (*shown[b])[static_cast<std::size_t>(i)];
            if (stake) {
                if (auto total = Finite(totals[b].total + *stake)) totals[b].total = *total;
            }
            allFit[b] = allFit[b] && std::fabs(totals[b].total) < 2147483647.0;
        }
    }
    for (std::size_t b = 0; b < bets && n >= 1; ++b) {
        if (allFit[b]) {
            totals[b].whole = RoundHalfEvenInt32(totals[b].total);
            continue;
        }
        double total = 0;
        for (int i = 1; i <= n; ++i) {
            const auto& stake = (*shown[b])[static_cast<std::size_t>(i)];
            if (stake) {
                if (auto added = Finite(total + *stake)) total = *added;
            }
            if (auto whole = RoundHalfEvenInt32(total)) totals[b].whole = *whole;
        }
    }
}
inline ShownStakeTotal TotalOfShownStakes(const ShownValues& shown, int n) {
    const ShownValues* one[] = {&shown};
    ShownStakeTotal total;
    TotalsOfShownStakes(one, n, {&total, 1});
    return total;
}

// What the shown stakes yield: their average return over columns 1..k, less the theoretical
// total; empty when a step fails.
inline void ProfitsOfShownStakes(const OddsColumns& odds, std::span<const ShownValues* const> shown,
                                 int k, std::span<const float> theoretical,
                                 std::span<std::optional<float>> profits) {
    std::size_t bets = std::min({shown.size(), theoretical.size(), profits.size(), MaxBetsAtOnce});
    std::array<float, MaxBetsAtOnce> returns{};
    for (int i = 1; i <= std::min(k, 9); ++i) {
        double factor = double(odds[static_cast<std::size_t>(i)]) + 1;
        for (std::size_t b = 0; b < bets; ++b) {
            const auto& stake = (*shown[b])[static_cast<std::size_t>(i)];
            if (!stake) continue;
            if (auto y = ToSingle(double(returns[b]) + factor * *stake)) returns[b] = *y;
        }
    }
    for (std::size_t b = 0; b < bets; ++b) {
        auto average = Divide(returns[b], k);
        auto profit = average ? ToSingle(*average - theoretical[b]) : std::nullopt;
        // Written as its two parts: a value built apart and copied whole stalls the processor.
        if (profit) {
            profits[b].emplace(*profit);
        } else {
            profits[b].reset();
        }
    }
}
inline std::optional<float> ProfitOfShownStakes(const OddsColumns& odds, const ShownValues& shown,
                                                int k, float theoretical) {
    const ShownValues* one[] = {&shown};
    std::optional<float> profit;
    ProfitsOfShownStakes(odds, one, k, {&theoretical, 1}, {&profit, 1});
    return profit;
}

} // namespace sg
