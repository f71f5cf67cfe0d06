#include "screens/CsvExport.h"

#include "app/BacktestExport.h"
#include "screens/Controls.h"
#include "screens/SaveDialog.h"

#include <filesystem>
#include <sstream>

namespace sg {

void AskCsvPath(QWidget* parent, const std::string& raceFilePath, const std::string& suggested,
                std::function<void(const std::string&)> save) {
    namespace fs = std::filesystem;
    fs::path folder = fs::path(raceFilePath).parent_path();
    AskWhereToSaveCsv(parent, Q((folder / suggested).string()), std::move(save));
}

bool SaveCsvExport(Prompter& prompter, const std::string& path, const std::string& raceFilePath,
                   const std::function<void(std::ostream&)>& write) {
    auto failure = CsvPathRefused(path, raceFilePath);
    if (!failure) {
        std::ostringstream content;
        write(content);
        failure = WriteCsvExport(path, content.str());
    }
    if (failure) prompter.message(*failure);
    return !failure;
}

} // namespace sg
