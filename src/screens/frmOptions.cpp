#include "screens/frmOptions.h"

#include "app/Messages.h"
#include "screens/Controls.h"
#include "screens/RaceProcedures.h"
#include "screens/Screens.h"
#include "screens/frmJeuGagnant.h"
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
    setFixedSize(440, 350);

    Frame2[1] = MakeChoice(this, "Frame2(1)", "Les valeurs sont à considérer comme", "OptionPlus1",
                           "Cotes normales (rapport = cote +1)",
                           "Rapports probables incluant déjà la mise de 1 euro", OptionPlus1, 8);
    Frame2[0] =
        MakeChoice(this, "Frame2(0)", "Les cotes sont à considérer comme:", "OptionPMHouPMU",
                   "Cotes PMH (finales)", "Cotes PMU (intermédiaires)", OptionPMHouPMU, 88);
    Frame1 = MakeChoice(this, "Frame1", "Voir arrivée et rapports", "OptionVoirArrivee",
                        "dès que l'on change de course", "seulement après avoir joué",
                        OptionVoirArrivee, 168);

    FrameFichier = Make<QGroupBox>(this, "FrameFichier", {10, 248, 420, 94});
    FrameFichier->setTitle("Fichier de courses");
    cmdOuvrir =
        Make<QPushButton>(FrameFichier, "cmdOuvrir", "Utiliser le fichier...", {12, 24, 170, 28});
    lblFichier = Make<QLabel>(FrameFichier, "lblFichier", Messages::NoFileYet, {192, 24, 220, 28});
    lblFichier->setWordWrap(true);
    lblFichier->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdRapportsetArrivee = Make<QPushButton>(FrameFichier, "cmdRapportsetArrivee",
                                             "Arivée / Enregistrer", {12, 58, 170, 28});

    OnSelect(this, OptionPlus1, [this](int i) { OptionPlus1_Click(i); });
    OnSelect(this, OptionPMHouPMU, [this](int i) { OptionPMHouPMU_Click(i); });
    OnSelect(this, OptionVoirArrivee, [this](int i) { OptionVoirArrivee_Click(i); });
    connect(cmdOuvrir, &QPushButton::clicked, this, [this] { cmdOuvrir_Click(); });
    connect(cmdRapportsetArrivee, &QPushButton::clicked, this,
            [this] { cmdRapportsetArrivee_Click(); });
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

void frmOptions::ShowFilePath(const std::string& path) {
    lblFichier->setText(Q(path));
}

void frmOptions::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

} // namespace sg
