// sg-race bilan: the back-test of a strategy over a race file, from the shell.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sg {

inline constexpr const char* BacktestUsage =
    "sg-race bilan FICHIER [--chevaux K] [--benefice X] [--arrondi decimales|entier|dizaine] "
    "[--cotes PMH|PMU] [--rapports] [--de N] [--a M] [--csv FICHIER] [--separateur ,|.]";

// Runs "bilan FILE [options]" (arguments[0] is "bilan"): prints the summary to out, writes the
// CSV when asked. Returns the French line to show on standard error when it fails.
std::optional<std::string> RunBacktestCommand(const std::vector<std::string>& arguments,
                                              std::ostream& out);

} // namespace sg
