// The import of the PMU's races of a period into a race file, day by day: each race imported
// becomes one record (appended after the last race of the file, or updated in place when the
// index says the importer wrote it and nobody changed it since) and one line of the index.
#pragma once

#include "pmu/DocumentSource.h"
#include "pmu/ImportReport.h"

#include <functional>
#include <optional>
#include <string>

namespace sg {

struct ImportRequest {
    std::string raceFilePath; // created when missing
    CalendarDay first, last;
};

struct ImportOutcome {
    ImportSummary summary;
    std::optional<ImportError> failure;
};

// Imports every race of the days first to last. `progress` receives a line at the end of each
// day. A day is written once its documents are all in: its index lines first, then its records,
// so that a kill at any moment leaves whole races and an index a second run can go on from
// (a line whose record never came in points past the end of the file, and an update that
// never came in leaves the record as the line before it says).
ImportOutcome ImportRaces(const ImportRequest& request, DocumentSource& source,
                          const std::function<void(const std::string&)>& progress);

} // namespace sg
