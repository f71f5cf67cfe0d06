// The results window: the arrival order and the official payouts of the current race, kept
// equal to the record in memory, and "Enregistrer".
#pragma once

#include "racefile/ResultsEntry.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sg {

class Screens;

class rappJS : public QWidget {
    Q_OBJECT
  public:
    explicit rappJS(Screens& screens);

    void Text1_Change(int index);
    void Text2_Change(int index);
    void cmdEnregistrer_Click();

    // The record's results in the boxes (each write runs its change handler) and the caption.
    void ShowResults(const ResultsWindowTexts& texts);
    ArrivalTexts ArrivalBoxes() const;
    PayoutTexts PayoutBoxes() const;
    bool StoresOdds() const;          // "Enregistrer aussi les cotes" ticked
    void ShowReadOnly(bool readOnly); // the open file is for reading only: nothing is saved

    std::array<QLineEdit*, 6> Text1{}; // 1..5: the horses of the first five places
    std::array<QLineEdit*, 4> Text2{}; // 0..3: the payouts for 1 euro
    std::array<QLabel*, 11> Label4{};  // 0, 1, 3, 4 beside the payouts; 10 "Jeu simple"
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QCheckBox* CheckCotes = nullptr;
    QPushButton* cmdEnregistrer = nullptr;
    QLabel* lblLectureSeule = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override; // the close box only hides the window

  private:
    Screens& screens_;
};

} // namespace sg
