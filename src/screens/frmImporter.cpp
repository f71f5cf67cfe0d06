#include "screens/frmImporter.h"

#include "app/ImportTexts.h"
#include "pmu/ImportReport.h"
#include "racefile/RaceIndex.h"
#include "screens/Controls.h"
#include "screens/RaceProcedures.h"
#include "screens/Screens.h"
#include "screens/frmOptions.h"
#include "screens/frmOuvrir.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace sg {

namespace {

// A child that does not end on the polite request is ended outright after this long.
constexpr int KillAfterMilliseconds = 3000;

template <typename W> W* Named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

frmImporter::frmImporter(Screens& screens) : QWidget(nullptr), screens_(screens) {
    setObjectName("frmImporter");
    setWindowTitle(ImportTexts::Title);
    resize(620, 560);
    ToolPath = QCoreApplication::applicationDirPath() + "/sg-race";

    lblFichier = Named(new QLabel(this), "lblFichier");
    lblFichier->setWordWrap(true);
    lblFichier->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* periodBox = new QGroupBox("Jours à importer", this);
    auto* periodRow = new QHBoxLayout(periodBox);
    txtDu = Named(new QLineEdit(periodBox), "txtDu");
    txtAu = Named(new QLineEdit(periodBox), "txtAu");
    for (QLineEdit* box : {txtDu, txtAu}) {
        box->setPlaceholderText("JJ/MM/AAAA");
        box->setMaxLength(10);
        box->setMaximumWidth(120);
    }
    periodRow->addWidget(new QLabel("Du", periodBox));
    periodRow->addWidget(txtDu);
    periodRow->addWidget(new QLabel("au", periodBox));
    periodRow->addWidget(txtAu);
    periodRow->addStretch(1);

    auto* sourceBox = new QGroupBox("Source des documents", this);
    auto* sourceForm = new QVBoxLayout(sourceBox);
    optService =
        Named(new QRadioButton("Le service du PMU, par internet", sourceBox), "optService");
    optDossier = Named(new QRadioButton("Un dossier de documents déjà téléchargés :", sourceBox),
                       "optDossier");
    optService->setChecked(true);
    txtDossier = Named(new QLineEdit(sourceBox), "txtDossier");
    txtDossier->setPlaceholderText("dossier (ou adresse http:// d'un autre service)");
    cmdParcourir = Named(new QPushButton("Parcourir...", sourceBox), "cmdParcourir");
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(txtDossier, 1);
    folderRow->addWidget(cmdParcourir);
    sourceForm->addWidget(optService);
    sourceForm->addWidget(optDossier);
    sourceForm->addLayout(folderRow);

    lblEstimation = Named(new QLabel(this), "lblEstimation");
    lblEstimation->setWordWrap(true);

    cmdImporter = Named(new QPushButton("Importer", this), "cmdImporter");
    cmdImporter->setDefault(true);
    cmdAnnuler = Named(new QPushButton("Annuler", this), "cmdAnnuler");
    prgImport = Named(new QProgressBar(this), "prgImport");
    prgImport->setFormat("%v / %m jours");
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(cmdImporter);
    runRow->addWidget(prgImport, 1);
    runRow->addWidget(cmdAnnuler);
    lblJour = Named(new QLabel(this), "lblJour");

    txtCompteRendu = Named(new QPlainTextEdit(this), "txtCompteRendu");
    txtCompteRendu->setReadOnly(true);
    txtCompteRendu->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    auto* page = new QVBoxLayout(this);
    page->addWidget(lblFichier);
    page->addWidget(periodBox);
    page->addWidget(sourceBox);
    page->addWidget(lblEstimation);
    page->addLayout(runRow);
    page->addWidget(lblJour);
    page->addWidget(txtCompteRendu, 1);

    for (QLineEdit* box : {txtDu, txtAu, txtDossier})
        connect(box, &QLineEdit::textChanged, this, [this] { ShowEstimate(); });
    connect(optService, &QRadioButton::toggled, this, [this] { ShowEstimate(); });
    connect(txtDossier, &QLineEdit::textEdited, this, [this] { optDossier->setChecked(true); });
    connect(cmdImporter, &QPushButton::clicked, this, [this] { cmdImporter_Click(); });
    connect(cmdAnnuler, &QPushButton::clicked, this, [this] { cmdAnnuler_Click(); });
    connect(cmdParcourir, &QPushButton::clicked, this, [this] { cmdParcourir_Click(); });
    // Yesterday: the last day whose races are all run.
    QString yesterday = QDate::currentDate().addDays(-1).toString("dd/MM/yyyy");
    txtDu->setText(yesterday);
    txtAu->setText(yesterday);
    SetRunning(false);
    UseDesktopKeys(this, true);
}

frmImporter::~frmImporter() {
    if (process_) {
        process_->disconnect(this);
        process_->kill(); // the races imported so far stay whole
        process_->waitForFinished(KillAfterMilliseconds);
    }
}

void frmImporter::ShowForOpenFile() {
    const RaceSession& race = screens_.state.race;
    if (!IsRunning())
        lblFichier->setText(race.NoRaceFileOpen()
                                ? ImportTexts::NoFileOpen
                                : "Fichier de courses : " + Q(race.RaceFilePath()));
    ShowEstimate();
    show();
    raise();
    activateWindow();
}

std::optional<frmImporter::Period> frmImporter::ChosenPeriod() const {
    Period period{S(txtDu->text().trimmed()), S(txtAu->text().trimmed())};
    if (period.last.empty()) period.last = period.first;
    auto first = DayFromText(period.first), last = DayFromText(period.last);
    if (!first || !last || *last < *first) return std::nullopt;
    period.days = DaysFromTo(*first, *last);
    return period;
}

bool frmImporter::NetworkSource() const {
    QString folder = txtDossier->text().trimmed();
    return optService->isChecked() || folder.startsWith("http://", Qt::CaseInsensitive) ||
           folder.startsWith("https://", Qt::CaseInsensitive);
}

void frmImporter::ShowEstimate() {
    auto period = ChosenPeriod();
    lblEstimation->setText(
        period ? Q(ImportTexts::EstimateText(period->days, NetworkSource(), PauseSeconds))
               : ImportTexts::BadDates);
}

void frmImporter::cmdParcourir_Click() {
    auto* dialog = new QFileDialog(this, "Dossier des documents", txtDossier->text());
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        txtDossier->setText(folder);
        optDossier->setChecked(true);
    });
    dialog->open();
}

void frmImporter::cmdImporter_Click() {
    if (IsRunning()) return;
    RaceSession& race = screens_.state.race;
    if (race.NoRaceFileOpen()) {
        screens_.prompter.message(ImportTexts::NeedsFile, ImportTexts::Title);
        screens_.race().ChooseRaceFile();
        if (frmOuvrir* dialog = screens_.pendingFileDialog())
            connect(dialog, &frmOuvrir::choiceMade, this, [this] { ShowForOpenFile(); });
        return;
    }
    // The demonstration file, a file that is no race file, a file the user may not write.
    if (race.ReadOnlyReason()) {
        screens_.prompter.message(ImportTexts::ReadOnlyFile, ImportTexts::Title);
        return;
    }
    auto period = ChosenPeriod();
    if (!period) {
        screens_.prompter.message(ImportTexts::BadDates, ImportTexts::Title);
        return;
    }
    QString folder = txtDossier->text().trimmed();
    if (optDossier->isChecked() && folder.isEmpty()) {
        screens_.prompter.message(ImportTexts::NeedsFolder, ImportTexts::Title);
        return;
    }
    bool network = NetworkSource();
    if (EstimatedImportSeconds(period->days, network, PauseSeconds) > 3600 &&
        !screens_.prompter.question(
            ImportTexts::LongImportQuestion(period->days, network, PauseSeconds),
            ImportTexts::Title))
        return;
    if (!QFileInfo(ToolPath).isExecutable()) {
        screens_.prompter.message(ImportTexts::ToolMissing(S(ToolPath)), ImportTexts::Title);
        return;
    }

    importPath_ = race.RaceFilePath();
    period_ = *period;
    daysDone_ = 0;
    firstRace_.reset();
    cancelled_ = false;
    QStringList arguments = {"importer", Q(importPath_),  "--du",    Q(period->first),
                             "--au",     Q(period->last), "--pause", QString::number(PauseSeconds)};
    if (optDossier->isChecked()) arguments << "--source" << folder;
    txtCompteRendu->clear();
    prgImport->setRange(0, period->days);
    prgImport->setValue(0);
    lblJour->setText("Jour en cours : " + Q(period->first));
    process_ = new QProcess(this);
    connect(process_, &QProcess::readyReadStandardOutput, this, [this] { ReadProgress(); });
    connect(process_, &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus status) { ImportEnded(code, status); });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) ImportEnded(-1, QProcess::CrashExit);
    });
    SetRunning(true);
    process_->start(ToolPath, arguments);
}

void frmImporter::ReadProgress() {
    while (process_ && process_->canReadLine()) {
        std::string line = process_->readLine().toStdString();
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        txtCompteRendu->appendPlainText(Q(line));
        if (auto race = FirstRaceOfLine(line)) firstRace_ = race;
        if (auto day = DayOfLine(line)) {
            prgImport->setValue(++daysDone_);
            if (DayText(*day) != period_.last)
                lblJour->setText("Jour en cours : " + Q(DayText(NextDay(*day))));
        }
    }
}

void frmImporter::cmdAnnuler_Click() {
    if (!process_) return;
    cancelled_ = true;
    process_->terminate();
    QTimer::singleShot(KillAfterMilliseconds, process_, [process = process_] { process->kill(); });
}

void frmImporter::ImportEnded(int exitCode, QProcess::ExitStatus status) {
    ReadProgress();
    std::string failure =
        QString::fromUtf8(process_->readAllStandardError()).trimmed().toStdString();
    process_->deleteLater();
    process_ = nullptr;
    SetRunning(false);
    if (cancelled_) {
        lblJour->setText(ImportTexts::Cancelled);
        txtCompteRendu->appendPlainText(ImportTexts::Cancelled);
    } else if (status != QProcess::NormalExit || exitCode != 0) {
        if (failure.empty()) failure = ImportTexts::ToolMissing(S(ToolPath));
        lblJour->setText(Q(failure));
        txtCompteRendu->appendPlainText(Q(failure));
        screens_.prompter.message(failure, ImportTexts::Title);
    } else {
        lblJour->setText(ImportTexts::Finished);
    }
    OpenOnFirstRace();
    emit finished();
}

// The file the import wrote, if it is still the open one, on the first race of the period.
void frmImporter::OpenOnFirstRace() {
    RaceSession& race = screens_.state.race;
    if (race.NoRaceFileOpen() || race.RaceFilePath() != importPath_) return;
    race.Index = ReadRaceIndex(importPath_);
    if (!firstRace_) {
        auto first = DateKey(period_.first), last = DateKey(period_.last);
        for (const RaceIndexEntry& entry : race.Index.entries) {
            auto date = DateKey(entry.date);
            if (date >= first && date <= last && (!firstRace_ || entry.race < *firstRace_))
                firstRace_ = entry.race;
        }
    }
    screens_.race().ShowRace(firstRace_.value_or(race.CurrentRace));
}

void frmImporter::SetRunning(bool running) {
    cmdImporter->setEnabled(!running);
    cmdAnnuler->setEnabled(running);
    for (QWidget* choice : std::initializer_list<QWidget*>{txtDu, txtAu, optService, optDossier,
                                                           txtDossier, cmdParcourir})
        choice->setEnabled(!running);
}

void frmImporter::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

} // namespace sg
