#include "screens/frmJournal.h"

#include "app/JournalTexts.h"
#include "racefile/Platform.h"
#include "racefile/RaceSession.h"
#include "screens/BalanceChart.h"
#include "screens/Controls.h"
#include "screens/SaveDialog.h"
#include "screens/Screens.h"
#include "screens/TextTables.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace sg {

frmJournal::frmJournal(Screens& screens) : QWidget(nullptr), screens_(screens) {
    setObjectName("frmJournal");
    setWindowTitle("Journal des paris");
    resize(1000, 680);

    cboFichier = new QComboBox(this);
    cboFichier->setObjectName("cboFichier");
    cboFichier->setMinimumContentsLength(30);
    cboFichier->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    txtDu = new QLineEdit(this);
    txtDu->setObjectName("txtDu");
    txtAu = new QLineEdit(this);
    txtAu->setObjectName("txtAu");
    for (QLineEdit* date : {txtDu, txtAu}) {
        date->setPlaceholderText("JJ/MM/AAAA");
        date->setMaximumWidth(110);
    }
    cmdAfficher = new QPushButton("Afficher", this);
    cmdAfficher->setObjectName("cmdAfficher");
    cmdAfficher->setDefault(true);
    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel("Fichier :", this));
    filter->addWidget(cboFichier, 1);
    filter->addWidget(new QLabel("du", this));
    filter->addWidget(txtDu);
    filter->addWidget(new QLabel("au", this));
    filter->addWidget(txtAu);
    filter->addWidget(cmdAfficher);

    tblJournal = MakeTextTable(this, "tblJournal");
    tblJournal->setMinimumHeight(200);
    lblTotaux = new QLabel(this);
    lblTotaux->setObjectName("lblTotaux");
    QFont bold = lblTotaux->font();
    bold.setBold(true);
    lblTotaux->setFont(bold);
    chtJournal =
        new BalanceChart("Bilan cumulé jeu après jeu (euros)", "Jeu", "Bilan (euros)", this);
    chtJournal->setObjectName("chtJournal");
    chtJournal->setMinimumHeight(220);
    lblEtat = new QLabel(this);
    lblEtat->setObjectName("lblEtat");
    lblEtat->setWordWrap(true);
    SetForeColor(lblEtat, QColor(180, 0, 0));
    cmdExporter = new QPushButton("Exporter ces lignes en CSV...", this);
    cmdExporter->setObjectName("cmdExporter");
    auto* exportRow = new QHBoxLayout;
    exportRow->addWidget(lblTotaux, 1);
    exportRow->addWidget(cmdExporter);

    auto* page = new QVBoxLayout(this);
    page->addLayout(filter);
    page->addWidget(tblJournal, 3);
    page->addLayout(exportRow);
    page->addWidget(chtJournal, 2);
    page->addWidget(lblEtat);

    connect(cmdAfficher, &QPushButton::clicked, this, [this] { cmdAfficher_Click(); });
    connect(cmdExporter, &QPushButton::clicked, this, [this] { cmdExporter_Click(); });
    connect(cboFichier, &QComboBox::activated, this, [this] { cmdAfficher_Click(); });
    for (QLineEdit* date : {txtDu, txtAu})
        connect(date, &QLineEdit::returnPressed, this, [this] { cmdAfficher_Click(); });
    SetTabChain({cboFichier, txtDu, txtAu, cmdAfficher, tblJournal, cmdExporter});
    UseDesktopKeys(this, true);
}

void frmJournal::ShowJournal() {
    show();
    raise();
    activateWindow();
    cmdAfficher_Click();
}

void frmJournal::FillFileChoices(const std::vector<std::string>& files) {
    QString chosen = cboFichier->currentText();
    QStringList items{QString::fromUtf8(AllRaceFiles)};
    for (const std::string& file : files) items << Q(file);
    cboFichier->clear();
    cboFichier->addItems(items);
    int index = cboFichier->findText(chosen);
    cboFichier->setCurrentIndex(index < 0 ? 0 : index);
}

void frmJournal::cmdAfficher_Click() {
    const SharedState& state = screens_.state;
    char separator = state.settings.DecimalSeparator;
    Journal journal = state.journal.folder.empty() ? Journal{} : ReadJournal(state.journal.folder);
    FillFileChoices(JournalRaceFiles(journal.entries));
    JournalFilterChoice choice =
        JournalFilterFrom(S(cboFichier->currentText()), S(txtDu->text()), S(txtAu->text()));
    shown_ = FilterJournal(journal.entries, choice.filter);

    TextTable table{JournalTableHeader(), {}};
    for (auto entry = shown_.rbegin(); entry != shown_.rend(); ++entry)
        table.rows.push_back(JournalRowTexts(*entry, separator));
    ShowTable(tblJournal, table, false, 6); // from the amounts on, numbers
    lblTotaux->setText(Q(JournalTotalsText(TotalJournal(shown_), separator)));

    BalanceChart::Curve curve{"Bilan cumulé", QColor(32, 96, 192), {}};
    std::vector<std::int64_t> balances = JournalBalanceCurve(shown_);
    for (std::size_t i = 0; i < balances.size(); ++i)
        curve.points.append(QPointF(double(i + 1), static_cast<double>(balances[i]) / 100));
    chtJournal->setCurves({curve});

    std::vector<std::string> notes = choice.notes;
    notes.insert(notes.end(), journal.notes.begin(), journal.notes.end());
    if (!state.journal.failure.empty()) notes.insert(notes.begin(), state.journal.failure);
    std::string said;
    for (const std::string& note : notes) said += (said.empty() ? "" : "\n") + note;
    lblEtat->setText(Q(said));
    cmdExporter->setEnabled(!shown_.empty());
}

void frmJournal::cmdExporter_Click() {
    AskWhereToSaveCsv(this, QDir::home().filePath("journal-des-paris-export.csv"),
                      [this](const std::string& path) { ExportCsv(path); });
}

bool frmJournal::ExportCsv(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const std::string& folder = screens_.state.journal.folder;
    // The export is written whole: it must never take the place of the journal or a race file.
    if (HasRaceFileExtension(path) ||
        (!folder.empty() && fs::equivalent(path, JournalPathIn(folder), error))) {
        screens_.prompter.message(JournalExportRefused);
        return false;
    }
    if (auto failed = WriteWholeFile(path, os::SpreadsheetText(JournalText(shown_)))) {
        screens_.prompter.message(JournalExportFailed(path, *failed));
        return false;
    }
    return true;
}

void frmJournal::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

} // namespace sg
