// "Analyse du pari": what the bet of the main window really does, kept up to date while the
// stakes change: each possible winner, the race's book, odds that move, the punter's stakes in
// the pool, and the same bet for a budget or in real bet units.
#pragma once

#include "racefile/RaceIndex.h"

#include <QWidget>

#include <cstdint>
#include <string>
#include <utility>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace sg {

class Screens;

class frmAnalyse : public QWidget {
    Q_OBJECT
  public:
    explicit frmAnalyse(Screens& screens);

    // Shown from the main window, up to date.
    void ShowForBet();
    // Computes the analysis again from the main window and the boxes.
    void Refresh();

    QLabel* lblPari = nullptr;
    QLabel* lblEtat = nullptr;
    QTableWidget* tblChevaux = nullptr;
    QTableWidget* tblLivre = nullptr;
    QLabel* lblMarche = nullptr;
    QTableWidget* tblVariation = nullptr;
    QTableWidget* tblBaisse = nullptr;
    QLineEdit* txtMasse = nullptr;
    QLineEdit* txtPrelevement = nullptr;
    QLabel* lblMasse = nullptr;
    QTableWidget* tblMasse = nullptr;
    QLabel* lblAlerte = nullptr;
    QLineEdit* txtBudget = nullptr;
    QLineEdit* txtMiseMin = nullptr;
    QLineEdit* txtPas = nullptr;
    QTableWidget* tblBudget = nullptr;
    QTableWidget* tblUnites = nullptr;
    QLabel* lblTotaux = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override; // hides the window
    void showEvent(QShowEvent* event) override;   // the import's index may have changed

  private:
    void FollowRace();
    void ClearTables();

    Screens& screens_;
    bool refreshing_ = false;
    bool placed_ = false;
    bool recheck_ = true; // the index is read again at the next refresh
    std::pair<std::string, std::int32_t> followed_{"", -1}; // the race whose pool is shown
    std::string indexPath_;                                 // the race file `index_` is of
    RaceIndex index_;
    std::string importedPool_; // the text of the pool brought by the import, if any
};

} // namespace sg
