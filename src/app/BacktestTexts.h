// The back-test in French: why a race was skipped, the lines of a summary, the CSV file of the
// races, and the choices of a strategy as a user types or names them.
#pragma once

#include "ledger/BacktestSummary.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

// "nombre de partants non indiqué", ...; empty for a race played.
const char* SkipReasonText(SkipReason reason);

// One line of a summary: what is counted, and its value.
struct SummaryLine {
    std::string label;
    std::string value;
};

// The summary as lines. A reason that skipped no race is left out, unless it skipped some in
// the summary shown alongside: two summaries given each other have the same labels.
std::vector<SummaryLine> SummaryLines(const BacktestSummary& summary, char decimalSeparator,
                                      const BacktestSummary* alongside = nullptr);

// The strategy in one line: "4 chevaux, bénéfice recherché 10, mises avec décimales, cotes PMH".
std::string StrategyText(const BacktestStrategy& strategy, char decimalSeparator);

// The pieces of those texts: a target profit in its shortest writing ("12,5"), whole euros
// with two decimals ("1234,00"), a percentage with two decimals ("-4,21", then " %" in the
// text form).
std::string ProfitText(float profit, char decimalSeparator);
std::string EurosText(std::int64_t euros, char decimalSeparator);
std::string PercentNumber(double value, char decimalSeparator);
std::string PercentText(double value, char decimalSeparator);

// The CSV header, then one line per race of the rows: the amounts as numbers with the decimal
// separator given (a French spreadsheet reads "1234,00" as a number), the horses played as
// "7 - 1 - 4", a text no spreadsheet takes for a date.
inline constexpr const char* BacktestCsvHeader =
    "Course;Chevaux joués;Mise;Gain;Bilan cumulé;Motif";
std::string BacktestCsv(const std::vector<BacktestRow>& rows, char decimalSeparator);
// The separator of a CSV export unless the user chooses another: the comma of French
// spreadsheets, whatever the desktop's own.
inline constexpr char CsvDecimalSeparator = ',';

// The rounding modes by their short names on a command line: "decimales", "entier", "dizaine";
// and as a user reads them: "avec décimales", "sans virgules", "à la dizaine supérieure".
std::optional<RoundingMode> RoundingModeNamed(std::string_view name);
const char* RoundingModeName(RoundingMode mode);
const char* RoundingModeText(RoundingMode mode);

// A target profit typed by the user, with a point or a comma: a number above 0 and at most
// MaxBacktestProfit. Empty otherwise.
inline constexpr double MaxBacktestProfit = 100000;
std::optional<float> BacktestProfitFrom(std::string_view text);

} // namespace sg
