#include "app/BacktestTexts.h"

#include "numbers/Numbers.h"
#include "racefile/CsvFields.h"

#include <array>
#include <charconv>
#include <cmath>

namespace sg {

namespace {

constexpr std::array<const char*, SkipReasonCount> ReasonTexts = {
    "",
    "au-delà de la fin du fichier",
    "nombre de partants absent",
    "trop peu de chevaux avec cote",
    "arrivée ou rapport absent",
    "bénéfice négatif (JOUER refuse)",
    "cotes inutilisables",
    "montants hors limites",
};

std::string RaceAndBalance(const std::optional<RaceBalance>& race, char separator) {
    if (!race) return "-";
    std::string sign = race->balance > 0 ? "+" : "";
    return "n° " + std::to_string(race->race) + " (" + sign + EurosText(race->balance, separator) +
           ")";
}

// "7 - 1 - 4", as arrivals are written: with blanks around the dashes no spreadsheet reads a
// date (7-1-4 would become 7 January 2004).
std::string HorsesText(const BacktestRow& row) {
    std::string text;
    for (int i = 0; i < row.horseCount && i < static_cast<int>(row.horses.size()); ++i) {
        if (i > 0) text += " - ";
        text += std::to_string(row.horses[static_cast<std::size_t>(i)]);
    }
    return text;
}

} // namespace

std::string EurosText(std::int64_t euros, char separator) {
    return WholeAmount(euros, separator, AmountFormat::ZeroDotZeroZero);
}

std::string PercentNumber(double value, char separator) {
    std::array<char, 400> buffer{}; // room for the largest double written in full
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::fixed, 2);
    if (ec != std::errc()) return "-";
    std::string text(buffer.data(), end);
    if (text == "-0.00") text = "0.00";
    if (auto point = text.find('.'); point != std::string::npos) text[point] = separator;
    return text;
}

std::string PercentText(double value, char separator) {
    std::string number = PercentNumber(value, separator);
    return number == "-" ? number : number + " %";
}

std::string ProfitText(float profit, char separator) {
    std::string text = ShortestText(profit);
    if (auto point = text.find('.'); point != std::string::npos) text[point] = separator;
    return text;
}

const char* SkipReasonText(SkipReason reason) {
    auto index = static_cast<std::size_t>(reason);
    return index < ReasonTexts.size() ? ReasonTexts[index] : "";
}

std::vector<SummaryLine> SummaryLines(const BacktestSummary& summary, char separator,
                                      const BacktestSummary* alongside) {
    auto count = [](int n) { return std::to_string(n); };
    std::vector<SummaryLine> lines = {
        {"Courses de la plage", count(summary.races)},
        {"Courses jouées", count(summary.played)},
        {"Courses écartées", count(summary.races - summary.played)},
    };
    for (int reason = 1; reason < SkipReasonCount; ++reason) {
        auto index = static_cast<std::size_t>(reason);
        int skipped = summary.skipped[index];
        if (skipped == 0 && (!alongside || alongside->skipped[index] == 0)) continue;
        lines.push_back({std::string("   dont ") + SkipReasonText(static_cast<SkipReason>(reason)),
                         count(skipped)});
    }
    auto percent = [separator](std::optional<double> value) {
        return value ? PercentText(*value, separator) : std::string("-");
    };
    lines.insert(lines.end(),
                 {
                     {"Total des mises", EurosText(summary.staked, separator)},
                     {"Total des gains", EurosText(summary.won, separator)},
                     {"Bilan", EurosText(summary.balance, separator)},
                     {"Rendement (bilan / mises)", percent(summary.ReturnPercent())},
                     {"Courses gagnées",
                      percent(summary.WinningPercent()) + " (" + count(summary.winning) + ")"},
                     {"Plus longue série perdante", count(summary.longestLosingRun) + " courses"},
                     {"Plus forte baisse du bilan", EurosText(summary.drawdown, separator)},
                     {"Meilleure course", RaceAndBalance(summary.best, separator)},
                     {"Pire course", RaceAndBalance(summary.worst, separator)},
                 });
    return lines;
}

std::string StrategyText(const BacktestStrategy& strategy, char separator) {
    std::string profit = ProfitText(strategy.targetProfit, separator);
    std::string horses =
        strategy.horses == 1 ? "1 cheval" : std::to_string(strategy.horses) + " chevaux";
    return horses + ", bénéfice recherché " + profit + ", mises " +
           RoundingModeText(strategy.rounding) + ", cotes " + OddsSetName(strategy.odds) +
           (strategy.oddsOffset == 0 ? "" : " lues comme rapports");
}

std::string BacktestCsv(const std::vector<BacktestRow>& rows, char separator) {
    std::string csv = std::string(BacktestCsvHeader) + '\n';
    csv.reserve(csv.size() + rows.size() * 48);
    std::vector<std::int64_t> balances = RunningBalance(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const BacktestRow& row = rows[i];
        bool played = row.skipped == SkipReason::None;
        // Amounts stay bare: a field through CsvField would turn "-35,00" into a text.
        csv += std::to_string(row.race) + ';' + (played ? HorsesText(row) : "") + ';' +
               EurosText(played ? row.staked : 0, separator) + ';' +
               EurosText(played ? row.won : 0, separator) + ';' +
               EurosText(balances[i], separator) + ';' + CsvField(SkipReasonText(row.skipped)) +
               '\n';
    }
    return csv;
}

std::optional<RoundingMode> RoundingModeNamed(std::string_view name) {
    if (name == "decimales") return RoundingMode::Decimals;
    if (name == "entier") return RoundingMode::WholeUnits;
    if (name == "dizaine") return RoundingMode::UpToTen;
    return std::nullopt;
}

const char* RoundingModeName(RoundingMode mode) {
    switch (mode) {
    case RoundingMode::WholeUnits:
        return "entier";
    case RoundingMode::UpToTen:
        return "dizaine";
    default:
        return "decimales";
    }
}

const char* RoundingModeText(RoundingMode mode) {
    switch (mode) {
    case RoundingMode::WholeUnits:
        return "sans virgules";
    case RoundingMode::UpToTen:
        return "à la dizaine supérieure";
    default:
        return "avec décimales";
    }
}

std::optional<float> BacktestProfitFrom(std::string_view text) {
    std::string typed = Trim(text);
    ReplaceFirstComma(typed);
    // Read straight into single precision, so that a profit written in its shortest form
    // (the main window's, say) comes back as the very same value.
    float value = 0;
    auto [end, ec] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
    if (ec != std::errc() || end != typed.data() + typed.size() || typed.empty()) return {};
    if (!(value > 0) || value > MaxBacktestProfit) return std::nullopt;
    return value;
}

} // namespace sg
