// How the main window reacts to the profit it shows, and how "Accepter" turns it into the
// wanted profit of the search.
#pragma once

#include <optional>
#include <string>

namespace sg {

struct ProfitReaction {
    bool lowProfit;   // the shown profit reads below 1: the search must stop at its next step
    bool showWarning; // the profit is negative: "Rentabilité impossible" is shown
};
ProfitReaction ReactToProfitText(const std::string& profitText);

// The whole part of the shown profit as the wanted-profit text (" 203", "-31"); empty when
// the shown text holds a number too large to read.
std::optional<std::string> WantedProfitFromProfitText(const std::string& profitText);

// "Rafraîchir" only works once a positive profit is shown.
bool ShowsPositiveProfit(const std::string& profitText);

} // namespace sg
