#include "screens/frmAnalyse.h"

#include "app/BetAnalysisTexts.h"
#include "numbers/Numbers.h"
#include "screens/Controls.h"
#include "screens/Screens.h"
#include "screens/TextTables.h"
#include "screens/frmJeuGagnant.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace sg {

namespace {

QGroupBox* Section(QWidget* parent, const QString& name, const char* title) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    box->setObjectName(name);
    return box;
}

QLabel* Note(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QLineEdit* Box(QWidget* parent, const QString& name, const QString& text) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(name);
    box->setMaximumWidth(120);
    return box;
}

std::string JoinedValues(const std::vector<SummaryLine>& lines, const char* between) {
    std::string text;
    for (const SummaryLine& line : lines)
        text += (text.empty() ? "" : between) + line.label + " : " + line.value;
    return text;
}

} // namespace

frmAnalyse::frmAnalyse(Screens& screens) : QWidget(nullptr), screens_(screens) {
    setObjectName("frmAnalyse");
    setWindowTitle("Analyse du pari");
    resize(1140, 700);
    char separator = screens_.state.settings.DecimalSeparator;
    auto withSeparator = [separator](std::string text) {
        std::replace(text.begin(), text.end(), '.', separator);
        return Q(text);
    };

    lblPari = Note(this, "lblPari");
    QFont bold = lblPari->font();
    bold.setBold(true);
    lblPari->setFont(bold);
    lblEtat = Note(this, "lblEtat");
    SetForeColor(lblEtat, QColor(180, 0, 0));

    auto* horses = Section(this, "fraChevaux", "Si l'un de vos chevaux gagne");
    tblChevaux = MakeTextTable(horses, "tblChevaux");
    (new QVBoxLayout(horses))->addWidget(tblChevaux);

    auto* book = Section(this, "fraLivre", "Le livre de la course et les chances du marché");
    tblLivre = MakeTextTable(book, "tblLivre");
    lblMarche = Note(book, "lblMarche");
    lblMarche->setFont(bold);
    auto* bookLayout = new QVBoxLayout(book);
    bookLayout->addWidget(tblLivre);
    bookLayout->addWidget(lblMarche);

    auto* drift = Section(this, "fraVariation", "Si les cotes bougent (mises inchangées)");
    tblVariation = MakeTextTable(drift, "tblVariation");
    tblBaisse = MakeTextTable(drift, "tblBaisse");
    auto* driftLayout = new QVBoxLayout(drift);
    driftLayout->addWidget(tblVariation);
    driftLayout->addWidget(tblBaisse);

    auto* pool = Section(this, "fraMasse", "Vos mises dans la masse des enjeux");
    txtMasse = Box(pool, "txtMasse", "");
    txtPrelevement = Box(pool, "txtPrelevement", withSeparator(DefaultTakeoutPercent));
    lblMasse = Note(pool, "lblMasse");
    tblMasse = MakeTextTable(pool, "tblMasse");
    lblAlerte = Note(pool, "lblAlerte");
    SetForeColor(lblAlerte, QColor(180, 0, 0));
    auto* poolForm = new QFormLayout;
    poolForm->addRow("Masse des enjeux gagnant (euros) :", txtMasse);
    poolForm->addRow("Prélèvement (%) :", txtPrelevement);
    auto* poolLayout = new QVBoxLayout(pool);
    poolLayout->addLayout(poolForm);
    poolLayout->addWidget(lblMasse);
    poolLayout->addWidget(tblMasse);
    poolLayout->addWidget(lblAlerte);

    auto* placed = Section(this, "fraJouables", "Des mises que l'on peut jouer");
    txtBudget = Box(placed, "txtBudget", "");
    txtBudget->setPlaceholderText("total des mises");
    txtMiseMin = Box(placed, "txtMiseMin", withSeparator(DefaultMinimumStake));
    txtPas = Box(placed, "txtPas", withSeparator(DefaultStakeStep));
    tblBudget = MakeTextTable(placed, "tblBudget");
    tblUnites = MakeTextTable(placed, "tblUnites");
    lblTotaux = Note(placed, "lblTotaux");
    auto* placedForm = new QFormLayout;
    placedForm->addRow("Budget total (euros) :", txtBudget);
    placedForm->addRow("Mise minimum (euros) :", txtMiseMin);
    placedForm->addRow("Pas des mises (euros) :", txtPas);
    auto* placedLayout = new QVBoxLayout(placed);
    placedLayout->addLayout(placedForm);
    placedLayout->addWidget(tblBudget);
    placedLayout->addWidget(tblUnites);
    placedLayout->addWidget(lblTotaux);

    auto* left = new QVBoxLayout;
    left->addWidget(horses);
    left->addWidget(book);
    left->addWidget(drift);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(pool);
    right->addWidget(placed);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* page = new QVBoxLayout(this);
    page->addWidget(lblPari);
    page->addWidget(lblEtat);
    page->addLayout(columns, 1);

    for (QLineEdit* typed : {txtMasse, txtPrelevement, txtBudget, txtMiseMin, txtPas})
        connect(typed, &QLineEdit::textChanged, this, [this] { Refresh(); });
    connect(&screens_.main(), &frmJeuGagnant::betChanged, this, [this] {
        if (isVisible()) Refresh();
    });
    SetTabChain({txtMasse, txtPrelevement, txtBudget, txtMiseMin, txtPas, tblChevaux, tblLivre,
                 tblVariation, tblBaisse, tblMasse, tblBudget, tblUnites});
    UseDesktopKeys(this, true);
}

void frmAnalyse::ShowForBet() {
    if (!placed_) { // beside the main window, the first time
        move(screens_.main().frameGeometry().right() + 8, screens_.main().y());
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    Refresh();
}

// The pool the import gives the race now shown, put in the box when the race changes (or when
// the box is empty and the import has brought one since).
void frmAnalyse::FollowRace() {
    const RaceSession& race = screens_.state.race;
    std::string path = race.NoRaceFileOpen() ? "" : race.RaceFilePath();
    std::pair<std::string, std::int32_t> now{path, path.empty() ? 0 : race.CurrentRace};
    bool moved = now != followed_;
    if (!moved && !recheck_) return;
    bool fill = moved || S(txtMasse->text()).empty();
    recheck_ = false;
    followed_ = now;
    if (path.empty()) {
        index_ = RaceIndex{};
    } else if (path != indexPath_) {
        index_ = ReadRaceIndex(path);
    }
    indexPath_ = path;
    importedPool_.clear();
    if (const RaceIndexEntry* entry = index_.Find(now.second); entry && entry->winPoolCents)
        importedPool_ =
            FormatAmount(static_cast<double>(*entry->winPoolCents) / 100,
                         AmountFormat::ZeroDotZeroZero, screens_.state.settings.DecimalSeparator);
    if (fill) txtMasse->setText(Q(importedPool_));
}

void frmAnalyse::Refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    FollowRace();
    refreshing_ = false;

    const SharedState& state = screens_.state;
    frmJeuGagnant& main = screens_.main();
    int k = main.SelectedHorseCount();
    RoundingMode mode = main.SelectedRoundingMode();
    auto stakes = main.ColumnStakes();
    auto numbers = main.ColumnNumbers();
    RowTexts rows = main.RowOdds();

    BetAnalysisInput input;
    std::vector<std::string> playedNumbers, others;
    for (int i = 1; i <= k; ++i) {
        input.played.push_back({state.calc.OddsTable[static_cast<std::size_t>(i)], stakes[i]});
        playedNumbers.push_back(numbers[i]);
    }
    for (int row = k + 1; row <= RunnerRows; ++row) others.push_back(rows[row]);
    input.others = RunnerOdds(others, state.settings.OddsOffset);
    std::vector<std::string> notes =
        ReadAnalysisSettings({S(txtMasse->text()), S(txtPrelevement->text()), S(txtBudget->text()),
                              S(txtMiseMin->text()), S(txtPas->text())},
                             input);

    lblPari->setText(Q(PlayedBetCaption(k, mode)));
    std::string typedPool = S(txtMasse->text());
    lblMasse->setText(
        QString::fromUtf8(PoolSourceText(typedPool.empty()            ? PoolSource::Unknown
                                         : typedPool == importedPool_ ? PoolSource::Imported
                                                                      : PoolSource::Typed)));

    auto result = AnalyseBet(input);
    if (auto* refusal = std::get_if<AnalysisRefusal>(&result))
        notes.insert(notes.begin(), AnalysisRefusalText(*refusal));
    std::string said;
    for (const std::string& note : notes) said += (said.empty() ? "" : "\n") + note;
    lblEtat->setText(Q(said));
    lblEtat->setVisible(!said.empty());
    const auto* analysis = std::get_if<BetAnalysis>(&result);
    if (!analysis) {
        ClearTables();
        return;
    }
    char separator = state.settings.DecimalSeparator;
    BetAnalysisTexts texts = AnalysisTexts(*analysis, HorseNames(k, playedNumbers), separator);
    ShowTable(tblChevaux, texts.horses);
    ShowLines(tblLivre, texts.book);
    lblMarche->setText(Q(texts.marketNote.label + " : " + texts.marketNote.value + "."));
    ShowTable(tblVariation, texts.drift);
    ShowTable(tblBaisse, texts.tolerance);
    ShowTable(tblMasse, texts.pool);
    tblMasse->setVisible(!texts.pool.rows.empty());
    lblAlerte->setText(Q(JoinedValues(texts.poolWarnings, "\n")));
    ShowTable(tblBudget, texts.budget);
    ShowTable(tblUnites, texts.units);
    lblTotaux->setText(Q(JoinedValues({texts.budgetLines.back(), texts.unitLines.back()}, "\n")));
}

void frmAnalyse::ClearTables() {
    for (QTableWidget* table :
         {tblChevaux, tblLivre, tblVariation, tblBaisse, tblMasse, tblBudget, tblUnites})
        table->setRowCount(0);
    lblMarche->clear();
    lblAlerte->clear();
    lblTotaux->clear();
}

void frmAnalyse::showEvent(QShowEvent* event) {
    indexPath_.clear(); // read again: an import may have run since
    recheck_ = true;
    QWidget::showEvent(event);
}

void frmAnalyse::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

} // namespace sg
