// The rules of the runner rows: how many runners the count box means, the items of the PMU
// number lists, deleting a row, and which rows a race's runner count enables.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace sg {

inline constexpr int RunnerRows = 22; // rows 1..22; index 0 is the hidden template

// The runner count typed in the count box, rounded half to even; empty when it does not fit.
std::optional<int> RunnerCountOf(const std::string& countText);

// The items of a PMU number list for n runners: " 1" to " n" (none for n below 1).
std::vector<std::string> PmuNumberItems(int n);

// Deleting row `index` among n runners: rows index+1..n move up one, row n is emptied. Rows
// beyond 22 do not exist, so copies from or to them are passed over.
using RowTexts = std::array<std::string, RunnerRows + 1>;
void DeleteRunnerRow(RowTexts& odds, RowTexts& numbers, int index, int n);

// For a race's runner count c: rows 5..c enabled and c+1..22 disabled when c is above 5;
// otherwise no row changes. Entry i is the new state of row i, empty for no change.
std::array<std::optional<bool>, RunnerRows + 1> RowsEnabledForRunnerCount(double c);

} // namespace sg
