// The analysis of the bet in French: the tables and lines the analysis window shows, the same
// as labelled lines for a script, and the values a user types into the analysis (pool,
// takeout, budget, bet units).
#pragma once

#include "app/BacktestTexts.h"
#include "calc/BetAnalysis.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

// A table of texts: its column titles, then one row of cells per line.
struct TextTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

struct BetAnalysisTexts {
    std::vector<SummaryLine> book; // the race's book, the played horses', the share, ...
    SummaryLine marketNote;        // the chances are the market's estimates
    TextTable horses;              // each possible winner
    TextTable drift;               // every odds moved together
    TextTable tolerance;           // each horse's odds alone
    std::vector<SummaryLine> poolSettings;
    TextTable pool;                        // empty without a pool
    std::vector<SummaryLine> poolWarnings; // one per horse whose odds the stakes lower by > 2 %
    std::vector<SummaryLine> budgetLines;  // the budget, then (last) the total it places
    TextTable budget;
    std::vector<SummaryLine> unitLines; // the minimum, the step, then (last) the total
    TextTable units;
};

// `names` names the played horses in their order ("1 (n° 14)"); see HorseNames.
BetAnalysisTexts AnalysisTexts(const BetAnalysis& analysis, const std::vector<std::string>& names,
                               char decimalSeparator);

// The played columns' names: their rank, and the PMU number when one is given.
std::vector<std::string> HorseNames(int count, const std::vector<std::string>& numbers = {});

// Every text of the analysis as one "label : value" line each, in the order of the window; a
// table cell's label is its row's name and its column's title ("Cheval 1, mise : 31.25").
std::vector<std::string> AnalysisLines(const BetAnalysisTexts& texts);

// Why there is no analysis.
const char* AnalysisRefusalText(AnalysisRefusal refusal);

// A number typed by a user, with a point or a comma, filling the whole text (blanks around
// allowed), within low..high. Empty otherwise.
std::optional<double> TypedNumber(std::string_view text, double low, double high);

// The limits of what the analysis takes.
inline constexpr double MaxPool = 1e12;         // euros
inline constexpr double MaxTakeoutPercent = 99; // percent
inline constexpr double MaxBudget = 1e9;        // euros
inline constexpr double MaxStakeUnit = 1e6;     // euros, for the minimum stake and the step

// What the user typed into the analysis window's boxes.
struct TypedAnalysisSettings {
    std::string pool, takeoutPercent, budget, minimumStake, stakeStep;
};
// Sets the pool, takeout, budget and bet units of the input from what was typed: an empty pool
// or budget is none; a text that is no number within its limits keeps the input's value and
// gives a note (one French line each), and a takeout not understood leaves the pool out.
std::vector<std::string> ReadAnalysisSettings(const TypedAnalysisSettings& typed,
                                              BetAnalysisInput& input);

// Where the pool in the analysis window comes from.
enum class PoolSource { Imported, Typed, Unknown };
const char* PoolSourceText(PoolSource source);

// "4 chevaux joués, mises avec décimales".
std::string PlayedBetCaption(int horses, RoundingMode mode);

// The start texts of the analysis window's boxes.
inline constexpr const char* DefaultTakeoutPercent = "14";
inline constexpr const char* DefaultMinimumStake = "1.50";
inline constexpr const char* DefaultStakeStep = "0.10";

} // namespace sg
