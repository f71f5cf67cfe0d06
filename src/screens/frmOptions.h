// The options window: how odds are typed, which odds a race file holds, when the arrival shows.
#pragma once

#include "ledger/Play.h"

#include <QWidget>

#include <array>
#include <string>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace sg {

class Screens;
class ShapeBox;

class frmOptions : public QWidget {
    Q_OBJECT
  public:
    explicit frmOptions(Screens& screens);

    void OptionPlus1_Click(int index);
    void OptionPMHouPMU_Click(int index);
    void OptionVoirArrivee_Click(int index);
    void cmdOuvrir_Click();
    void cmdRapportsetArrivee_Click();
    void cmdBilan_Click();
    void Command1_Click();
    void cmdMettreazero_Click();
    void cmdJournal_Click();
    void cmdImporter_Click();

    // The path of the race file now open, and whether it is for reading only.
    void ShowFilePath(const std::string& path, bool readOnly);
    // Where the current race comes from, as the importer's index says.
    void ShowRaceOrigin(const std::string& text);
    // The balance after a play or a reset; the mark changes only with a play.
    void ShowBalance(const BalanceTexts& texts);
    void PaintBalanceMark(const Rgb& colour);
    // Why the journal of bets could not be written (said once per run), in short and in full.
    void ShowJournalStatus(const std::string& text, const std::string& details);

    std::array<QGroupBox*, 2> Frame2{};
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 2> OptionPlus1{};
    std::array<QRadioButton*, 2> OptionPMHouPMU{};
    std::array<QRadioButton*, 2> OptionVoirArrivee{};
    QGroupBox* FrameFichier = nullptr;
    QPushButton* cmdOuvrir = nullptr;
    QLabel* lblFichier = nullptr;
    QLabel* lblLectureSeule = nullptr; // shown while the open file is for reading only
    QPushButton* cmdRapportsetArrivee = nullptr;
    QPushButton* cmdBilan = nullptr;    // the back-test, once a file is open
    QPushButton* cmdImporter = nullptr; // the PMU's races into the race file
    QLabel* lblOrigine = nullptr;       // the current race's date, meeting and race
    QGroupBox* FrameJeu = nullptr;
    QPushButton* Command1 = nullptr; // "JOUER"
    QPushButton* cmdMettreazero = nullptr;
    QLabel* lblMontantJoue = nullptr;
    QLabel* lblTotalMises = nullptr;
    QLabel* lblGagne = nullptr;
    QLabel* lblTotaldesgains = nullptr;
    QLabel* lblBilan = nullptr;
    ShapeBox* Shape1 = nullptr;
    QPushButton* cmdJournal = nullptr; // the journal of bets
    QLabel* lblJournal = nullptr;      // its status: empty while it is written

  protected:
    void closeEvent(QCloseEvent* event) override; // the close box only hides the window

  private:
    Screens& screens_;
};

} // namespace sg
