#include "screens/ComparisonTab.h"

#include "app/ComparisonTexts.h"
#include "app/Messages.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceFileReader.h"
#include "screens/Controls.h"
#include "screens/CsvExport.h"
#include "screens/ReturnHeatMap.h"
#include "screens/Screens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace sg {

// What a comparison was asked: kept with its results for the bootstrap of a strategy.
struct ComparisonInput {
    std::string path;
    RaceIndex index;
    ComparisonRequest request;
};

// One comparison run on the worker thread.
struct ComparisonJob {
    std::shared_ptr<ComparisonInput> input;
    RaceFileReader file;
    BacktestProgress progress;
    std::optional<Comparison> result;

    void Run() {
        constexpr int Threads = 2; // both processors
        result = CompareStrategies(file.Races(), &input->index, input->request, Threads, &progress);
    }
};

// The races of one strategy played again, for the bootstrap interval of its return.
struct BootstrapJob {
    std::shared_ptr<const ComparisonInput> input;
    BacktestStrategy strategy;
    std::optional<ReturnInterval> interval;
    bool read = false;

    void Run() {
        RaceFileReader file;
        if (!file.Open(input->path)) return;
        ComparisonRequest alone = input->request;
        alone.strategies = {strategy};
        std::vector<std::vector<BacktestRow>> rows;
        if (!CompareStrategies(file.Races(), &input->index, alone, 2, nullptr, &rows)) return;
        read = true;
        interval = BootstrapInterval(rows.front(), BootstrapResamples, BootstrapSeed, 2);
    }
};

namespace {

constexpr int ResultRole = Qt::UserRole + 1; // the result's place, on the first cell of a row
constexpr int NumberRole = Qt::UserRole;     // what a cell sorts by

constexpr const char* RoundingCaptions[3] = {"avec décimales", "sans virgules",
                                             "à la dizaine supérieure"};

// A cell that sorts by its number where it has one, by its text otherwise.
class SortedItem : public QTableWidgetItem {
  public:
    explicit SortedItem(const ComparisonCell& cell) : QTableWidgetItem(Q(cell.text)) {
        if (cell.number) setData(NumberRole, *cell.number);
        setTextAlignment((cell.number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        QVariant mine = data(NumberRole), theirs = other.data(NumberRole);
        if (mine.isValid() && theirs.isValid()) return mine.toDouble() < theirs.toDouble();
        if (mine.isValid() != theirs.isValid()) return theirs.isValid(); // "-" first
        return text() < other.text();
    }
};

template <typename Box> Box* Named(const QString& name, QWidget* parent) {
    auto* box = new Box(parent);
    box->setObjectName(name);
    return box;
}

// Two boxes on a line with a caption between them: "8-14  cote du favori : 1,5-4".
QHBoxLayout* Pair(QWidget* left, const char* between, QWidget* right, QWidget* parent) {
    auto* line = new QHBoxLayout;
    line->addWidget(left);
    line->addWidget(new QLabel(QString::fromUtf8(between), parent));
    line->addWidget(right);
    return line;
}

QLineEdit* FilterBox(const char* name, const char* placeholder, QWidget* parent) {
    auto* box = Named<QLineEdit>(name, parent);
    box->setPlaceholderText(QString::fromUtf8(placeholder));
    box->setClearButtonEnabled(true);
    return box;
}

} // namespace

ComparisonTab::ComparisonTab(Screens& screens, QWidget* parent)
    : QWidget(parent), screens_(screens) {
    setObjectName("tabComparer");

    auto* gridBox = new QGroupBox("Stratégies comparées", this);
    auto* grid = new QGridLayout(gridBox);
    auto* horses = new QHBoxLayout;
    for (int k = 1; k <= 9; ++k) {
        chkChevaux[k] = Named<QCheckBox>(Indexed("chkChevaux", k), gridBox);
        chkChevaux[k]->setText(QString::number(k));
        chkChevaux[k]->setChecked(true);
        horses->addWidget(chkChevaux[k]);
    }
    horses->addStretch(1);
    txtBenefices = Named<QLineEdit>("txtBenefices", gridBox);
    txtBenefices->setText("5/10/20/50");
    txtBenefices->setToolTip("Plusieurs montants séparés par « / », par exemple 5/10/12,5");
    auto* modes = new QHBoxLayout;
    for (int mode = 0; mode < 3; ++mode) {
        chkArrondi[mode] = Named<QCheckBox>(Indexed("chkArrondi", mode), gridBox);
        chkArrondi[mode]->setText(QString::fromUtf8(RoundingCaptions[mode]));
        modes->addWidget(chkArrondi[mode]);
    }
    chkArrondi[0]->setChecked(true);
    modes->addStretch(1);
    auto* sets = new QHBoxLayout;
    for (int set = 0; set < 2; ++set) {
        chkCotes[set] = Named<QCheckBox>(Indexed("chkCotes", set), gridBox);
        chkCotes[set]->setText(set == 0 ? "PMH (finales)" : "PMU (intermédiaires)");
        chkCotes[set]->setChecked(true);
        sets->addWidget(chkCotes[set]);
    }
    sets->addStretch(1);
    cboValeursComparaison = Named<QComboBox>("cboValeursComparaison", gridBox);
    cboValeursComparaison->addItems({"Cotes normales (rapport = cote +1)",
                                     "Rapports probables incluant déjà la mise de 1 euro"});
    grid->addWidget(new QLabel("Chevaux joués :", gridBox), 0, 0);
    grid->addLayout(horses, 0, 1);
    grid->addWidget(new QLabel("Bénéfices recherchés :", gridBox), 1, 0);
    grid->addWidget(txtBenefices, 1, 1);
    grid->addWidget(new QLabel("Mises :", gridBox), 2, 0);
    grid->addLayout(modes, 2, 1);
    grid->addWidget(new QLabel("Cotes :", gridBox), 3, 0);
    grid->addLayout(sets, 3, 1);
    grid->addWidget(new QLabel("Les valeurs sont :", gridBox), 4, 0);
    grid->addWidget(cboValeursComparaison, 4, 1);

    auto* racesBox = new QGroupBox("Courses retenues (chaque filtre est facultatif)", this);
    auto* form = new QFormLayout(racesBox);
    spnDeComparaison = Named<QSpinBox>("spnDeComparaison", racesBox);
    spnAComparaison = Named<QSpinBox>("spnAComparaison", racesBox);
    for (QSpinBox* box : {spnDeComparaison, spnAComparaison}) box->setRange(FirstRace, LastRace);
    spnApprentissage = Named<QSpinBox>("spnApprentissage", racesBox);
    spnApprentissage->setRange(1, 99);
    spnApprentissage->setValue(70);
    spnApprentissage->setSuffix(" %");
    auto* range = Pair(spnDeComparaison, "à", spnAComparaison, racesBox);
    range->addWidget(new QLabel("apprentissage :", racesBox));
    range->addWidget(spnApprentissage);
    range->addStretch(1);
    txtPartants = FilterBox("txtPartants", "min-max, ex. 8-14", racesBox);
    txtCoteFavori = FilterBox("txtCoteFavori", "min-max, ex. 1,5-4", racesBox);
    txtSommeProbas = FilterBox("txtSommeProbas", "en %, ex. 100-130", racesBox);
    txtDu = FilterBox("txtDu", "JJ/MM/AAAA", racesBox);
    txtAu = FilterBox("txtAu", "JJ/MM/AAAA", racesBox);
    txtHippodrome = FilterBox("txtHippodrome", "ex. VINCENNES/ENGHIEN", racesBox);
    txtDiscipline = FilterBox("txtDiscipline", "ex. ATTELE/MONTE", racesBox);
    auto* runners = Pair(txtPartants, "cote du favori :", txtCoteFavori, racesBox);
    auto* dates = Pair(txtDu, "au", txtAu, racesBox);
    auto* places = Pair(txtHippodrome, "discipline :", txtDiscipline, racesBox);
    form->addRow("De la course :", range);
    form->addRow("Partants :", runners);
    form->addRow("Somme des probabilités :", txtSommeProbas);
    form->addRow("Courses importées, du :", dates);
    form->addRow("Hippodromes :", places);

    auto* choices = new QHBoxLayout;
    choices->addWidget(gridBox, 1);
    choices->addWidget(racesBox, 1);

    cmdComparer = Named<QPushButton>("cmdComparer", this);
    cmdComparer->setText("Calculer");
    cmdAnnulerComparaison = Named<QPushButton>("cmdAnnulerComparaison", this);
    cmdAnnulerComparaison->setText("Annuler");
    prgComparaison = Named<QProgressBar>("prgComparaison", this);
    prgComparaison->setFormat("%p %");
    auto* run = new QHBoxLayout;
    run->addWidget(cmdComparer);
    run->addWidget(prgComparaison, 1);
    run->addWidget(cmdAnnulerComparaison);
    lblComparaison = Named<QLabel>("lblComparaison", this);
    lblComparaison->setWordWrap(true);

    tblComparaison = Named<QTableWidget>("tblComparaison", this);
    QStringList names;
    for (const std::string& name : ComparisonColumnNames()) names << Q(name);
    tblComparaison->setColumnCount(static_cast<int>(names.size()));
    tblComparaison->setHorizontalHeaderLabels(names);
    tblComparaison->verticalHeader()->hide();
    tblComparaison->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblComparaison->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblComparaison->setSelectionMode(QAbstractItemView::SingleSelection);
    tblComparaison->setWordWrap(false);
    tblComparaison->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tblComparaison->setMinimumWidth(300);
    tblComparaison->setToolTip("Cliquez un titre de colonne pour trier ; double-cliquez une "
                               "ligne pour voir cette stratégie dans l'onglet Bilan.");

    cboCarteArrondi = Named<QComboBox>("cboCarteArrondi", this);
    cboCarteCotes = Named<QComboBox>("cboCarteCotes", this);
    picCarte = Named<ReturnHeatMap>("picCarte", this);
    lblBootstrap = Named<QLabel>("lblBootstrap", this);
    lblBootstrap->setWordWrap(true);
    lblBootstrap->setText("Choisissez une ligne du tableau pour son intervalle par "
                          "rééchantillonnage des courses.");
    auto* mapChoice = new QHBoxLayout;
    mapChoice->addWidget(new QLabel("Carte : mises", this));
    mapChoice->addWidget(cboCarteArrondi, 1);
    mapChoice->addWidget(new QLabel("cotes", this));
    mapChoice->addWidget(cboCarteCotes, 1);
    auto* map = new QVBoxLayout;
    map->addLayout(mapChoice);
    map->addWidget(picCarte, 1);
    map->addWidget(lblBootstrap);
    auto* mapPanel = new QWidget(this);
    mapPanel->setLayout(map);
    map->setContentsMargins(0, 0, 0, 0);
    auto* results = new QSplitter(Qt::Horizontal, this);
    results->addWidget(tblComparaison);
    results->addWidget(mapPanel);
    results->setStretchFactor(0, 3);
    results->setStretchFactor(1, 2);
    results->setSizes({620, 400});
    results->setChildrenCollapsible(false);

    cmdExporterComparaison = Named<QPushButton>("cmdExporterComparaison", this);
    cmdExporterComparaison->setText("Exporter le tableau en CSV...");
    auto* exportRow = new QHBoxLayout;
    exportRow->addStretch(1);
    exportRow->addWidget(cmdExporterComparaison);

    auto* page = new QVBoxLayout(this);
    page->addLayout(choices);
    page->addLayout(run);
    page->addWidget(lblComparaison);
    page->addWidget(results, 1);
    page->addLayout(exportRow);

    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(50);
    connect(progressTimer_, &QTimer::timeout, this, [this] {
        if (job_) prgComparaison->setValue(job_->progress.racesDone.load());
    });
    connect(cmdComparer, &QPushButton::clicked, this, [this] { cmdComparer_Click(); });
    connect(cmdAnnulerComparaison, &QPushButton::clicked, this,
            [this] { cmdAnnulerComparaison_Click(); });
    connect(cmdExporterComparaison, &QPushButton::clicked, this,
            [this] { cmdExporterComparaison_Click(); });
    for (QComboBox* box : {cboCarteArrondi, cboCarteCotes})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { ShowHeatMap(); });
    connect(tblComparaison, &QTableWidget::itemSelectionChanged, this,
            [this] { StartBootstrap(); });
    connect(tblComparaison, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (auto strategy = StrategyOfRow(row)) emit strategyChosen(*strategy, comparison_->range);
    });
    SetRunning(false);
    cmdExporterComparaison->setEnabled(false);
}

ComparisonTab::~ComparisonTab() {
    if (thread_) job_->progress.cancel = true; // stops within a block of races
    for (QThread* thread : {thread_, bootstrapThread_}) {
        if (!thread) continue;
        thread->wait();
        delete thread;
    }
}

void ComparisonTab::ShowForOpenFile() {
    const RaceSession& race = screens_.state.race;
    auto count = race.NoRaceFileOpen() ? RaceFileResult<std::int32_t>(0) : race.RaceCount();
    spnDeComparaison->setValue(FirstRace);
    spnAComparaison->setValue(std::max(count ? count.Value() : 0, FirstRace));
    cboValeursComparaison->setCurrentIndex(screens_.state.settings.OddsOffset == 0 ? 0 : 1);
}

void ComparisonTab::RaceFileChanged() {
    if (thread_) job_->progress.cancel = true; // its end shows no results
    comparison_.reset();
    done_.reset();
    bootstrapWanted_.reset();
    tblComparaison->setRowCount(0);
    lblComparaison->clear();
    lblBootstrap->clear();
    picCarte->setMap({}, {}, {}, {}, screens_.state.settings.DecimalSeparator);
    cmdExporterComparaison->setEnabled(false);
    ShowForOpenFile();
}

std::optional<ComparisonRequest> ComparisonTab::ReadRequest(std::string& why) const {
    StrategyGrid grid;
    grid.horses.clear();
    for (int k = 1; k <= 9; ++k) {
        if (chkChevaux[k]->isChecked()) grid.horses.push_back(k);
    }
    grid.roundings.clear();
    for (int mode = 0; mode < 3; ++mode) {
        if (chkArrondi[mode]->isChecked())
            grid.roundings.push_back(static_cast<RoundingMode>(mode));
    }
    grid.oddsSets.clear();
    for (int set = 0; set < 2; ++set) {
        if (chkCotes[set]->isChecked()) grid.oddsSets.push_back(static_cast<OddsSet>(set));
    }
    auto profits = TargetProfitsFrom(S(txtBenefices->text()));
    if (grid.horses.empty() || grid.roundings.empty() || grid.oddsSets.empty()) {
        why = ComparisonNothingChosen;
        return std::nullopt;
    }
    if (!profits) {
        why = ComparisonBadProfits;
        return std::nullopt;
    }
    grid.targetProfits = *profits;
    grid.oddsOffset = cboValeursComparaison->currentIndex() == 0 ? 0 : -1;
    if (spnDeComparaison->value() > spnAComparaison->value()) {
        why = Messages::BacktestEmptyRange;
        return std::nullopt;
    }

    ComparisonRequest request;
    request.strategies = grid.Strategies();
    request.range = {spnDeComparaison->value(), spnAComparaison->value()};
    request.learningPercent = spnApprentissage->value();
    RaceFilters& filters = request.filters;
    // Each filter box, empty for no filter; its name in the message when it cannot be read.
    auto read = [&why](QLineEdit* box, const char* name, auto parse, auto& into) {
        std::string text = Trim(S(box->text()));
        if (text.empty()) return true;
        auto value = parse(text);
        if (!value) why = ComparisonBadFilter + std::string(name) + ".";
        if (value) into = *value;
        return value.has_value();
    };
    std::optional<int> from, to;
    if (!read(txtPartants, "partants (min-max)", WholeBoundsFrom, filters.runners) ||
        !read(txtCoteFavori, "cote du favori (min-max)", DecimalBoundsFrom,
              filters.favouriteOdds) ||
        !read(txtSommeProbas, "somme des probabilités (min-max, en %)", DecimalBoundsFrom,
              filters.bookPercent) ||
        !read(txtDu, "date de début (JJ/MM/AAAA)", DateKey, from) ||
        !read(txtAu, "date de fin (JJ/MM/AAAA)", DateKey, to) ||
        !read(txtHippodrome, "hippodromes (séparés par /)", NamesFrom, filters.hippodromes) ||
        !read(txtDiscipline, "disciplines (séparées par /)", NamesFrom, filters.disciplines))
        return std::nullopt;
    if (from || to) filters.dates = DatesBetween(from, to);
    return request;
}

void ComparisonTab::cmdComparer_Click() {
    if (IsRunning()) return;
    const SharedState& state = screens_.state;
    if (state.race.NoRaceFileOpen()) {
        screens_.prompter.message(Messages::BacktestNoFile);
        return;
    }
    std::string why;
    auto request = ReadRequest(why);
    if (!request) {
        screens_.prompter.message(why);
        return;
    }
    auto job = std::make_shared<ComparisonJob>();
    job->input = std::make_shared<ComparisonInput>();
    job->input->path = state.race.RaceFilePath();
    if (auto opened = job->file.Open(job->input->path); !opened) {
        screens_.prompter.message("Le fichier « " + job->input->path + " » ne peut pas être lu. " +
                                  std::string(opened.Error().Message()));
        return;
    }
    if (request->filters.NeedsIndex()) job->input->index = ReadRaceIndex(job->input->path);
    job->input->request = std::move(*request);
    job_ = job;
    const RaceRange& range = job->input->request.range;
    prgComparaison->setRange(0, range.last - range.first + 1);
    prgComparaison->setValue(0);
    prgComparaison->setFormat("%p %");
    thread_ = QThread::create([job] { job->Run(); });
    connect(thread_, &QThread::finished, this, [this] { RunFinished(); });
    SetRunning(true);
    thread_->start();
    progressTimer_->start();
}

void ComparisonTab::cmdAnnulerComparaison_Click() {
    if (job_ && thread_) job_->progress.cancel = true;
}

void ComparisonTab::RunFinished() {
    progressTimer_->stop();
    thread_->deleteLater();
    thread_ = nullptr;
    SetRunning(false);
    // Cancelled, even when the worker had finished before it heard it: the user asked.
    if (job_->progress.cancel || !job_->result) {
        prgComparaison->setValue(0);
        prgComparaison->setFormat(QString::fromUtf8(Messages::BacktestCancelled));
        job_.reset();
        emit finished();
        return;
    }
    prgComparaison->setValue(prgComparaison->maximum());
    comparison_ = std::move(job_->result);
    done_ = job_->input;
    job_.reset();
    ShowResults();
    emit finished();
}

void ComparisonTab::ShowResults() {
    char separator = screens_.state.settings.DecimalSeparator;
    const ComparisonRequest& request = done_->request;
    lblComparaison->setText(
        Q(std::to_string(comparison_->results.size()) +
          " stratégie(s), classées par rendement sur l'apprentissage. Plage coupée en deux : " +
          PartsText(*comparison_, request.learningPercent, separator) +
          ". Filtres : " + FiltersText(request.filters, separator) +
          ". Intervalle à 90 % du rendement par l'approximation normale ; « non » sous "
          "« Distinct du hasard » quand il contient 0."));

    tblComparaison->setSortingEnabled(false);
    tblComparaison->clearContents();
    tblComparaison->setRowCount(static_cast<int>(comparison_->results.size()));
    std::vector<std::size_t> order = RankedOrder(*comparison_);
    for (std::size_t rank = 0; rank < order.size(); ++rank) {
        auto cells = ComparisonCells(comparison_->results[order[rank]], static_cast<int>(rank) + 1,
                                     separator);
        auto row = static_cast<int>(rank);
        for (std::size_t column = 0; column < cells.size(); ++column) {
            auto* item = new SortedItem(cells[column]);
            if (column == 0) item->setData(ResultRole, static_cast<qulonglong>(order[rank]));
            tblComparaison->setItem(row, static_cast<int>(column), item);
        }
    }
    tblComparaison->setSortingEnabled(true);
    tblComparaison->sortByColumn(0, Qt::AscendingOrder);
    tblComparaison->resizeColumnsToContents();

    // The map shows one rounding and one odds set at a time, of those compared.
    for (QComboBox* box : {cboCarteArrondi, cboCarteCotes}) {
        box->blockSignals(true);
        box->clear();
    }
    for (const StrategyResult& result : comparison_->results) {
        const BacktestStrategy& s = result.strategy;
        if (cboCarteArrondi->findData(static_cast<int>(s.rounding)) < 0)
            cboCarteArrondi->addItem(
                QString::fromUtf8(RoundingCaptions[static_cast<int>(s.rounding)]),
                static_cast<int>(s.rounding));
        if (cboCarteCotes->findData(static_cast<int>(s.odds)) < 0)
            cboCarteCotes->addItem(OddsSetName(s.odds), static_cast<int>(s.odds));
    }
    for (QComboBox* box : {cboCarteArrondi, cboCarteCotes}) box->blockSignals(false);
    ShowHeatMap();
    lblBootstrap->setText("Choisissez une ligne du tableau pour son intervalle par "
                          "rééchantillonnage des courses.");
    cmdExporterComparaison->setEnabled(true);
}

void ComparisonTab::ShowHeatMap() {
    if (!comparison_ || cboCarteArrondi->count() == 0 || cboCarteCotes->count() == 0) return;
    auto rounding = static_cast<RoundingMode>(cboCarteArrondi->currentData().toInt());
    auto set = static_cast<OddsSet>(cboCarteCotes->currentData().toInt());
    std::vector<int> horses;
    std::vector<float> profits;
    for (const StrategyResult& result : comparison_->results) {
        if (std::find(horses.begin(), horses.end(), result.strategy.horses) == horses.end())
            horses.push_back(result.strategy.horses);
        if (std::find(profits.begin(), profits.end(), result.strategy.targetProfit) ==
            profits.end())
            profits.push_back(result.strategy.targetProfit);
    }
    std::sort(horses.begin(), horses.end());
    std::sort(profits.begin(), profits.end());
    char separator = screens_.state.settings.DecimalSeparator;
    QStringList columns, rows;
    for (int k : horses) columns << QString::number(k);
    for (float profit : profits) rows << Q(ProfitText(profit, separator));
    std::vector<ReturnHeatMap::Cell> cells;
    for (const StrategyResult& result : comparison_->results) {
        const BacktestStrategy& s = result.strategy;
        if (s.rounding != rounding || s.odds != set) continue;
        auto interval = result.moments.NormalInterval();
        cells.push_back(
            {static_cast<int>(std::find(horses.begin(), horses.end(), s.horses) - horses.begin()),
             static_cast<int>(std::find(profits.begin(), profits.end(), s.targetProfit) -
                              profits.begin()),
             result.summary.ReturnPercent(), !interval || interval->HoldsZero()});
    }
    picCarte->setMap(columns, rows, std::move(cells),
                     QString("Rendement sur toute la plage, mises %1, cotes %2")
                         .arg(cboCarteArrondi->currentText(), cboCarteCotes->currentText()),
                     separator);
}

std::optional<BacktestStrategy> ComparisonTab::StrategyOfRow(int row) const {
    QTableWidgetItem* first = tblComparaison->item(row, 0);
    if (!comparison_ || !first) return std::nullopt;
    auto index = first->data(ResultRole).toULongLong();
    if (index >= comparison_->results.size()) return std::nullopt;
    return comparison_->results[index].strategy;
}

void ComparisonTab::StartBootstrap() {
    auto rows = tblComparaison->selectionModel()->selectedRows();
    if (rows.isEmpty() || !done_) return;
    auto strategy = StrategyOfRow(rows.front().row());
    if (!strategy) return;
    if (bootstrapThread_) {
        bootstrapWanted_ = strategy; // once the one being computed is done
        return;
    }
    auto job = std::make_shared<BootstrapJob>();
    job->input = done_;
    job->strategy = *strategy;
    bootstrap_ = job;
    lblBootstrap->setText(Q(StrategyText(*strategy, screens_.state.settings.DecimalSeparator) +
                            " : intervalle par rééchantillonnage en cours de calcul..."));
    bootstrapThread_ = QThread::create([job] { job->Run(); });
    connect(bootstrapThread_, &QThread::finished, this, [this] { BootstrapFinished(); });
    bootstrapThread_->start();
}

void ComparisonTab::BootstrapFinished() {
    bootstrapThread_->deleteLater();
    bootstrapThread_ = nullptr;
    char separator = screens_.state.settings.DecimalSeparator;
    lblBootstrap->setText(
        Q(StrategyText(bootstrap_->strategy, separator) +
          " : intervalle à 90 % par "
          "rééchantillonnage des courses (" +
          std::to_string(BootstrapResamples) + " tirages) " +
          (bootstrap_->read ? IntervalText(bootstrap_->interval, separator)
                            : std::string("impossible : le fichier ne se lit plus."))));
    auto wanted = std::exchange(bootstrapWanted_, std::nullopt);
    if (wanted && *wanted != bootstrap_->strategy) {
        StartBootstrap(); // the row selected now
        return;
    }
    emit finished();
}

void ComparisonTab::cmdExporterComparaison_Click() {
    if (!done_) return;
    AskCsvPath(this, done_->path, "comparaison.csv",
               [this](const std::string& path) { ExportCsv(path); });
}

bool ComparisonTab::ExportCsv(const std::string& path) {
    if (!comparison_) return false;
    // A French spreadsheet's decimal comma, whatever the desktop's, as the back-test's export.
    return SaveCsvExport(screens_.prompter, path, done_->path, [&](std::ostream& file) {
        WriteComparisonCsv(file, *comparison_, RankedOrder(*comparison_), CsvDecimalSeparator);
    });
}

void ComparisonTab::SetRunning(bool running) {
    cmdComparer->setEnabled(!running);
    cmdAnnulerComparaison->setEnabled(running);
}

} // namespace sg
