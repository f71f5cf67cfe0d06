// sg-race comparer: many strategies played on the races of a file at once, ranked by their
// return on the first part of the range, with the second part's return and an interval beside.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sg {

inline constexpr const char* CompareUsage =
    "sg-race comparer FICHIER [--chevaux 1-9|2/3/4] [--benefice 5/10/12,5/20] "
    "[--arrondi decimales/entier/dizaine|tous] [--cotes PMH/PMU] [--rapports] [--de N] [--a M] "
    "[--partants MIN-MAX] [--cote-favori MIN-MAX] [--somme-probas MIN-MAX] [--du JJ/MM/AAAA] "
    "[--au JJ/MM/AAAA] [--hippodrome NOMS] [--discipline NOMS] [--apprentissage POURCENT] "
    "[--csv FICHIER] [--separateur ,|.]";

// Runs "comparer FILE [options]" (arguments[0] is "comparer"): prints the ranked table to out,
// writes the CSV when asked. Returns the French line to show on standard error when it fails.
std::optional<std::string> RunCompareCommand(const std::vector<std::string>& arguments,
                                             std::ostream& out);

} // namespace sg
