#include "screens/frmJeuGagnant.h"

#include "app/Messages.h"
#include "calc/HorseCountSelection.h"
#include "calc/TargetProfit.h"
#include "numbers/Numbers.h"
#include "numbers/OddsText.h"
#include "racefile/RunnerRows.h"
#include "screens/Controls.h"
#include "screens/DropDownBox.h"
#include "screens/RaceProcedures.h"
#include "screens/Screens.h"
#include "screens/frmAnalyse.h"
#include "screens/frmCote.h"
#include "screens/frmOptions.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStringListModel>

namespace sg {

// Lets the horse-count selection of the core drive this window.
class frmJeuGagnant::HorseCountAdapter : public HorseCountScreen {
  public:
    explicit HorseCountAdapter(frmJeuGagnant& form) : form_(form) {}
    void ShowPlayedColumns(int k) override { form_.ShowPlayedColumns(k); }
    void ShowMessage(const std::string& text) override { form_.screens_.prompter.message(text); }
    void Compute() override { form_.Command1_Click(); }
    void Preview() override { form_.PreviewStakes(); }

  private:
    frmJeuGagnant& form_;
};

frmJeuGagnant::frmJeuGagnant(Screens& screens) : QWidget(nullptr), screens_(screens) {
    BuildWidgets();
    ConnectHandlers();
    Form_Load();
    txtCote[1]->setFocus(); // where typing starts, once the window is shown
}

frmJeuGagnant::~frmJeuGagnant() = default;

// The template of index 0 and the runner rows 10..22 lie hidden or beyond the window's
// width until "Voir tous" or a race needs them: they are built then, not at start.
void frmJeuGagnant::EnsureHiddenRows() {
    if (hiddenRowsBuilt_) return;
    hiddenRowsBuilt_ = true;
    BuildColumn(0);
    ConnectRow(0);
    for (int i = 10; i <= RunnerRows; ++i) {
        BuildRunnerRow(i);
        ConnectRow(i);
    }
}

void frmJeuGagnant::ConnectRow(int i) {
    connect(txtCote[i], &QLineEdit::textChanged, this, [this, i] { txtCote_Change(i); });
    txtCote[i]->installEventFilter(this);
    Combo1[i]->installEventFilter(this);
    if (i <= 9) {
        connect(HScroll2[i], &QScrollBar::valueChanged, this, [this, i] { HScroll2_Change(i); });
        HScroll2[i]->installEventFilter(this);
    }
}

void frmJeuGagnant::ConnectHandlers() {
    for (int i = 1; i <= 9; ++i) ConnectRow(i);
    for (int index = 0; index < static_cast<int>(Option1.size()); ++index) {
        if (!Option1[index]) continue;
        connect(Option1[index], &QRadioButton::toggled, this, [this, index](bool on) {
            if (on) Option1_Click(index);
        });
    }
    for (int index = 0; index < 3; ++index) {
        connect(Option2[index], &QRadioButton::toggled, this, [this, index](bool on) {
            if (on) Option2_Click(index);
        });
    }
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    connect(Label4, &NotifyingLabel::textChanged, this, [this] { Label4_Change(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(cmdAccepter, &QPushButton::clicked, this, [this] { cmdAccepter_Click(); });
    connect(cmdRafraichir, &QPushButton::clicked, this, [this] { cmdRafraichir_Click(); });
    connect(cmdAlademande, &QPushButton::clicked, this, [this] { cmdAlademande_Click(); });
    connect(Image1, &PictureBox::clicked, this, [this] { Image1_Click(); });
    connect(cmdVoirTous, &QPushButton::clicked, this, [this] { cmdVoirTous_Click(); });
    connect(cmdOptions, &QPushButton::clicked, this, [this] { cmdOptions_Click(); });
    connect(imgCourses, &PictureBox::mousePressed, this,
            [this](int x, int y) { imgCourses_MouseDown(x, y); });
    imgCourses->setKeyHandler([this](int key) { return imgCourses_KeyDown(key); });
    connect(Image2, &PictureBox::clicked, this, [this] { Image2_Click(); });
    connect(Image2, &PictureBox::mouseMoved, this, [this] { Image2_MouseMove(); });
    connect(cmdEvolution, &QPushButton::clicked, this, [this] { cmdEvolution_Click(); });
    connect(cmdAnalyse, &QPushButton::clicked, this, [this] { cmdAnalyse_Click(); });
    for (int i = 1; i <= 9; ++i)
        connect(cmdSupprimer[i], &QPushButton::clicked, this, [this, i] { cmdSupprimer_Click(i); });
    txtNbrepartants->installEventFilter(this);
}

bool frmJeuGagnant::eventFilter(QObject* watched, QEvent* event) {
    auto type = event->type();
    if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
        // Switching to another program or opening a menu is no move of the focus by the user.
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return QWidget::eventFilter(watched, event);
    }
    for (int i = 0; i <= 22; ++i) {
        if (watched == txtCote[i]) {
            if (type == QEvent::MouseMove || type == QEvent::Enter) txtCote_MouseMove(i);
            if (type == QEvent::FocusOut) txtCote_LostFocus(i);
        }
        if (watched == Combo1[i] && type == QEvent::FocusIn) Combo1_GotFocus(i);
    }
    if (watched == txtNbrepartants && type == QEvent::FocusOut) txtNbrepartants_LostFocus();
    for (int i = 0; i <= 9; ++i) {
        if (watched == HScroll2[i] && type == QEvent::FocusIn) HScroll2_GotFocus(i);
    }
    return QWidget::eventFilter(watched, event);
}

void frmJeuGagnant::Form_Load() {
    HScroll1->setPageStep(10);
    HScroll1->setSingleStep(1);
    move(0, 0);
    screens_.state.LoadStartValues();
    FillPmuLists(RunnerCountShown());
    for (int i = 1; i <= 9; ++i) Combo1[i]->setText("1"); // the others start so when built
}

int frmJeuGagnant::RunnerCountShown() const {
    return RunnerCountOf(S(txtNbrepartants->text())).value_or(0);
}

void frmJeuGagnant::FillPmuLists(int count) {
    QStringList items;
    for (const std::string& item : PmuNumberItems(count)) items << Q(item);
    // The lists share one model; new items leave their texts as they are.
    pmuNumbers_->setStringList(items);
}

void frmJeuGagnant::Form_MouseMove() {
    setWindowTitle(Messages::MainTitle);
}

void frmJeuGagnant::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

bool frmJeuGagnant::Form_QueryUnload() {
    return screens_.prompter.question(Messages::QuitQuestion, Messages::QuestionTitle);
}

void frmJeuGagnant::closeEvent(QCloseEvent* event) {
    if (Form_QueryUnload()) {
        event->accept();
        screens_.shell.quit();
    } else {
        event->ignore();
    }
}

void frmJeuGagnant::Command3_Click() {
    screens_.shell.quit();
}

void frmJeuGagnant::Command5_Click() {
    screens_.prompter.message(Messages::OtherPrograms);
}

void frmJeuGagnant::Image1_Click() {
    screens_.prompter.message(Messages::HelpFolder);
    screens_.shell.openHelp(Messages::HelpFile);
}

int frmJeuGagnant::SelectedHorseCount() const {
    for (int index = 0; index < static_cast<int>(Option1.size()); ++index) {
        if (Option1[index] && Option1[index]->isChecked()) return HorseCountOfButton(index);
    }
    return 1;
}

RoundingMode frmJeuGagnant::SelectedRoundingMode() const {
    for (int i = 0; i < 3; ++i) {
        if (Option2[i]->isChecked()) return static_cast<RoundingMode>(i);
    }
    return RoundingMode::Decimals;
}

std::array<std::string, 10> frmJeuGagnant::OddsTexts() const {
    std::array<std::string, 10> texts;
    for (int i = 1; i <= 9; ++i) texts[i] = S(txtCote[i]->text());
    return texts;
}

StakeTexts frmJeuGagnant::ReadStakeTexts() const {
    StakeTexts texts;
    for (int i = 1; i <= 9; ++i) texts.Label2[i] = S(Label2[i]->text());
    texts.Label19 = S(Label19->text());
    texts.Label4 = S(Label4->text());
    texts.lblRapport = S(lblRapport->text());
    return texts;
}

void frmJeuGagnant::WriteStakeTexts(const StakeTexts& texts, bool withProfit) {
    for (int i = 1; i <= 9; ++i) Label2[i]->setText(Q(texts.Label2[i]));
    Label19->setText(Q(texts.Label19));
    if (withProfit) {
        Label4->setText(Q(texts.Label4));
        lblRapport->setText(Q(texts.lblRapport));
    }
    emit betChanged();
}

void frmJeuGagnant::Command1_Click() {
    CalculatorState& calc = screens_.state.calc;
    int k = SelectedHorseCount();
    if (auto message = MissingOddsForComputation(k, OddsTexts(), calc.ExampleLoadingMarker)) {
        screens_.prompter.message(*message);
        return;
    }
    StakeTexts texts = ReadStakeTexts();
    ComputeStakes(calc, k, SelectedRoundingMode(), separator(), texts);
    WriteStakeTexts(texts, true);
}

void frmJeuGagnant::PreviewStakes() {
    StakeTexts texts = ReadStakeTexts();
    sg::PreviewStakes(screens_.state.calc, SelectedHorseCount(), SelectedRoundingMode(),
                      separator(), texts);
    WriteStakeTexts(texts, false);
}

void frmJeuGagnant::Label4_Change() {
    ProfitReaction reaction = ReactToProfitText(S(Label4->text()));
    if (reaction.lowProfit) screens_.state.calc.LowProfitFlag = 1;
    lblDansleRouge->setVisible(reaction.showWarning);
}

void frmJeuGagnant::Option1_Click(int) {
    HorseCountChoice choice{SelectedHorseCount(), OddsTexts(), S(txtRecherche->text())};
    HorseCountAdapter adapter(*this);
    SelectHorseCount(screens_.state.calc, adapter, choice);
    emit betChanged();
}

void frmJeuGagnant::ShowPlayedColumns(int k) {
    if (k >= 2) {
        for (int i = 1; i <= k; ++i) {
            Label1[i]->setEnabled(true);
            SetBackColor(txtCote[i], White);
            Label2[i]->setEnabled(true);
        }
    }
    for (int i = k + 1; i <= 9; ++i) {
        SetBackColor(txtCote[i], LightGrey);
        Label2[i]->setEnabled(false);
        Label1[i]->setEnabled(false);
    }
}

void frmJeuGagnant::Option2_Click(int) {
    Command1_Click();
}

void frmJeuGagnant::HScroll1_Change() {
    screens_.state.calc.TargetProfit = static_cast<float>(HScroll1->value());
    Command1_Click();
}

void frmJeuGagnant::cmdAccepter_Click() {
    if (auto wanted = WantedProfitFromProfitText(S(Label4->text())))
        txtRecherche->setText(Q(*wanted));
}

void frmJeuGagnant::cmdRafraichir_Click() {
    if (!ShowsPositiveProfit(S(Label4->text()))) {
        screens_.prompter.message(Messages::ChooseWantedProfitFirst);
        return;
    }
    HScroll1_Change();
    int count = screens_.state.calc.PlayedHorseCount;
    Option1_Click(count - 1);
    Option1_Click(count);
    Command1_Click();
}

void frmJeuGagnant::cmdAlademande_Click() {
    StakeTexts texts = ReadStakeTexts();
    RoundStakesToMultiple(screens_.state.calc, texts, S(txtArrondir->text()), separator());
    WriteStakeTexts(texts, false);
}

char frmJeuGagnant::separator() const {
    return screens_.state.settings.DecimalSeparator;
}

// Converts the box's text, or corrects a trailing comma first: that write is a change of its
// own, which stores the odds.
void frmJeuGagnant::StoreOdds(int index) {
    QLineEdit* box = txtCote[index];
    OddsBoxChange change = OddsTextChanged(S(box->text()), screens_.state.settings.OddsOffset);
    if (change.rewrite) {
        box->setText(Q(*change.rewrite));
        return;
    }
    if (index < 1 || index > 9) return; // the runner rows beyond the bet store nothing
    if (change.odds) screens_.state.calc.OddsTable[index] = *change.odds;
    // Stored before the picker moves: a picker that rewrites the text stores its own value.
    if (change.picker) SetScrollValue(HScroll2[index], *change.picker);
    emit betChanged();
}

void frmJeuGagnant::txtCote_Change(int index) {
    StoreOdds(index);
    if (index >= 1 && index <= 9)
        HScroll2[index]->setVisible(IsPickerText(S(txtCote[index]->text())));
}

void frmJeuGagnant::ShowOddsConvention(const std::string& name) {
    Label1[0]->setText(Q(name));
}

void frmJeuGagnant::ReconvertAllOdds() {
    for (int i = 1; i <= 22; ++i) {
        if (txtCote[i]) StoreOdds(i); // a row not built yet is empty: nothing to convert
    }
}

void frmJeuGagnant::PressRafraichir() {
    cmdRafraichir->click();
}

void frmJeuGagnant::txtCote_LostFocus(int index) {
    std::string text = S(txtCote[index]->text());
    if (ReplaceFirstComma(text)) txtCote[index]->setText(Q(text));
}

void frmJeuGagnant::txtCote_MouseMove(int) {
    setWindowTitle(Messages::OddsHint);
}

void frmJeuGagnant::HScroll2_Change(int index) {
    if (index < 1) return; // the template stays hidden
    QScrollBar* picker = HScroll2[index];
    picker->show();
    if (!IsPickerText(S(txtCote[index]->text()))) {
        picker->hide();
        return;
    }
    txtCote[index]->setText(QString::number(picker->value()));
}

void frmJeuGagnant::HScroll2_GotFocus(int) {
    setWindowTitle(Messages::PickerHint);
}

void frmJeuGagnant::Command2_Click() {
    CalculatorState& calc = screens_.state.calc;
    calc.ExampleLoadingMarker = "nao";
    Option1[ButtonOfHorseCount(4)]->setChecked(true);
    calc.TargetProfit = 4.0f;
    const char* odds[] = {"14", "9/2", "15", "39"};
    const char* numbers[] = {"14", "8", "5", "13"};
    for (int i = 1; i <= 4; ++i) txtCote[i]->setText(odds[i - 1]);
    for (int i = 1; i <= 4; ++i) Combo1[i]->setText(numbers[i - 1]);
    Command1_Click();
    calc.ExampleLoadingMarker.clear();
}

} // namespace sg

namespace sg {

void frmJeuGagnant::txtNbrepartants_LostFocus() {
    FillPmuLists(RunnerCountShown());
    double raceRunners =
        screens_.state.race.RaceRecord.FieldNumber(RaceField::RunnerCount).value_or(0);
    auto rows = RowsEnabledForRunnerCount(raceRunners);
    if (rows[RunnerRows]) EnsureHiddenRows();
    for (int i = 1; i <= 22; ++i) {
        if (!rows[i]) continue;
        txtCote[i]->setEnabled(*rows[i]);
        Combo1[i]->setEnabled(*rows[i]);
    }
}

void frmJeuGagnant::Combo1_GotFocus(int) {
    setWindowTitle(Messages::PmuNumberHint);
}

void frmJeuGagnant::cmdSupprimer_Click(int index) {
    int n = RunnerCountShown();
    if (n == 0) {
        screens_.prompter.message(Messages::RunnerCountFirst);
        return;
    }
    EnsureHiddenRows();
    RowTexts odds, numbers;
    for (int i = 1; i <= 22; ++i) {
        odds[i] = S(txtCote[i]->text());
        numbers[i] = S(Combo1[i]->text());
    }
    DeleteRunnerRow(odds, numbers, index, n);
    for (int i = 1; i <= 22; ++i) {
        txtCote[i]->setText(Q(odds[i]));
        Combo1[i]->setText(Q(numbers[i]));
    }
}

void frmJeuGagnant::cmdVoirTous_Click() {
    bool widen = cmdVoirTous->text() == "Voir tous";
    cmdVoirTous->setText(widen ? "Réduire" : "Voir tous");
    setFixedWidth(Pixels(widen ? 10845 : 9600));
    // The options window beside the narrow window would now hide rows 10 to 22.
    QWidget* options = screens_.window("frmOptions", false);
    if (options && options->frameGeometry().intersects(frameGeometry()))
        options->move(frameGeometry().right() + 8, options->y());
    EnsureHiddenRows();
    auto n = RunnerCountOf(S(txtNbrepartants->text()));
    if (!n) return; // a count beyond reason leaves the rows as they are
    // Rows 1..n are shown and the rows after n hidden, the bet's columns included: a column
    // hidden for a small field comes back once the field is larger.
    for (int i = 1; i <= 22; ++i) {
        txtCote[i]->setVisible(i <= *n);
        Combo1[i]->setVisible(i <= *n);
    }
}

void frmJeuGagnant::cmdOptions_Click() {
    frmOptions& options = screens_.options();
    if (!options.isVisible() && !optionsPlaced_) {
        options.move(frameGeometry().right() + 8, y()); // beside the main window, first time
        optionsPlaced_ = true;
    }
    options.show();
    options.raise();
    options.activateWindow();
}

void frmJeuGagnant::imgCourses_MouseDown(int xTwips, int yTwips) {
    screens_.race().Navigate(xTwips, yTwips);
}

// The picture's zones from the keyboard: the arrows, Home and End, and N or Enter for a number.
bool frmJeuGagnant::imgCourses_KeyDown(int key) {
    NavigationZone zone = NavigationZone::None;
    switch (key) {
    case Qt::Key_Left:
        zone = NavigationZone::Previous;
        break;
    case Qt::Key_Right:
        zone = NavigationZone::Next;
        break;
    case Qt::Key_Home:
        zone = NavigationZone::First;
        break;
    case Qt::Key_End:
        zone = NavigationZone::Last;
        break;
    case Qt::Key_N:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        zone = NavigationZone::Number;
        break;
    default:
        return false;
    }
    screens_.race().Navigate(zone);
    return true;
}

// Reached only when the focused control has no use for the key (a scroll bar pages itself).
void frmJeuGagnant::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        screens_.race().Navigate(event->key() == Qt::Key_PageUp ? NavigationZone::Previous
                                                                : NavigationZone::Next);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmJeuGagnant::Image2_Click() {
    screens_.race().ShowArrivalColours();
}

void frmJeuGagnant::Image2_MouseMove() {
    setWindowTitle(Messages::LegendHint);
}

void frmJeuGagnant::cmdEvolution_Click() {
    frmCote& variation = screens_.variation();
    variation.show();
    variation.raise();
    variation.activateWindow();
}

void frmJeuGagnant::cmdAnalyse_Click() {
    screens_.analysis().ShowForBet();
}

void frmJeuGagnant::SetRowOdds(int row, const std::string& text) {
    if (row > 9) EnsureHiddenRows();
    txtCote[row]->setText(Q(text));
}

void frmJeuGagnant::SetRowNumber(int row, const std::string& text) {
    if (row > 9) EnsureHiddenRows();
    Combo1[row]->setText(Q(text));
}

RowTexts frmJeuGagnant::RowOdds() {
    EnsureHiddenRows();
    RowTexts texts;
    for (int row = 1; row <= RunnerRows; ++row) texts[row] = S(txtCote[row]->text());
    return texts;
}

RowTexts frmJeuGagnant::RowNumbers() {
    EnsureHiddenRows();
    RowTexts texts;
    for (int row = 1; row <= RunnerRows; ++row) texts[row] = S(Combo1[row]->text());
    return texts;
}

std::string frmJeuGagnant::RunnerCountText() const {
    return S(txtNbrepartants->text());
}

void frmJeuGagnant::SetRunnerCountText(const std::string& text) {
    txtNbrepartants->setText(Q(text));
}

void frmJeuGagnant::SetRunnerCountWidth(int twips) {
    SetWidthTwips(txtNbrepartants, twips);
}

void frmJeuGagnant::ShowRunnerRows(int n) {
    EnsureHiddenRows();
    for (int row = 1; row <= RunnerRows; ++row) {
        txtCote[row]->setVisible(row <= n);
        Combo1[row]->setVisible(row <= n);
    }
}

void frmJeuGagnant::ShowRaceNumber(const std::string& caption) {
    lblCourse->setText(Q(caption));
}

void frmJeuGagnant::SetHintLine(const std::string& text) {
    setWindowTitle(Q(text));
}

void frmJeuGagnant::PaintRow(int row, const RowColours& colours) {
    if (row > 9) EnsureHiddenRows();
    SetBackColor(Shape1[row], QColor(colours.mark.red, colours.mark.green, colours.mark.blue));
    SetBackColor(txtCote[row], QColor(colours.box.red, colours.box.green, colours.box.blue));
}

std::string frmJeuGagnant::ProfitText() const {
    return S(Label4->text());
}

std::array<std::string, 10> frmJeuGagnant::ColumnOdds() const {
    return OddsTexts();
}

std::array<std::string, 10> frmJeuGagnant::ColumnNumbers() const {
    std::array<std::string, 10> texts;
    for (int i = 1; i <= 9; ++i) texts[i] = S(Combo1[i]->text());
    return texts;
}

std::array<std::string, 10> frmJeuGagnant::ColumnStakes() const {
    std::array<std::string, 10> texts;
    for (int i = 1; i <= 9; ++i) texts[i] = S(Label2[i]->text());
    return texts;
}

} // namespace sg
