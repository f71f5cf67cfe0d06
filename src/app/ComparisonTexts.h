// The comparison of strategies in French: the lists a user types to choose the grid, the
// columns of the ranked table as the window and the race tool show them, and its CSV file.
#pragma once

#include "app/BacktestTexts.h"
#include "ledger/StrategyComparison.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

// What the comparison tab says when its choices cannot be read.
inline constexpr const char* ComparisonNothingChosen =
    "Cochez au moins un nombre de chevaux, une façon de miser et un jeu de cotes.";
inline constexpr const char* ComparisonBadProfits =
    "Les bénéfices recherchés doivent être des montants supérieurs à 0 et d'au plus 100000, "
    "séparés par « / » (par exemple 5/10/12,5).";
inline constexpr const char* ComparisonBadFilter = "Ce filtre ne se lit pas : ";

// Lists are written with "/" between items, so that a decimal comma reads as in a single value:
// horses "1-9", "2/3/4" or "1-3/7" (1 to 9); profits "5/10/12,5" (as BacktestProfitFrom);
// roundings "decimales/entier/dizaine" or "tous"; odds sets "PMH/PMU". An item given twice
// counts once; empty when an item cannot be read.
std::optional<std::vector<int>> HorseCountsFrom(std::string_view text);
std::optional<std::vector<float>> TargetProfitsFrom(std::string_view text);
std::optional<std::vector<RoundingMode>> RoundingModesFrom(std::string_view text);
std::optional<std::vector<OddsSet>> OddsSetsFrom(std::string_view text);
// Names "VINCENNES/ENGHIEN", each trimmed; empty when one is empty.
std::optional<std::vector<std::string>> NamesFrom(std::string_view text);

// "MIN-MAX" or a single value, MIN at most MAX, both at least 0; decimals with a point or a
// comma.
std::optional<Bounds<int>> WholeBoundsFrom(std::string_view text);
std::optional<Bounds<double>> DecimalBoundsFrom(std::string_view text);

// The filters in one line: "partants 8 à 14, cote du favori 1,5 à 4"; "aucun" without any.
std::string FiltersText(const RaceFilters& filters, char decimalSeparator);

// "apprentissage : courses 1 à 28 (70 %), contrôle : courses 29 à 40".
std::string PartsText(const Comparison& comparison, double learningPercent, char decimalSeparator);

// A cell of the ranked table: its text, and the number it sorts by (empty: by its text).
struct ComparisonCell {
    std::string text;
    std::optional<double> number;
};
std::vector<std::string> ComparisonColumnNames();
// The cells of one strategy, in the order of the names; `rank` from 1. The interval is the
// normal one; a strategy whose interval holds 0 reads "non" under "Distinct du hasard".
std::vector<ComparisonCell> ComparisonCells(const StrategyResult& result, int rank,
                                            char decimalSeparator);
inline constexpr int ComparisonLearningColumn = 5; // "Apprentissage"
inline constexpr int ComparisonReturnColumn = 7;   // "Rendement"

// The CSV file of the table, best first: the strategy and its totals over the whole filtered
// range, then the other figures, amounts and percentages as plain numbers with the separator.
inline constexpr const char* ComparisonCsvHeaderStart =
    "Chevaux;Bénéfice recherché;Arrondi;Cotes;Courses jouées;Total des mises;Total des gains;"
    "Bilan";
void WriteComparisonCsv(std::ostream& out, const Comparison& comparison,
                        const std::vector<std::size_t>& order, char decimalSeparator);

// "4 chevaux, bénéfice recherché 10, ...: intervalle à 90 % par rééchantillonnage des courses
// (2000 tirages) : de -8,10 % à -0,32 %".
std::string IntervalText(const std::optional<ReturnInterval>& interval, char decimalSeparator);

} // namespace sg
