// The options window: how odds are typed, which odds a race file holds, when the arrival shows.
#pragma once

#include <QWidget>

#include <array>

class QGroupBox;
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

    std::array<QGroupBox*, 2> Frame2{};
    QGroupBox* Frame1 = nullptr;
    std::array<QRadioButton*, 2> OptionPlus1{};
    std::array<QRadioButton*, 2> OptionPMHouPMU{};
    std::array<QRadioButton*, 2> OptionVoirArrivee{};

  protected:
    void closeEvent(QCloseEvent* event) override; // the close box only hides the window

  private:
    Screens& screens_;
};

} // namespace sg
