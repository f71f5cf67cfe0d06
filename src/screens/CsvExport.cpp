#include "screens/CsvExport.h"

#include "racefile/RaceSession.h"
#include "screens/Controls.h"

#include <QFileDialog>

#include <filesystem>
#include <fstream>

namespace sg {

void AskCsvPath(QWidget* parent, const std::string& raceFilePath, const std::string& suggested,
                std::function<void(const std::string&)> save) {
    namespace fs = std::filesystem;
    fs::path folder = fs::path(raceFilePath).parent_path();
    auto* dialog = new QFileDialog(parent, "Exporter en CSV", Q((folder / suggested).string()),
                                   "Fichiers CSV (*.csv)");
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix("csv");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::fileSelected, parent,
                     [save = std::move(save)](const QString& path) { save(S(path)); });
    dialog->open();
}

bool WriteCsvExport(Prompter& prompter, const std::string& path, const std::string& raceFilePath,
                    const std::function<void(std::ostream&)>& write) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (HasRaceFileExtension(path) || fs::equivalent(path, raceFilePath, error)) {
        prompter.message(Messages::BacktestCsvOnRaceFile);
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) write(file);
    if (file) file.close();
    if (!file) {
        prompter.message("Le fichier « " + path + " » n'a pas pu être écrit.");
        return false;
    }
    return true;
}

} // namespace sg
