#include "calc/StakeComputation.h"

#include "numbers/Numbers.h"

#include <algorithm>
#include <cmath>

namespace sg {

namespace {

constexpr int Columns = 9;

void Compute(CalculatorState& state, int k, RoundingMode mode, char separator, StakeTexts& texts,
             bool preview) {
    k = std::clamp(k, 1, Columns);
    state.WorkingTarget = state.TargetProfit;
    // The preview always computes the stakes of columns 1 and 2.
    int computed = preview ? std::max(k, 2) : k;
    ColumnValues stakes =
        StakesOfWeights(StakeWeights(state.OddsTable, PayoutSum(state.OddsTable, k), computed),
                        state.WorkingTarget, computed);
    for (int i = 1; i <= computed; ++i) {
        if (!stakes[i]) continue;
        if (auto text = StakeText(*stakes[i], mode, separator)) texts.Label2[i] = *text;
    }
    if (!preview) {
        // The third mode counts the unplayed rows from PlayedHorseCount, the others from k.
        int lastPlayed = mode == RoundingMode::UpToTen ? state.PlayedHorseCount : k;
        for (int i = std::max(lastPlayed, 0) + 1; i <= Columns; ++i) texts.Label2[i] = "aucun";
    }
    float theoretical = TheoreticalTotal(stakes, k);

    RefreshStakeTotal(state, texts, !preview, separator);

    ShownValues shown;
    for (int i = 1; i <= k; ++i) shown[i] = LeadingNumber(texts.Label2[i]);
    if (auto profit = ProfitOfShownStakes(state.OddsTable, shown, k, theoretical))
        state.ComputedProfit = *profit;
    if (preview) return;

    texts.Label4 = Amount(state.ComputedProfit, separator) + " Euros";
    double shownProfit = LeadingNumberOr0(texts.Label4);
    if (state.StakeTotal > 0 && shownProfit > 0) {
        if (auto ratio = SingleQuotient(state.StakeTotal, shownProfit))
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
    auto whole = WholeStake(stake, mode);
    if (!whole) return std::nullopt;
    return PlainText(*whole == 0 ? 0.0f : *whole);
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
    int n = std::min<int>(state.PlayedHorseCount, Columns);
    ShownValues shown;
    for (int i = 1; i <= n; ++i) {
        if (pointForComma) ReplaceFirstComma(texts.Label2[i]);
        shown[i] = LeadingNumber(texts.Label2[i]);
    }
    ShownStakeTotal total = TotalOfShownStakes(shown, n);
    state.StakeTotal = total.total;
    if (total.whole) state.StakeTotalWhole = *total.whole;
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
        auto steps = SingleQuotient(*shown, *multiple);
        if (!steps || *steps == std::floor(*steps)) continue;
        auto next = ToSingle(double(std::floor(*steps)) + 1);
        auto raised = next ? ToSingle(double(*next) * *multiple) : std::nullopt;
        if (raised) caption = GeneralText(*raised);
    }
    RefreshStakeTotal(state, texts, true, decimalSeparator);
}

} // namespace sg
