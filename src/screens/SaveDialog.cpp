#include "screens/SaveDialog.h"

#include "screens/Controls.h"

#include <QFileDialog>

namespace sg {

void AskWhereToSaveCsv(QWidget* parent, const QString& startPath,
                       std::function<void(const std::string&)> chosen) {
    auto* dialog = new QFileDialog(parent, "Exporter en CSV", startPath, "Fichiers CSV (*.csv)");
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix("csv");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QFileDialog::fileSelected, parent,
                     [chosen = std::move(chosen)](const QString& path) { chosen(S(path)); });
    dialog->open();
}

} // namespace sg
