// The CSV file of a back-test's races, as the back-test window and the race tool export it:
// never over a race file, written whole or not at all, a failure said the same way by both.
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

// Writes the rows as BacktestCsv writes them. A failure leaves the path as it was and gives
// the message to show.
std::optional<std::string> ExportBacktestCsv(const std::string& csvPath,
                                             const std::vector<BacktestRow>& rows,
                                             char decimalSeparator);

} // namespace sg
