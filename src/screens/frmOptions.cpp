#include "screens/frmOptions.h"

#include "app/Messages.h"
#include "screens/BetJournal.h"
#include "screens/Controls.h"
#include "screens/RaceProcedures.h"
#include "screens/Screens.h"
#include "screens/frmBilan.h"
#include "screens/frmImporter.h"
#include "screens/frmJeuGagnant.h"
#include "screens/frmJournal.h"
#include "screens/rappJS.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace sg {

namespace {

// A frame with a pair of exclusive option buttons, the first one selected.
QGroupBox* MakeChoice(QWidget* parent, const QString& frameName, const QString& title,
                      const QString& buttonName, const char* first, const char* second,
                      std::array<QRadioButton*, 2>& buttons, int y) {
    auto* frame = new QGroupBox(title, parent);
    frame->setObjectName(frameName);
    frame->setGeometry(10, y, 420, 72);
    const char* captions[2] = {first, second};
    for (int i = 0; i < 2; ++i) {
        buttons[i] = new QRadioButton(captions[i], frame);
        buttons[i]->setObjectName(QString("%1(%2)").arg(buttonName).arg(i));
        buttons[i]->setGeometry(12, 22 + i * 22, 400, 20);
    }
    buttons[0]->setChecked(true);
    return frame;
}

template <typename Handler>
void OnSelect(QWidget* owner, std::array<QRadioButton*, 2>& buttons, Handler handler) {
    for (int i = 0; i < 2; ++i) {
        QObject::connect(buttons[i], &QRadioButton::toggled, owner, [handler, i](bool on) {
            if (on) handler(i);
        });
    }
}

} // namespace

frmOptions::frmOptions(Screens& screens) : QWidget(nullptr), screens_(screens) {
    setObjectName("frmOptions");
    setWindowTitle("Options");
    setFixedSize(440, 722);

    Frame2[1] = MakeChoice(this, "Frame2(1)", "Les valeurs sont à considérer comme", "OptionPlus1",
                           "Cotes normales (rapport = cote +1)",
                           "Rapports probables incluant déjà la mise de 1 euro", OptionPlus1, 8);
    Frame2[0] =
        MakeChoice(this, "Frame2(0)", "Les cotes sont à considérer comme:", "OptionPMHouPMU",
                   "Cotes PMH (finales)", "Cotes PMU (intermédiaires)", OptionPMHouPMU, 88);
    Frame1 = MakeChoice(this, "Frame1", "Voir arrivée et rapports", "OptionVoirArrivee",
                        "dès que l'on change de course", "seulement après avoir joué",
                        OptionVoirArrivee, 168);

    FrameFichier = Make<QGroupBox>(this, "FrameFichier", {10, 248, 420, 180});
    FrameFichier->setTitle("Fichier de courses");
    cmdOuvrir =
        Make<QPushButton>(FrameFichier, "cmdOuvrir", "Utiliser le fichier...", {12, 24, 170, 28});
    lblFichier = Make<QLabel>(FrameFichier, "lblFichier", Messages::NoFileYet, {192, 24, 220, 28});
    lblFichier->setWordWrap(true);
    lblFichier->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdRapportsetArrivee = Make<QPushButton>(FrameFichier, "cmdRapportsetArrivee",
                                             "Arivée / Enregistrer", {12, 58, 170, 28});
    cmdBilan = Make<QPushButton>(FrameFichier, "cmdBilan", "Bilan sur tout le fichier...",
                                 {192, 58, 216, 28});
    cmdBilan->setEnabled(false);
    lblLectureSeule =
        Make<QLabel>(FrameFichier, "lblLectureSeule", Messages::ReadOnlyNote, {12, 152, 396, 20});
    SetForeColor(lblLectureSeule, ReadOnlyColour);
    lblLectureSeule->hide();

    cmdImporter = Make<QPushButton>(FrameFichier, "cmdImporter", "Importer des courses...",
                                    {12, 92, 170, 28});
    lblOrigine = Make<QLabel>(FrameFichier, "lblOrigine", {192, 88, 216, 60});
    lblOrigine->setWordWrap(true);
    lblOrigine->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblOrigine->setTextInteractionFlags(Qt::TextSelectableByMouse);

    FrameJeu = Make<QGroupBox>(this, "FrameJeu", {10, 434, 420, 280});
    FrameJeu->setTitle("Jeu et bilan");
    Command1 = Make<QPushButton>(FrameJeu, "Command1", "JOUER", {12, 24, 120, 34});
    QFont bold = Command1->font();
    bold.setBold(true);
    Command1->setFont(bold);
    cmdMettreazero = Make<QPushButton>(FrameJeu, "cmdMettreazero", "Mettre les comptes à zéro",
                                       {196, 24, 212, 34});
    BalanceTexts start = StartBalanceTexts();
    lblMontantJoue =
        Make<QLabel>(FrameJeu, "lblMontantJoue", Q(start.lblMontantJoue), {12, 68, 396, 22});
    lblTotalMises =
        Make<QLabel>(FrameJeu, "lblTotalMises", Q(start.lblTotalMises), {12, 92, 396, 22});
    lblGagne = Make<QLabel>(FrameJeu, "lblGagne", Q(start.lblGagne), {12, 116, 396, 22});
    lblTotaldesgains =
        Make<QLabel>(FrameJeu, "lblTotaldesgains", Q(start.lblTotaldesgains), {12, 140, 396, 22});
    Shape1 = Make<ShapeBox>(FrameJeu, "Shape1", {12, 170, 26, 26});
    lblBilan = Make<QLabel>(FrameJeu, "lblBilan", Q(start.lblBilan), {46, 170, 362, 26});
    lblBilan->setFont(bold);
    lblBilan->setWordWrap(true);
    cmdJournal =
        Make<QPushButton>(FrameJeu, "cmdJournal", "Journal des paris...", {12, 206, 170, 28});
    lblJournal = Make<QLabel>(FrameJeu, "lblJournal", "", {12, 238, 396, 36});
    lblJournal->setWordWrap(true);
    SetForeColor(lblJournal, QColor(180, 0, 0));

    OnSelect(this, OptionPlus1, [this](int i) { OptionPlus1_Click(i); });
    OnSelect(this, OptionPMHouPMU, [this](int i) { OptionPMHouPMU_Click(i); });
    OnSelect(this, OptionVoirArrivee, [this](int i) { OptionVoirArrivee_Click(i); });
    connect(cmdOuvrir, &QPushButton::clicked, this, [this] { cmdOuvrir_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdMettreazero, &QPushButton::clicked, this, [this] { cmdMettreazero_Click(); });
    connect(cmdRapportsetArrivee, &QPushButton::clicked, this,
            [this] { cmdRapportsetArrivee_Click(); });
    connect(cmdBilan, &QPushButton::clicked, this, [this] { cmdBilan_Click(); });
    connect(cmdJournal, &QPushButton::clicked, this, [this] { cmdJournal_Click(); });
    connect(cmdImporter, &QPushButton::clicked, this, [this] { cmdImporter_Click(); });
    UseDesktopKeys(this, true);
}

void frmOptions::OptionPlus1_Click(int) {
    frmJeuGagnant& main = screens_.main();
    bool odds = OptionPlus1[0]->isChecked();
    screens_.state.settings.OddsOffset = odds ? 0 : -1;
    main.ShowOddsConvention(odds ? "Cotes" : "Rapports");
    main.ReconvertAllOdds();
    main.PressRafraichir();
}

void frmOptions::OptionPMHouPMU_Click(int) {
    screens_.state.settings.OddsKind = OptionPMHouPMU[0]->isChecked() ? OddsSet::PMH : OddsSet::PMU;
}

void frmOptions::OptionVoirArrivee_Click(int) {
    screens_.state.settings.ShowArrivalOnRaceChange = OptionVoirArrivee[0]->isChecked();
}

void frmOptions::cmdOuvrir_Click() {
    screens_.race().ChooseRaceFile();
}

void frmOptions::cmdRapportsetArrivee_Click() {
    rappJS& results = screens_.results();
    results.show();
    results.raise();
    results.activateWindow();
}

void frmOptions::ShowFilePath(const std::string& path, bool readOnly) {
    lblFichier->setText(Q(path));
    lblLectureSeule->setVisible(readOnly);
    cmdBilan->setEnabled(true);
}

void frmOptions::ShowRaceOrigin(const std::string& text) {
    lblOrigine->setText(Q(text));
}

void frmOptions::cmdImporter_Click() {
    screens_.importer().ShowForOpenFile();
}

void frmOptions::cmdBilan_Click() {
    screens_.backtest().ShowForOpenFile();
}

void frmOptions::Command1_Click() {
    screens_.race().Play();
}

void frmOptions::cmdMettreazero_Click() {
    screens_.state.calc.StakeTotalWhole = 0;
    ShowBalance(ResetLedger(screens_.state.ledger));
    JournalReset(screens_);
}

void frmOptions::cmdJournal_Click() {
    screens_.journal().ShowJournal();
}

void frmOptions::ShowJournalStatus(const std::string& text, const std::string& details) {
    lblJournal->setText(Q(text));
    lblJournal->setToolTip(Q(details));
}

void frmOptions::ShowBalance(const BalanceTexts& texts) {
    lblMontantJoue->setText(Q(texts.lblMontantJoue));
    lblTotalMises->setText(Q(texts.lblTotalMises));
    lblGagne->setText(Q(texts.lblGagne));
    lblTotaldesgains->setText(Q(texts.lblTotaldesgains));
    lblBilan->setText(Q(texts.lblBilan));
}

void frmOptions::PaintBalanceMark(const Rgb& colour) {
    SetBackColor(Shape1, QColor(colour.red, colour.green, colour.blue));
}

void frmOptions::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

} // namespace sg
