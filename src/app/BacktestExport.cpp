#include "app/BacktestExport.h"

#include "app/BacktestTexts.h"
#include "app/Messages.h"
#include "racefile/Platform.h"
#include "racefile/RaceSession.h"
#include "racefile/WholeFile.h"

#include <filesystem>

namespace sg {

std::optional<std::string> CsvPathRefused(const std::string& csvPath,
                                          const std::string& raceFilePath) {
    std::error_code error;
    if (HasRaceFileExtension(csvPath) ||
        std::filesystem::equivalent(os::PathOf(csvPath), os::PathOf(raceFilePath), error))
        return Messages::CsvOnRaceFile(csvPath);
    return std::nullopt;
}

std::optional<std::string> WriteCsvExport(const std::string& csvPath, const std::string& content) {
    if (auto failure = WriteWholeFile(csvPath, os::SpreadsheetText(content)))
        return Messages::CsvNotWritten(csvPath, failure->Message());
    return std::nullopt;
}

std::optional<std::string> ExportBacktestCsv(const std::string& csvPath,
                                             const std::vector<BacktestRow>& rows,
                                             char decimalSeparator) {
    return WriteCsvExport(csvPath, BacktestCsv(rows, decimalSeparator));
}

} // namespace sg
