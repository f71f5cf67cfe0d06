#include "calc/StakeComputation.h"

#include "numbers/Numbers.h"

#include <algorithm>
#include <cmath>

namespace sg {

namespace {

constexpr int Columns = 9;

// S = R(1) + ... + R(k), accumulated in the order that fixes its last bit in single precision.
float PayoutSum(const CalculatorState& state, int k) {
    const auto& odds = state.OddsTable;
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

std::optional<float> Quotient(double a, double b) {
    auto q = Divide(a, b);
    if (!q) return std::nullopt;
    return ToSingle(*q);
}

void Compute(CalculatorState& state, int k, RoundingMode mode, char separator, StakeTexts& texts,
             bool preview) {
    k = std::clamp(k, 1, Columns);
    state.WorkingTarget = state.TargetProfit;
    float sum = PayoutSum(state, k);

    std::array<std::optional<float>, 10> stakes{};
    for (int i = 1; i <= Columns; ++i) {
        bool computed = i <= k || (preview && i <= 2);
        if (!computed) continue;
        auto weight = Quotient(double(state.OddsTable[i]) + 1, sum);
        if (weight) stakes[i] = Quotient(state.WorkingTarget, *weight);
        if (stakes[i]) {
            if (auto text = StakeText(*stakes[i], mode, separator)) texts.Label2[i] = *text;
        }
    }
    if (!preview) {
        // The third mode counts the unplayed rows from PlayedHorseCount, the others from k.
        int lastPlayed = mode == RoundingMode::UpToTen ? state.PlayedHorseCount : k;
        for (int i = std::max(lastPlayed, 0) + 1; i <= Columns; ++i) texts.Label2[i] = "aucun";
    }

    float theoretical = 0;
    for (int i = 1; i <= k; ++i) {
        if (!stakes[i]) continue;
        if (auto t = ToSingle(double(theoretical) + *stakes[i])) theoretical = *t;
    }

    RefreshStakeTotal(state, texts, !preview, separator);

    float shownReturn = 0;
    for (int i = 1; i <= k; ++i) {
        auto shown = LeadingNumber(texts.Label2[i]);
        if (!shown) continue;
        if (auto y = ToSingle(double(shownReturn) + (double(state.OddsTable[i]) + 1) * *shown))
            shownReturn = *y;
    }
    if (auto average = Divide(shownReturn, k)) {
        if (auto profit = ToSingle(*average - theoretical)) state.ComputedProfit = *profit;
    }
    if (preview) return;

    texts.Label4 = Amount(state.ComputedProfit, separator) + " Euros";
    double shownProfit = LeadingNumberOr0(texts.Label4);
    if (state.StakeTotal > 0 && shownProfit > 0) {
        if (auto ratio = Quotient(state.StakeTotal, shownProfit))
            texts.lblRapport =
                FormatAmount(*ratio, AmountFormat::ZeroDotZeroZero, separator) + " fois supérieur.";
    }
}

const char* const MissingOddsMessages[10] = {
    "",
    "Vous devez d'abord mentionnner la quote du cheval!",
    "Vous devez d'abord mentionnner les cotes des deux chevaux!",
    "Vous devez d'abord mentionnner les cotes des trois chevaux!",
    "Vous devez d'abord mentionnner les cotes des 4 chevaux!",
    "Vous devez d'abord mentionnner les cotes des 5 chevaux!",
    "Vous devez d'abord mentionnner les cotes des 6 chevaux!",
    "Vous devez d'abord mentionnner les cotes des 7 chevaux!",
    "Vous devez d'abord mentionnner les cotes des 8 chevaux!",
    "Vous devez d'abord mentionnner les cotes des 9 chevaux!",
};

} // namespace

std::optional<std::string> StakeText(float stake, RoundingMode mode, char decimalSeparator) {
    if (mode == RoundingMode::Decimals) return Amount(stake, decimalSeparator);
    float whole = std::floor(stake);
    if (mode == RoundingMode::UpToTen) {
        float remainder = std::fmod(whole, 10.0f); // keeps the sign of the whole part
        if (remainder != 0) {
            auto raised = ToSingle(double(whole) + 10 - remainder);
            if (!raised) return std::nullopt;
            whole = *raised;
        }
    }
    return PlainText(whole == 0 ? 0.0f : whole);
}

std::optional<std::string> MissingOddsForComputation(int k,
                                                     const std::array<std::string, 10>& oddsTexts,
                                                     const std::string& exampleMarker) {
    if (!PlayedOddsMissing(k, oddsTexts, exampleMarker)) return std::nullopt;
    return MissingOddsMessages[std::clamp(k, 1, Columns)];
}

bool PlayedOddsMissing(int k, const std::array<std::string, 10>& oddsTexts,
                       const std::string& exampleMarker) {
    if (k == 4 && exampleMarker == "nao") return false;
    for (int i = 1; i <= std::clamp(k, 1, Columns); ++i) {
        auto value = LeadingNumber(oddsTexts[i]);
        if (value && *value == 0) return true;
    }
    return false;
}

void ComputeStakes(CalculatorState& state, int k, RoundingMode mode, char decimalSeparator,
                   StakeTexts& texts) {
    Compute(state, k, mode, decimalSeparator, texts, false);
}

void PreviewStakes(CalculatorState& state, int k, RoundingMode mode, char decimalSeparator,
                   StakeTexts& texts) {
    Compute(state, k, mode, decimalSeparator, texts, true);
}

void RefreshStakeTotal(CalculatorState& state, StakeTexts& texts, bool pointForComma,
                       char decimalSeparator) {
    state.StakeTotal = 0;
    int n = std::min<int>(state.PlayedHorseCount, Columns);
    for (int i = 1; i <= n; ++i) {
        if (pointForComma) ReplaceFirstComma(texts.Label2[i]);
        if (auto shown = LeadingNumber(texts.Label2[i])) {
            if (auto total = Finite(state.StakeTotal + *shown)) state.StakeTotal = *total;
        }
        if (auto whole = RoundHalfEvenInt32(state.StakeTotal)) state.StakeTotalWhole = *whole;
    }
    // Refreshed at every turn, the label keeps the last turn's text: written once.
    if (n >= 1) texts.Label19 = "TOTAL DES MISES " + Amount(state.StakeTotal, decimalSeparator);
}

void RoundStakesToMultiple(CalculatorState& state, StakeTexts& texts,
                           const std::string& multipleText, char decimalSeparator) {
    // A multiple typed with a decimal comma ("1,5") counts in full, as the stakes do.
    std::string typed = multipleText;
    ReplaceFirstComma(typed);
    auto multipleRead = LeadingNumber(typed);
    auto multiple = multipleRead ? ToSingle(*multipleRead) : std::nullopt;
    for (int i = 1; i <= Columns; ++i) {
        std::string& caption = texts.Label2[i];
        ReplaceFirstComma(caption);
        auto shown = LeadingNumber(caption);
        if (!shown || !multiple) continue;
        // A column whose division fails (a multiple of 0) is left as it is.
        auto steps = Quotient(*shown, *multiple);
        if (!steps || *steps == std::floor(*steps)) continue;
        auto next = ToSingle(double(std::floor(*steps)) + 1);
        auto raised = next ? ToSingle(double(*next) * *multiple) : std::nullopt;
        if (raised) caption = GeneralText(*raised);
    }
    RefreshStakeTotal(state, texts, true, decimalSeparator);
}

} // namespace sg
