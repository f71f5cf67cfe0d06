// sg-race importer: the PMU's races of a period into a race file, from the service or a folder.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace sg {

inline constexpr const char* ImportUsage =
    "sg-race importer FICHIER --du JJ/MM/AAAA [--au JJ/MM/AAAA] [--source BASE] "
    "[--cache DOSSIER] [--pause SECONDES]";

// The service the documents come from when no --source is given.
inline constexpr const char* DefaultServiceAddress =
    "https://online.turfinfo.api.pmu.fr/rest/client/1";

// Runs the command; a line a day and the summary go to `out` (flushed line by line, for a
// window that reads them as they come). Returns the failure line.
std::optional<std::string> RunImportCommand(const std::vector<std::string>& arguments,
                                            std::ostream& out);

} // namespace sg
