// The equal-return split of one bet over the horses played: stakes, total, profit and ratio.
#pragma once

#include "calc/CalculatorState.h"
#include "calc/StakeSteps.h"

#include <array>
#include <optional>
#include <string>

namespace sg {

// The texts of the main window that the computation reads back and writes.
struct StakeTexts {
    std::array<std::string, 10> Label2; // the stakes of columns 1..9 (0 unused)
    std::string Label19;                // "TOTAL DES MISES ..."
    std::string Label4;                 // the profit
    std::string lblRapport;             // the ratio of total stake to profit
};

// The stake of one played horse in the given mode; empty when it cannot be written.
std::optional<std::string> StakeText(float stake, RoundingMode mode, char decimalSeparator);

// Whether a played column 1..k has an odds text that reads 0. While the example fills the
// screen ("nao"), four horses go on without odds. A number too large to read is still odds
// typed: the computation decides what it gives.
bool PlayedOddsMissing(int k, const std::array<std::string, 10>& oddsTexts,
                       const std::string& exampleMarker);

// The message for missing odds, if any (the compute button).
std::optional<std::string> MissingOddsForComputation(int k,
                                                     const std::array<std::string, 10>& oddsTexts,
                                                     const std::string& exampleMarker);

// The full computation of the compute button for k horses (after the odds check). Every step
// that fails (a division by zero, a value beyond its type) leaves its target as it was.
void ComputeStakes(CalculatorState& state, int k, RoundingMode mode, char decimalSeparator,
                   StakeTexts& texts);

// The same computation without a word to the user: no "aucun", no profit or ratio text, and
// the stakes of columns 1 and 2 always written. Used by the profit search.
void PreviewStakes(CalculatorState& state, int k, RoundingMode mode, char decimalSeparator,
                   StakeTexts& texts);

// Sums the stake texts of columns 1..PlayedHorseCount into StakeTotal, Label19 and
// StakeTotalWhole; a decimal comma is first turned into a point when asked.
void RefreshStakeTotal(CalculatorState& state, StakeTexts& texts, bool pointForComma,
                       char decimalSeparator);

// Raises every stake text to the next multiple of the leading number of multipleText (its
// first comma read as a decimal point), then refreshes the total. Profit and ratio stay as
// they are.
void RoundStakesToMultiple(CalculatorState& state, StakeTexts& texts,
                           const std::string& multipleText, char decimalSeparator);

} // namespace sg
