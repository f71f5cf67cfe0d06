// sg-race analyse: what a bet on given odds really does, from the shell, one labelled value a
// line, as the analysis window shows it.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sg {

inline constexpr const char* AnalyseUsage =
    "sg-race analyse --cotes C1 C2 ... --chevaux K [--benefice X] "
    "[--arrondi decimales|entier|dizaine] [--rapports] [--masse EUROS] [--prelevement POURCENT] "
    "[--budget EUROS]";

// Runs "analyse [options]" (arguments[0] is "analyse"): prints the analysis to out. Returns the
// French line to show on standard error when it fails.
std::optional<std::string> RunAnalyseCommand(const std::vector<std::string>& arguments,
                                             std::ostream& out);

} // namespace sg
