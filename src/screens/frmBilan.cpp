#include "screens/frmBilan.h"

#include "app/BacktestExport.h"
#include "app/BacktestTexts.h"
#include "app/Messages.h"
#include "numbers/Numbers.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceFileReader.h"
#include "racefile/RaceSession.h"
#include "screens/BalanceChart.h"
#include "screens/ComparisonTab.h"
#include "screens/Controls.h"
#include "screens/CsvExport.h"
#include "screens/Screens.h"
#include "screens/frmJeuGagnant.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace sg {

// One run: the file mapped for as long as the worker reads it, and what it found.
struct BacktestJob {
    RaceFileReader file;
    BacktestStrategy strategy;
    RaceRange range;
    BacktestProgress progress;
    std::optional<std::vector<BacktestRow>> pmh, pmu;

    void Run() {
        // Both processors share each pass; the two passes one after the other.
        constexpr int Threads = 2;
        BacktestStrategy onPmh = strategy, onPmu = strategy;
        onPmh.odds = OddsSet::PMH;
        onPmu.odds = OddsSet::PMU;
        pmh = RunBacktest(file.Races(), onPmh, range, Threads, &progress);
        if (pmh) pmu = RunBacktest(file.Races(), onPmu, range, Threads, &progress);
    }
};

namespace {

constexpr const char* SetCaptions[2] = {"Cotes PMH (finales)", "Cotes PMU (intermédiaires)"};

BalanceChart::Curve BalanceCurve(const std::vector<BacktestRow>& rows, const char* name,
                                 QColor colour) {
    BalanceChart::Curve curve{QString::fromUtf8(name), colour, {}};
    std::vector<std::int64_t> balances = RunningBalance(rows);
    curve.points.reserve(static_cast<qsizetype>(rows.size()));
    for (std::size_t i = 0; i < rows.size(); ++i)
        curve.points.append(QPointF(rows[i].race, static_cast<double>(balances[i])));
    return curve;
}

} // namespace

frmBilan::frmBilan(Screens& screens) : QWidget(nullptr), screens_(screens) {
    setObjectName("frmBilan");
    setWindowTitle(QString::fromUtf8(Messages::BacktestTitle));
    resize(1040, 720);

    auto* strategyBox = new QGroupBox("Stratégie", this);
    auto* strategyForm = new QFormLayout(strategyBox);
    spnChevaux = new QSpinBox(strategyBox);
    spnChevaux->setObjectName("spnChevaux");
    spnChevaux->setRange(1, 9);
    txtBenefice = new QLineEdit(strategyBox);
    txtBenefice->setObjectName("txtBenefice");
    txtBenefice->setMaximumWidth(120);
    cboArrondi = new QComboBox(strategyBox);
    cboArrondi->setObjectName("cboArrondi");
    cboArrondi->addItems(
        {"Voir parties décimales", "Ne pas montrer virgules", "Arrondir à la dizaine supérieure"});
    cboValeurs = new QComboBox(strategyBox);
    cboValeurs->setObjectName("cboValeurs");
    cboValeurs->addItems({"Cotes normales (rapport = cote +1)",
                          "Rapports probables incluant déjà la mise de 1 euro"});
    strategyForm->addRow("Chevaux joués (les favoris) :", spnChevaux);
    strategyForm->addRow("Bénéfice recherché :", txtBenefice);
    strategyForm->addRow("Mises :", cboArrondi);
    strategyForm->addRow("Les valeurs sont :", cboValeurs);

    auto* rangeBox = new QGroupBox("Courses", this);
    auto* rangeForm = new QFormLayout(rangeBox);
    spnDe = new QSpinBox(rangeBox);
    spnDe->setObjectName("spnDe");
    spnA = new QSpinBox(rangeBox);
    spnA->setObjectName("spnA");
    for (QSpinBox* box : {spnDe, spnA}) box->setRange(FirstRace, LastRace);
    lblFichier = new QLabel(rangeBox);
    lblFichier->setObjectName("lblFichier");
    lblFichier->setWordWrap(true);
    rangeForm->addRow("De la course :", spnDe);
    rangeForm->addRow("à la course :", spnA);
    rangeForm->addRow(lblFichier);

    auto* choices = new QHBoxLayout;
    choices->addWidget(strategyBox, 3);
    choices->addWidget(rangeBox, 2);

    cmdCalculer = new QPushButton("Calculer", this);
    cmdCalculer->setObjectName("cmdCalculer");
    cmdAnnuler = new QPushButton("Annuler", this);
    cmdAnnuler->setObjectName("cmdAnnuler");
    prgCalcul = new QProgressBar(this);
    prgCalcul->setObjectName("prgCalcul");
    prgCalcul->setFormat("%p %");
    auto* run = new QHBoxLayout;
    run->addWidget(cmdCalculer);
    run->addWidget(prgCalcul, 1);
    run->addWidget(cmdAnnuler);

    tblResume = new QTableWidget(0, 3, this);
    tblResume->setObjectName("tblResume");
    tblResume->setHorizontalHeaderLabels({"", "PMH (finales)", "PMU (intermédiaires)"});
    tblResume->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblResume->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tblResume->verticalHeader()->hide();
    tblResume->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblResume->setSelectionMode(QAbstractItemView::NoSelection);
    tblResume->setWordWrap(false);
    tblResume->setMinimumWidth(480);

    chtBilan = new BalanceChart("Bilan cumulé course après course (euros)", "Course",
                                "Bilan (euros)", this);
    chtBilan->setObjectName("chtBilan");
    chtBilan->setMinimumHeight(300);

    auto* summary = new QVBoxLayout;
    summary->addWidget(tblResume);
    summary->addStretch(1);
    auto* results = new QHBoxLayout;
    results->addLayout(summary, 1);
    results->addWidget(chtBilan, 1);

    lblPerime = new QLabel(QString::fromUtf8(Messages::BacktestOutOfDate), this);
    lblPerime->setObjectName("lblPerime");
    lblPerime->setWordWrap(true);
    QFont bold = lblPerime->font();
    bold.setBold(true);
    lblPerime->setFont(bold);
    lblPerime->setStyleSheet("color: rgb(192, 0, 0)");
    lblPerime->hide();

    cboExport = new QComboBox(this);
    cboExport->setObjectName("cboExport");
    cboExport->addItems({QString::fromUtf8(SetCaptions[0]), QString::fromUtf8(SetCaptions[1])});
    cboSeparateur = new QComboBox(this);
    cboSeparateur->setObjectName("cboSeparateur");
    cboSeparateur->addItems({"virgule (3,40)", "point (3.40)"});
    cboSeparateur->setCurrentIndex(CsvDecimalSeparator == ',' ? 0 : 1);
    cmdExporter = new QPushButton("Exporter en CSV...", this);
    cmdExporter->setObjectName("cmdExporter");
    cmdFermer = new QPushButton("Fermer", this);
    cmdFermer->setObjectName("cmdFermer");
    auto* exportRow = new QHBoxLayout;
    exportRow->addWidget(new QLabel("Courses une à une, sur les", this));
    exportRow->addWidget(cboExport);
    exportRow->addSpacing(12);
    exportRow->addWidget(new QLabel("Montants avec la", this));
    exportRow->addWidget(cboSeparateur);
    exportRow->addWidget(cmdExporter);
    exportRow->addStretch(1);
    exportRow->addWidget(cmdFermer);

    // The back-test is the first tab, the comparison of strategies the second.
    auto* backtestPage = new QWidget;
    auto* page = new QVBoxLayout(backtestPage);
    page->addLayout(choices);
    page->addLayout(run);
    page->addWidget(lblPerime);
    page->addLayout(results, 1);
    page->addLayout(exportRow);
    tabComparer = new ComparisonTab(screens_, nullptr);
    tabPages = new QTabWidget(this);
    tabPages->setObjectName("tabPages");
    tabPages->addTab(backtestPage, "Bilan");
    tabPages->addTab(tabComparer, "Comparer");
    (new QVBoxLayout(this))->addWidget(tabPages);
    connect(tabComparer, &ComparisonTab::strategyChosen, this,
            [this](const BacktestStrategy& strategy, RaceRange range) {
                ShowStrategy(strategy, range);
            });

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(50);
    connect(progressTimer_, &QTimer::timeout, this, [this] { ShowProgress(); });
    connect(cmdCalculer, &QPushButton::clicked, this, [this] { cmdCalculer_Click(); });
    connect(cmdAnnuler, &QPushButton::clicked, this, [this] { cmdAnnuler_Click(); });
    connect(cmdExporter, &QPushButton::clicked, this, [this] { cmdExporter_Click(); });
    connect(cmdFermer, &QPushButton::clicked, this, [this] { close(); });
    // Any change of a choice may leave the results shown behind.
    auto changed = [this] { ShowWhetherOutOfDate(); };
    for (QSpinBox* box : {spnChevaux, spnDe, spnA})
        connect(box, &QSpinBox::valueChanged, this, changed);
    connect(txtBenefice, &QLineEdit::textChanged, this, changed);
    for (QComboBox* box : {cboArrondi, cboValeurs})
        connect(box, &QComboBox::currentIndexChanged, this, changed);
    UseDesktopKeys(this, true); // Escape closes, as the close box does
    cmdCalculer->setDefault(true);
    SetRunning(false);
    cmdExporter->setEnabled(false);
}

frmBilan::~frmBilan() {
    if (thread_) {
        job_->progress.cancel = true; // stops within a few hundred races
        thread_->wait();
        delete thread_;
    }
}

void frmBilan::ShowForOpenFile() {
    frmJeuGagnant& main = screens_.main();
    const SharedState& state = screens_.state;
    spnChevaux->setValue(main.SelectedHorseCount());
    std::string profit = ShortestText(state.calc.TargetProfit);
    if (auto point = profit.find('.'); point != std::string::npos)
        profit[point] = state.settings.DecimalSeparator;
    txtBenefice->setText(Q(profit));
    cboArrondi->setCurrentIndex(static_cast<int>(main.SelectedRoundingMode()));
    cboValeurs->setCurrentIndex(state.settings.OddsOffset == 0 ? 0 : 1);
    ShowFile();
    show();
    raise();
    activateWindow();
}

void frmBilan::RaceFileChanged() {
    if (job_ && thread_) job_->progress.cancel = true; // its end shows no results
    ClearResults();
    tabComparer->RaceFileChanged();
    ShowFile();
}

// The file open and its whole range.
void frmBilan::ShowFile() {
    const SharedState& state = screens_.state;
    std::string path = state.race.RaceFilePath();
    auto count =
        state.race.NoRaceFileOpen() ? RaceFileResult<std::int32_t>(0) : state.race.RaceCount();
    int races = count ? count.Value() : 0;
    spnDe->setValue(FirstRace);
    spnA->setValue(std::max(races, FirstRace));
    tabComparer->ShowForOpenFile();
    lblFichier->setText(state.race.NoRaceFileOpen()
                            ? QString::fromUtf8(Messages::BacktestNoFile)
                            : Q(path) + QString(" : %1 courses").arg(races));
}

bool frmBilan::Choices::operator==(const Choices& other) const {
    const BacktestStrategy &a = strategy, &b = other.strategy;
    return a.horses == b.horses && a.targetProfit == b.targetProfit && a.rounding == b.rounding &&
           a.oddsOffset == b.oddsOffset && range.first == other.range.first &&
           range.last == other.range.last;
}

std::optional<frmBilan::Choices> frmBilan::ChosenNow() const {
    auto profit = BacktestProfitFrom(S(txtBenefice->text()));
    if (!profit) return std::nullopt;
    Choices chosen;
    chosen.strategy.horses = spnChevaux->value();
    chosen.strategy.targetProfit = *profit;
    chosen.strategy.rounding = static_cast<RoundingMode>(cboArrondi->currentIndex());
    chosen.strategy.oddsOffset = cboValeurs->currentIndex() == 0 ? 0 : -1;
    chosen.range = {spnDe->value(), spnA->value()};
    return chosen;
}

bool frmBilan::IsOutOfDate() const {
    if (!shown_) return false;
    auto now = ChosenNow();
    return !now || !(*now == *shown_);
}

void frmBilan::ShowWhetherOutOfDate() {
    bool outOfDate = IsOutOfDate();
    lblPerime->setVisible(outOfDate);
    // Greyed, as figures that no longer answer the question asked.
    tblResume->setEnabled(!outOfDate);
    chtBilan->setEnabled(!outOfDate);
}

void frmBilan::ShowStrategy(const BacktestStrategy& strategy, RaceRange range) {
    if (IsRunning()) return;
    spnChevaux->setValue(strategy.horses);
    txtBenefice->setText(
        Q(ProfitText(strategy.targetProfit, screens_.state.settings.DecimalSeparator)));
    cboArrondi->setCurrentIndex(static_cast<int>(strategy.rounding));
    cboValeurs->setCurrentIndex(strategy.oddsOffset == 0 ? 0 : 1);
    cboExport->setCurrentIndex(strategy.odds == OddsSet::PMH ? 0 : 1);
    spnDe->setValue(range.first);
    spnA->setValue(range.last);
    tabPages->setCurrentIndex(0);
    cmdCalculer_Click();
}

void frmBilan::cmdCalculer_Click() {
    if (IsRunning()) return;
    const SharedState& state = screens_.state;
    if (state.race.NoRaceFileOpen()) {
        screens_.prompter.message(Messages::BacktestNoFile);
        return;
    }
    auto chosen = ChosenNow();
    if (!chosen) {
        screens_.prompter.message(Messages::BacktestBadProfit);
        return;
    }
    if (chosen->range.first > chosen->range.last) {
        screens_.prompter.message(Messages::BacktestEmptyRange);
        return;
    }
    auto job = std::make_shared<BacktestJob>();
    std::string path = state.race.RaceFilePath();
    if (auto opened = job->file.Open(path); !opened) {
        screens_.prompter.message("Le fichier « " + path + " » ne peut pas être lu. " +
                                  std::string(opened.Error().Message()));
        return;
    }
    // The figures of another question go at once: none stays under a run or its cancel.
    ClearResults();
    job->strategy = chosen->strategy;
    job->range = chosen->range;
    job_ = job;
    resultPath_ = path;
    prgCalcul->setRange(0, 2 * (job->range.last - job->range.first + 1));
    prgCalcul->setValue(0);
    prgCalcul->setFormat("%p %");
    thread_ = QThread::create([job] { job->Run(); });
    connect(thread_, &QThread::finished, this, [this] { RunFinished(); });
    SetRunning(true);
    thread_->start();
    progressTimer_->start();
}

void frmBilan::cmdAnnuler_Click() {
    if (job_ && thread_) job_->progress.cancel = true;
}

void frmBilan::ShowProgress() {
    if (job_) prgCalcul->setValue(job_->progress.racesDone.load());
}

void frmBilan::RunFinished() {
    progressTimer_->stop();
    thread_->deleteLater();
    thread_ = nullptr;
    SetRunning(false);
    // Cancelled, even when the worker had finished before it heard it: the user asked.
    if (job_->progress.cancel || !job_->pmh || !job_->pmu) {
        prgCalcul->setValue(0);
        prgCalcul->setFormat(QString::fromUtf8(Messages::BacktestCancelled));
        job_.reset();
        emit finished();
        return;
    }
    ShowProgress();
    pmh_ = std::move(*job_->pmh);
    pmu_ = std::move(*job_->pmu);
    shown_ = Choices{job_->strategy, job_->range};
    job_.reset();
    ShowResults();
    emit finished();
}

void frmBilan::ClearResults() {
    pmh_.clear();
    pmu_.clear();
    shown_.reset();
    tblResume->setRowCount(0);
    tblResume->setFixedHeight(tblResume->horizontalHeader()->sizeHint().height() +
                              2 * tblResume->frameWidth());
    chtBilan->setCurves({});
    cmdExporter->setEnabled(false);
    if (!IsRunning()) {
        prgCalcul->setValue(0);
        prgCalcul->setFormat("%p %");
    }
    ShowWhetherOutOfDate();
}

void frmBilan::ShowResults() {
    char separator = screens_.state.settings.DecimalSeparator;
    BacktestSummary summaries[2] = {Summarize(pmh_), Summarize(pmu_)};
    std::vector<SummaryLine> lines[2] = {SummaryLines(summaries[0], separator, &summaries[1]),
                                         SummaryLines(summaries[1], separator, &summaries[0])};
    tblResume->setRowCount(static_cast<int>(lines[0].size()));
    for (std::size_t row = 0; row < lines[0].size(); ++row) {
        auto r = static_cast<int>(row);
        tblResume->setItem(r, 0, new QTableWidgetItem(Q(lines[0][row].label)));
        for (int set = 0; set < 2; ++set) {
            auto* item = new QTableWidgetItem(Q(lines[set][row].value));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblResume->setItem(r, set + 1, item);
        }
    }
    tblResume->resizeRowsToContents();
    // As high as its lines, so that the summary reads as a block above the empty space.
    int height = tblResume->horizontalHeader()->height() + 2 * tblResume->frameWidth();
    for (int row = 0; row < tblResume->rowCount(); ++row) height += tblResume->rowHeight(row);
    tblResume->setFixedHeight(height);

    chtBilan->setCurves({BalanceCurve(pmh_, SetCaptions[0], QColor(32, 96, 192)),
                         BalanceCurve(pmu_, SetCaptions[1], QColor(216, 112, 0))});
    cmdExporter->setEnabled(!pmh_.empty());
    ShowWhetherOutOfDate();
}

bool frmBilan::IsBusy() const {
    return IsRunning() || tabComparer->IsRunning();
}

const std::vector<BacktestRow>& frmBilan::RowsOf(OddsSet set) const {
    return set == OddsSet::PMH ? pmh_ : pmu_;
}

// Nothing to export, or figures that no longer answer the choices shown: said, and true.
bool frmBilan::ExportRefused() {
    if (!pmh_.empty() && !IsOutOfDate()) return false;
    screens_.prompter.message(pmh_.empty() ? Messages::BacktestNothingToExport
                                           : Messages::BacktestExportOutOfDate);
    return true;
}

void frmBilan::cmdExporter_Click() {
    if (ExportRefused()) return;
    std::string set = cboExport->currentIndex() == 0 ? "PMH" : "PMU";
    AskCsvPath(this, resultPath_, "bilan-" + set + ".csv",
               [this](const std::string& path) { ExportCsv(path); });
}

bool frmBilan::ExportCsv(const std::string& path) {
    if (ExportRefused()) return false;
    OddsSet set = cboExport->currentIndex() == 0 ? OddsSet::PMH : OddsSet::PMU;
    char separator = cboSeparateur->currentIndex() == 0 ? ',' : '.';
    return SaveCsvExport(screens_.prompter, path, resultPath_,
                         [&](std::ostream& file) { file << BacktestCsv(RowsOf(set), separator); });
}

void frmBilan::SetRunning(bool running) {
    cmdCalculer->setEnabled(!running);
    cmdAnnuler->setEnabled(running);
    for (QWidget* choice : std::initializer_list<QWidget*>{spnChevaux, txtBenefice, cboArrondi,
                                                           cboValeurs, spnDe, spnA})
        choice->setEnabled(!running);
}

void frmBilan::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

} // namespace sg
