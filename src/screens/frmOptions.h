// The options window: how odds are typed, which odds a race file holds, when the arrival shows.
#pragma once

#include <QWidget>

#include <array>
#include <string>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace sg {

class Screens;

class frmOptions : public QWidget {
    Q_OBJECT
  public:
    explicit frmOptions(Screens& screens);

    void OptionPlus1_Click(int index);
    void OptionPMHouPMU_Click(int index);
    void OptionVoirArrivee_Click(int index);
    void cmdOuvrir_Click();
    void cmdRapportsetArrivee_Click();

    // The path of the race file now open.
    void ShowFilePath(const std::string& path);

    std::array<QGroupBox*, 2> Frame2{};
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 2> OptionPlus1{};
    std::array<QRadioButton*, 2> OptionPMHouPMU{};
    std::array<QRadioButton*, 2> OptionVoirArrivee{};
    QGroupBox* FrameFichier = nullptr;
    QPushButton* cmdOuvrir = nullptr;
    QLabel* lblFichier = nullptr;
    QPushButton* cmdRapportsetArrivee = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override; // the close box only hides the window

  private:
    Screens& screens_;
};

} // namespace sg
