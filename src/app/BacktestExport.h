// The CSV files the windows and the race tool export (a back-test's races, a comparison's
// strategies, the journal): never over a race file, written whole or not at all, a failure said
// the same way everywhere.
#pragma once

#include "ledger/Backtest.h"

#include <optional>
#include <string>
#include <vector>

namespace sg {

// Why the CSV may not go to that path (a race file's name, or the race file the rows are
// of); empty when it may.
std::optional<std::string> CsvPathRefused(const std::string& csvPath,
                                          const std::string& raceFilePath);

// Writes a CSV file's whole text; a failure leaves the path as it was and gives the message to
// show (the same in the windows and the race tool).
std::optional<std::string> WriteCsvExport(const std::string& csvPath, const std::string& content);

// Writes the rows as BacktestCsv writes them. A failure leaves the path as it was and gives
// the message to show.
std::optional<std::string> ExportBacktestCsv(const std::string& csvPath,
                                             const std::vector<BacktestRow>& rows,
                                             char decimalSeparator);

} // namespace sg
