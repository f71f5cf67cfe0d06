// The main window: the stake calculator, the odds row and the runner rows.
#pragma once

#include "calc/StakeComputation.h"
#include "ledger/Arrival.h"
#include "racefile/RunnerRows.h"

#include <QFont>
#include <QWidget>

#include <array>
#include <string>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QStringListModel;

namespace sg {

class DropDownBox;
class Screens;
class NotifyingLabel;
class PictureBox;
class ShapeBox;

class frmJeuGagnant : public QWidget {
    Q_OBJECT
  public:
    explicit frmJeuGagnant(Screens& screens);
    ~frmJeuGagnant() override;

    // Handlers, named after their element and event.
    void Form_Load();
    void Form_MouseMove();
    bool Form_QueryUnload(); // true when the application may end
    void Command1_Click();
    void PreviewStakes();
    void Option1_Click(int index);
    void Option2_Click(int index);
    void HScroll1_Change();
    void cmdAccepter_Click();
    void cmdRafraichir_Click();
    void Label4_Change();
    void cmdAlademande_Click();
    void txtCote_Change(int index);
    void txtCote_LostFocus(int index);
    void txtCote_MouseMove(int index);
    void HScroll2_Change(int index);
    void HScroll2_GotFocus(int index);
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Image1_Click();
    void txtNbrepartants_LostFocus();
    void Combo1_GotFocus(int index);
    void cmdSupprimer_Click(int index);
    void cmdVoirTous_Click();
    void cmdOptions_Click();
    void imgCourses_MouseDown(int xTwips, int yTwips);
    bool imgCourses_KeyDown(int key); // true for a key of the navigation
    void Image2_Click();
    void Image2_MouseMove();
    void cmdEvolution_Click();
    void cmdAnalyse_Click();

    // What the options window asks of this one after a change of the odds convention: the
    // convention's name in the corner, every odds box converted again, "Rafraîchir" pressed.
    void ShowOddsConvention(const std::string& name);
    void ReconvertAllOdds();
    void PressRafraichir();

    // What the race procedures read and write on this window.
    void SetRowOdds(int row, const std::string& text);   // the change handler runs
    void SetRowNumber(int row, const std::string& text); // the PMU number's text
    RowTexts RowOdds();
    RowTexts RowNumbers();
    std::string RunnerCountText() const;
    void SetRunnerCountText(const std::string& text);
    void SetRunnerCountWidth(int twips);
    void ShowRunnerRows(int n); // rows 1..n shown, the others hidden
    void ShowRaceNumber(const std::string& caption);
    void SetHintLine(const std::string& text); // the window's caption
    void PaintRow(int row, const RowColours& colours);
    std::string ProfitText() const;
    std::array<std::string, 10> ColumnOdds() const;    // odds boxes 1..9
    std::array<std::string, 10> ColumnNumbers() const; // PMU numbers 1..9
    std::array<std::string, 10> ColumnStakes() const;  // stakes 1..9

    int SelectedHorseCount() const;
    RoundingMode SelectedRoundingMode() const;

    // The template of index 0 and the runner rows 10..22, built when first needed.
    void EnsureHiddenRows();

    // Control arrays, indexed as the program's documents index them (0 is a hidden template).
    // Entries 0 and 10..22 are null until EnsureHiddenRows().
    std::array<QLineEdit*, 23> txtCote{};
    std::array<DropDownBox*, 23> Combo1{};
    std::array<QScrollBar*, 10> HScroll2{};
    std::array<ShapeBox*, 23> Shape1{};
    std::array<QPushButton*, 10> cmdSupprimer{};
    std::array<QLabel*, 10> Label1{};
    std::array<QLabel*, 10> Label2{};
    std::array<QRadioButton*, 11> Option1{}; // indices 0..7 and 10
    std::array<QRadioButton*, 3> Option2{};
    std::array<QLabel*, 3> Label3{};  // indices 0 and 2
    NotifyingLabel* Label4 = nullptr; // every write runs Label4_Change
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* LabelPMU = nullptr;
    QLabel* Label19 = nullptr;
    QLabel* lblDansleRouge = nullptr;
    QLabel* lblRapport = nullptr;
    QGroupBox* Frame1 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLineEdit* txtRecherche = nullptr;
    QLineEdit* txtArrondir = nullptr;
    QLineEdit* txtNbrepartants = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* cmdAccepter = nullptr;
    QPushButton* cmdRafraichir = nullptr;
    QPushButton* cmdAlademande = nullptr;
    QPushButton* cmdVoirTous = nullptr;
    QPushButton* cmdOptions = nullptr;
    PictureBox* Image1 = nullptr;
    QLabel* lblCourse = nullptr;
    PictureBox* imgCourses = nullptr;
    PictureBox* Image2 = nullptr;
    QPushButton* cmdEvolution = nullptr;
    QPushButton* cmdAnalyse = nullptr; // "Analyse du pari"

  signals:
    // The stakes shown, an odds stored or the horses played changed: the analysis follows.
    void betChanged();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override; // Page Up and Page Down change race
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class HorseCountAdapter;

    struct WindowFonts {
        QFont bold, odds, small;
    };
    WindowFonts Fonts() const;
    void BuildWidgets();
    void BuildColumn(int i);
    void BuildRunnerRow(int i);
    void SetUpRow(int i);
    void ConnectHandlers();
    void ConnectRow(int i);
    void FillPmuLists(int count);
    std::array<std::string, 10> OddsTexts() const;
    StakeTexts ReadStakeTexts() const;
    void WriteStakeTexts(const StakeTexts& texts, bool withProfit);
    void ShowPlayedColumns(int k);
    void StoreOdds(int index);
    int RunnerCountShown() const;
    char separator() const; // the user's decimal separator

    Screens& screens_;
    QStringListModel* pmuNumbers_ = nullptr;
    bool optionsPlaced_ = false;
    bool hiddenRowsBuilt_ = false;
};

} // namespace sg
