// The export of a window's results as a CSV file: the save dialog in the race file's folder,
// and the writing through the core's export rule, with its message when it fails.
#pragma once

#include "screens/Prompter.h"

#include <functional>
#include <ostream>
#include <string>

class QWidget;

namespace sg {

// A save dialog for a CSV file, opened beside the race file with the suggested name; `save`
// runs with the path chosen (not when the user cancels).
void AskCsvPath(QWidget* parent, const std::string& raceFilePath, const std::string& suggested,
                std::function<void(const std::string&)> save);

// Writes the file, whole, through `write`; false, after a message, when the path is a race file
// (by its name or the race file itself) or the file cannot be written.
bool SaveCsvExport(Prompter& prompter, const std::string& path, const std::string& raceFilePath,
                   const std::function<void(std::ostream&)>& write);

} // namespace sg
