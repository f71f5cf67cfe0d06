// "Journal des paris": every play booked and every reset, newest first, filtered by race file
// and dates, with the totals and the running balance of what is shown, and the lines shown
// exported as CSV.
#pragma once

#include "ledger/Journal.h"

#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace sg {

class BalanceChart;
class Screens;

class frmJournal : public QWidget {
    Q_OBJECT
  public:
    explicit frmJournal(Screens& screens);

    // Shown from the options window, the journal read again.
    void ShowJournal();
    // Reads the journal again and shows it with the filter chosen ("Afficher").
    void cmdAfficher_Click();
    void cmdExporter_Click(); // asks where, then writes
    // Writes the lines shown; false, after a message, when the file cannot be written.
    bool ExportCsv(const std::string& path);

    QComboBox* cboFichier = nullptr;
    QLineEdit* txtDu = nullptr;
    QLineEdit* txtAu = nullptr;
    QPushButton* cmdAfficher = nullptr;
    QTableWidget* tblJournal = nullptr;
    QLabel* lblTotaux = nullptr;
    BalanceChart* chtJournal = nullptr;
    QLabel* lblEtat = nullptr;
    QPushButton* cmdExporter = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override; // hides the window

  private:
    void FillFileChoices(const std::vector<std::string>& files);

    Screens& screens_;
    std::vector<JournalEntry> shown_; // oldest first
};

} // namespace sg
