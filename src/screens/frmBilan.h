// "Bilan sur tout le fichier": a strategy played on every race of a range of the open race
// file, on the final odds (PMH) and on the intermediate odds (PMU) side by side, with the
// summary, the running balance drawn race by race, and the races exported as CSV; a second
// tab compares many strategies (ComparisonTab).
#pragma once

#include "ledger/BacktestSummary.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QThread;
class QTimer;

namespace sg {

class BalanceChart;
class ComparisonTab;
class Screens;
struct BacktestJob;

class frmBilan : public QWidget {
    Q_OBJECT
  public:
    explicit frmBilan(Screens& screens);
    ~frmBilan() override;

    // Shown from the options window: the strategy of the main window and the whole file.
    void ShowForOpenFile();

    // A strategy of the comparison shown here with its curve (a back-test of it).
    void ShowStrategy(const BacktestStrategy& strategy, RaceRange range);
    void cmdCalculer_Click();
    void cmdAnnuler_Click();
    void cmdExporter_Click(); // asks where, then writes
    // Writes the races of the odds set chosen beside the button; false, after a message, when
    // the file cannot be written.
    bool ExportCsv(const std::string& path);

    bool IsRunning() const { return thread_ != nullptr; }
    bool IsBusy() const; // a back-test, or in the comparison tab
    // The rows of the last back-test, PMH then PMU (empty before any).
    const std::vector<BacktestRow>& RowsOf(OddsSet set) const;

    QSpinBox* spnChevaux = nullptr;
    QLineEdit* txtBenefice = nullptr;
    QComboBox* cboArrondi = nullptr;
    QComboBox* cboValeurs = nullptr;
    QSpinBox* spnDe = nullptr;
    QSpinBox* spnA = nullptr;
    QLabel* lblFichier = nullptr;
    QPushButton* cmdCalculer = nullptr;
    QPushButton* cmdAnnuler = nullptr;
    QProgressBar* prgCalcul = nullptr;
    QTableWidget* tblResume = nullptr;
    BalanceChart* chtBilan = nullptr;
    QComboBox* cboExport = nullptr;
    QPushButton* cmdExporter = nullptr;
    QTabWidget* tabPages = nullptr;
    ComparisonTab* tabComparer = nullptr;

  signals:
    void finished(); // a back-test ended, with results or cancelled

  protected:
    void closeEvent(QCloseEvent* event) override; // hides the window; a run goes on

  private:
    void ShowProgress();
    void RunFinished();
    void ShowResults();
    void SetRunning(bool running);

    Screens& screens_;
    std::shared_ptr<BacktestJob> job_; // the run going on, then its results
    QThread* thread_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    std::vector<BacktestRow> pmh_, pmu_;
    std::string resultPath_; // the file the results are of
};

} // namespace sg
