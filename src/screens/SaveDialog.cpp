#include "screens/SaveDialog.h"

#include "screens/Controls.h"

#include <QAbstractFileIconProvider>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

namespace sg {

namespace {

// The types of the dialog's list in French: the toolkit's own say "Folder" and "csv File".
class FrenchFileTypes : public QAbstractFileIconProvider {
  public:
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return "Dossier";
        QString suffix = info.suffix().toUpper();
        return suffix.isEmpty() ? QString("Fichier") : "Fichier " + suffix;
    }
};

} // namespace

void AskWhereToSaveCsv(QWidget* parent, const QString& startPath,
                       std::function<void(const std::string&)> chosen) {
    auto* dialog = new QFileDialog(parent, "Exporter en CSV", startPath, "Fichiers CSV (*.csv)");
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix("csv");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // One for every dialog, and for the whole run: a dialog may read it until it is gone.
    static auto* const types = new FrenchFileTypes;
    dialog->setIconProvider(types);
    dialog->setLabelText(QFileDialog::LookIn, "Dossier :");
    dialog->setLabelText(QFileDialog::FileName, "Nom du fichier :");
    dialog->setLabelText(QFileDialog::FileType, "Type :");
    dialog->setLabelText(QFileDialog::Accept, "Enregistrer");
    dialog->setLabelText(QFileDialog::Reject, "Annuler");
    // Wide enough for the names, and the sizes, types and dates as wide as their titles.
    dialog->resize(820, 480);
    if (auto* list = dialog->findChild<QTreeView*>()) {
        QHeaderView* titles = list->header();
        titles->setStretchLastSection(false);
        titles->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < titles->count(); ++column)
            titles->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    QObject::connect(dialog, &QFileDialog::fileSelected, parent,
                     [chosen = std::move(chosen)](const QString& path) { chosen(S(path)); });
    dialog->open();
}

} // namespace sg
