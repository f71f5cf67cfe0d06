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
    // Another race file was opened: the results of the former one go, a run of it stops.
    void RaceFileChanged();

    // A strategy of the comparison shown here with its curve (a back-test of it).
    void ShowStrategy(const BacktestStrategy& strategy, RaceRange range);
    void cmdCalculer_Click();
    void cmdAnnuler_Click();
    void cmdExporter_Click(); // asks where, then writes
    // Writes the races of the odds set chosen beside the button, whole; false, after a
    // message, when there is nothing up to date to write or the file cannot be written.
    bool ExportCsv(const std::string& path);

    bool IsRunning() const { return thread_ != nullptr; }
    bool IsBusy() const; // a back-test, or in the comparison tab
    // The rows of the back-test shown, PMH then PMU (empty before any, after "Annuler" and
    // once another race file is opened).
    const std::vector<BacktestRow>& RowsOf(OddsSet set) const;
    // Results are shown that the strategy or the range chosen since no longer give.
    bool IsOutOfDate() const;

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
    QLabel* lblPerime = nullptr; // says that the results are out of date
    QComboBox* cboExport = nullptr;
    QComboBox* cboSeparateur = nullptr; // the decimal comma or point of the CSV's amounts
    QPushButton* cmdExporter = nullptr;
    QPushButton* cmdFermer = nullptr;
    QTabWidget* tabPages = nullptr;
    ComparisonTab* tabComparer = nullptr;

  signals:
    void finished(); // a back-test ended, with results or cancelled

  protected:
    void closeEvent(QCloseEvent* event) override; // hides the window; a run goes on

  private:
    // The strategy and range the controls show; empty while the profit cannot be read.
    struct Choices {
        BacktestStrategy strategy;
        RaceRange range;
        bool operator==(const Choices& other) const;
    };
    std::optional<Choices> ChosenNow() const;

    void ShowFile();
    void ShowProgress();
    void RunFinished();
    void ShowResults();
    void ClearResults();
    void ShowWhetherOutOfDate();
    bool ExportRefused();
    void SetRunning(bool running);

    Screens& screens_;
    std::shared_ptr<BacktestJob> job_; // the run going on, then its results
    QThread* thread_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    std::vector<BacktestRow> pmh_, pmu_;
    std::optional<Choices> shown_; // what the results shown were computed with
    std::string resultPath_;       // the file the results are of
};

} // namespace sg
