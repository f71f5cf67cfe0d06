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

// The shown stakes of columns 1..n added in double precision, and that total rounded half to
// even as it stood at the last addition where it fitted in 32 bits (empty when it never did).
struct ShownStakeTotal {
    double total = 0;
    std::optional<std::int32_t> whole;
};
inline ShownStakeTotal TotalOfShownStakes(const ShownValues& shown, int n) {
    ShownStakeTotal sum;
    n = std::min(n, 9);
    bool allFit = true; // then the last addition's rounding is the one kept
    for (int i = 1; i <= n; ++i) {
        if (shown[i]) {
            if (auto total = Finite(sum.total + *shown[i])) sum.total = *total;
        }
        allFit = allFit && std::fabs(sum.total) < 2147483647.0;
    }
    if (n < 1) return sum;
    if (allFit) {
        sum.whole = RoundHalfEvenInt32(sum.total);
        return sum;
    }
    double total = 0;
    for (int i = 1; i <= n; ++i) {
        if (shown[i]) {
            if (auto added = Finite(total + *shown[i])) total = *added;
        }
        if (auto whole = RoundHalfEvenInt32(total)) sum.whole = *whole;
    }
    return sum;
}

// What the shown stakes yield: their average return over columns 1..k, less the theoretical
// total; empty when a step fails.
inline std::optional<float> ProfitOfShownStakes(const OddsColumns& odds, const ShownValues& shown,
                                                int k, float theoretical) {
    float shownReturn = 0;
    for (int i = 1; i <= std::min(k, 9); ++i) {
        if (!shown[i]) continue;
        if (auto y = ToSingle(double(shownReturn) + (double(odds[i]) + 1) * *shown[i]))
            shownReturn = *y;
    }
    auto average = Divide(shownReturn, k);
    if (!average) return std::nullopt;
    return ToSingle(*average - theoretical);
}

} // namespace sg
