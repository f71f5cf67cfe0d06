// The "Comparer" tab against the real windows: what it refuses, the ranked table and the heat
// map as the comparison gives them, a row opened in the back-test tab with the same figures,
// the bootstrap of the row selected, the CSV, and "Annuler".
#include "ScreenFixture.h"
#include "TextsPath.h"

#include "app/ComparisonTexts.h"
#include "app/Messages.h"
#include "racefile/RaceFileReader.h"
#include "screens/ComparisonTab.h"
#include "screens/ReturnHeatMap.h"
#include "screens/frmBilan.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

namespace sg {
namespace {

class ComparisonTabTest : public ScreenTest {
  protected:
    ComparisonTabTest() {
        OpenDemoIn(work);
        screens.options().cmdBilan->click();
    }

    WorkFolder work;
    frmBilan& window = screens.backtest();
    ComparisonTab& tab = *window.tabComparer;
};

TEST_F(ComparisonTabTest, RefusesWhatCannotBeComparedWithOneMessage) {
    struct Case {
        const char* name;
        std::function<void()> change;
        std::string message;
    } cases[] = {
        {"no odds set",
         [&] {
             tab.chkCotes[0]->setChecked(false);
             tab.chkCotes[1]->setChecked(false);
         },
         ComparisonNothingChosen},
        {"a profit that is not one", [&] { tab.txtBenefices->setText("5/douze"); },
         ComparisonBadProfits},
        // The filters' texts are read as sg-race comparer reads its options.
        {"runners backwards", [&] { tab.txtPartants->setText("12-8"); },
         std::string(ComparisonBadFilter) + "partants (min-max)."},
        {"an empty range",
         [&] {
             tab.spnDeComparaison->setValue(30);
             tab.spnAComparaison->setValue(3);
         },
         Messages::BacktestEmptyRange},
    };
    for (const Case& c : cases) {
        // What works, then the one change.
        tab.chkCotes[0]->setChecked(true);
        tab.txtBenefices->setText("5/10/20/50");
        for (QLineEdit* box : {tab.txtPartants, tab.txtDu}) box->clear();
        tab.ShowForOpenFile();
        lines.clear();
        c.change();
        tab.cmdComparer->click();
        EXPECT_EQ(lines, std::vector<std::string>{"message: " + c.message}) << c.name;
        EXPECT_FALSE(tab.IsRunning()) << c.name;
    }
}

TEST_F(ComparisonTabTest, RanksMapsAndOpensAStrategyInTheBacktestTab) {
    for (QCheckBox* box : tab.chkArrondi) box->setChecked(true);
    state.settings.DecimalSeparator = ',';
    AndWait(&tab, [&] { tab.cmdComparer->click(); });
    ASSERT_TRUE(tab.Results());
    const Comparison& comparison = *tab.Results();
    ASSERT_EQ(tab.tblComparaison->rowCount(), 216);

    // The same as the comparison run alone, best first.
    RaceFileReader file;
    ASSERT_TRUE(file.Open((work.path / "demo.tur").string()));
    StrategyGrid grid = FullGrid();
    auto alone = CompareStrategies(file.Races(), nullptr, {grid.Strategies(), {1, 40}, {}, 70});
    std::vector<std::size_t> order = RankedOrder(*alone);
    for (int row : {0, 1, 100, 215}) {
        const StrategyResult& expected = alone->results[order[static_cast<std::size_t>(row)]];
        EXPECT_EQ(tab.StrategyOfRow(row), expected.strategy) << row;
        EXPECT_EQ(tab.tblComparaison->item(row, 14)->text().toStdString(),
                  EurosText(expected.summary.balance, ','))
            << row;
    }

    // The map: one cell per horse count and profit, hatched where the interval holds 0.
    const auto& cells = tab.picCarte->cells();
    ASSERT_EQ(cells.size(), 36u);
    for (const ReturnHeatMap::Cell& cell : cells) {
        BacktestStrategy s{cell.column + 1, grid.targetProfits[static_cast<std::size_t>(cell.row)],
                           RoundingMode::Decimals, OddsSet::PMH, 0};
        auto result = std::find_if(comparison.results.begin(), comparison.results.end(),
                                   [&](const StrategyResult& r) { return r.strategy == s; });
        ASSERT_NE(result, comparison.results.end());
        auto interval = result->moments.NormalInterval();
        EXPECT_EQ(cell.holdsZero, !interval || interval->HoldsZero());
        EXPECT_EQ(cell.percent, result->summary.ReturnPercent());
    }

    // Sorted by the return, highest first, as numbers ("-4,21 %" before "-12,00 %").
    tab.tblComparaison->sortByColumn(ComparisonReturnColumn, Qt::DescendingOrder);
    for (int row = 1; row < 216; ++row) {
        auto value = [&](int r) {
            return tab.tblComparaison->item(r, ComparisonReturnColumn)->data(Qt::UserRole);
        };
        if (value(row).isValid()) {
            EXPECT_GE(value(row - 1).toDouble(), value(row).toDouble()) << row;
        }
    }

    // The bootstrap of the row selected.
    AndWait(&tab, [&] { tab.tblComparaison->selectRow(3); });
    BacktestStrategy chosen = *tab.StrategyOfRow(3);
    EXPECT_NE(tab.lblBootstrap->text().toStdString().find(StrategyText(chosen, ',') +
                                                          " : intervalle à 90 % par "
                                                          "rééchantillonnage"),
              std::string::npos)
        << tab.lblBootstrap->text().toStdString();

    // A double click shows that strategy in the back-test tab, with the comparison's figures.
    AndWait(&window, [&] { emit tab.tblComparaison->cellDoubleClicked(3, 0); });
    EXPECT_EQ(window.tabPages->currentIndex(), 0);
    EXPECT_EQ(window.spnChevaux->value(), chosen.horses);
    auto result = std::find_if(comparison.results.begin(), comparison.results.end(),
                               [&](const StrategyResult& r) { return r.strategy == chosen; });
    BacktestSummary shown = Summarize(window.RowsOf(chosen.odds));
    EXPECT_EQ(std::tuple(shown.played, shown.staked, shown.won),
              std::tuple(result->summary.played, result->summary.staked, result->summary.won));

    // The table as CSV, never over a race file.
    ASSERT_TRUE(tab.ExportCsv(work.File("comparaison.csv")));
    std::string csv = Contents(work.path / "comparaison.csv");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 217);
    EXPECT_EQ(csv.rfind(ComparisonCsvHeaderStart, 0), 0u);
    lines.clear();
    EXPECT_FALSE(tab.ExportCsv(work.File("demo.tur")));
    EXPECT_EQ(lines, std::vector<std::string>{"message: " +
                                              Messages::CsvOnRaceFile(work.File("demo.tur"))});

    // Annuler: no results from that run, the former ones stay.
    AndWait(&tab, [&] {
        tab.cmdComparer->click();
        tab.cmdAnnulerComparaison->click();
    });
    EXPECT_FALSE(tab.IsRunning());
    EXPECT_EQ(tab.prgComparaison->format().toStdString(), Messages::BacktestCancelled);
    EXPECT_EQ(tab.tblComparaison->rowCount(), 216);
}

} // namespace
} // namespace sg
