// The "Comparer" tab of the back-test window: a grid of strategies chosen with check boxes and
// lists, filters on the races, the comparison on a worker thread with its progress, the ranked
// table (sorted by any column), the heat map of the returns, the bootstrap interval of the
// strategy selected, and the table exported as CSV. A double click on a row asks the back-test
// tab to show that strategy with its curve.
#pragma once

#include "ledger/StrategyComparison.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QThread;
class QTimer;

namespace sg {

class ReturnHeatMap;
class Screens;
struct ComparisonJob;
struct ComparisonInput;
struct BootstrapJob;

class ComparisonTab : public QWidget {
    Q_OBJECT
  public:
    ComparisonTab(Screens& screens, QWidget* parent);
    ~ComparisonTab() override;

    // The range of the open file, as the back-test tab takes it.
    void ShowForOpenFile();
    // Another race file was opened: the results of the former one go, a run of it stops.
    void RaceFileChanged();

    void cmdComparer_Click();
    void cmdAnnulerComparaison_Click();
    void cmdExporterComparaison_Click(); // asks where, then writes
    bool ExportCsv(const std::string& path);
    // The strategy of a row of the table as it is sorted now (from 0).
    std::optional<BacktestStrategy> StrategyOfRow(int row) const;

    bool IsRunning() const { return thread_ != nullptr || bootstrapThread_ != nullptr; }
    const std::optional<Comparison>& Results() const { return comparison_; }

    std::array<QCheckBox*, 10> chkChevaux{}; // 1..9
    QLineEdit* txtBenefices = nullptr;
    std::array<QCheckBox*, 3> chkArrondi{}; // by RoundingMode
    std::array<QCheckBox*, 2> chkCotes{};   // PMH, PMU
    QComboBox* cboValeursComparaison = nullptr;
    QSpinBox* spnDeComparaison = nullptr;
    QSpinBox* spnAComparaison = nullptr;
    QLineEdit* txtPartants = nullptr;
    QLineEdit* txtCoteFavori = nullptr;
    QLineEdit* txtSommeProbas = nullptr;
    QLineEdit* txtDu = nullptr;
    QLineEdit* txtAu = nullptr;
    QLineEdit* txtHippodrome = nullptr;
    QLineEdit* txtDiscipline = nullptr;
    QSpinBox* spnApprentissage = nullptr;
    QPushButton* cmdComparer = nullptr;
    QPushButton* cmdAnnulerComparaison = nullptr;
    QProgressBar* prgComparaison = nullptr;
    QLabel* lblComparaison = nullptr;
    QTableWidget* tblComparaison = nullptr;
    QComboBox* cboCarteArrondi = nullptr;
    QComboBox* cboCarteCotes = nullptr;
    ReturnHeatMap* picCarte = nullptr;
    QLabel* lblBootstrap = nullptr;
    QPushButton* cmdExporterComparaison = nullptr;

  signals:
    void strategyChosen(const sg::BacktestStrategy& strategy, sg::RaceRange range);
    void finished(); // a comparison ended, with results or cancelled

  private:
    // The request the controls describe, or the message saying what is wrong.
    std::optional<ComparisonRequest> ReadRequest(std::string& why) const;
    void RunFinished();
    void ShowResults();
    void ShowHeatMap();
    void StartBootstrap();
    void BootstrapFinished();
    void SetRunning(bool running);

    Screens& screens_;
    std::shared_ptr<ComparisonJob> job_;
    QThread* thread_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    std::optional<Comparison> comparison_;
    std::shared_ptr<const ComparisonInput> done_; // the file, index and request of the results
    std::shared_ptr<BootstrapJob> bootstrap_;
    QThread* bootstrapThread_ = nullptr;
    std::optional<BacktestStrategy> bootstrapWanted_; // asked while another was computed
};

} // namespace sg
