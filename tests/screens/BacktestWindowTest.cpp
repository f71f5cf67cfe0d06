// The back-test against the real windows: on the demonstration file, every race it plays
// stakes and wins what moving to that race and pressing "JOUER" books; and its window.
#include "ScreenFixture.h"

#include "app/BacktestTexts.h"
#include "app/Messages.h"
#include "calc/HorseCountSelection.h"
#include "racefile/RaceFileReader.h"
#include "screens/FolderList.h"
#include "screens/frmBilan.h"
#include "screens/frmOptions.h"
#include "screens/frmOuvrir.h"

#include <QComboBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace sg {
namespace {

namespace fs = std::filesystem;

// The demonstration file beside the program, copied so that nothing can change it.
struct DemoCopy {
    fs::path folder, path;
    DemoCopy() {
        char pattern[] = "/tmp/sg-backtest-test-XXXXXX";
        if (mkdtemp(pattern)) folder = pattern;
        path = folder / "demo.tur";
        fs::copy_file(fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "demo.tur",
                      path);
    }
    ~DemoCopy() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
};

class BacktestWindows : public ScreenTest {
  protected:
    void OpenDemo() { OpenThroughTheDialog(demo.folder.string(), "demo.tur"); }

    // The strategy chosen in the windows, the target profit through its scroll bar.
    void Choose(const BacktestStrategy& s) {
        frmOptions& options = screens.options();
        options.OptionPlus1[s.oddsOffset == 0 ? 0 : 1]->click();
        options.OptionPMHouPMU[s.odds == OddsSet::PMH ? 0 : 1]->click();
        main.Option1[ButtonOfHorseCount(s.horses)]->click();
        main.Option2[static_cast<int>(s.rounding)]->click();
        int profit = static_cast<int>(s.targetProfit);
        main.HScroll1->setValue(profit == 1 ? 2 : 1); // a change, whatever it was before
        main.HScroll1->setValue(profit);
        ASSERT_EQ(state.calc.TargetProfit, s.targetProfit);
    }

    DemoCopy demo;
};

TEST_F(BacktestWindows, EveryRacePlayedBooksWhatJouerBooksInTheWindows) {
    OpenDemo();
    RaceFileReader file;
    ASSERT_TRUE(file.Open(demo.path.string()));
    auto strategy = [](int k, float profit, RoundingMode mode, OddsSet set, int offset) {
        return BacktestStrategy{k, profit, mode, set, offset};
    };
    struct Case {
        BacktestStrategy strategy;
        char separator;
    } cases[] = {
        {strategy(4, 10, RoundingMode::Decimals, OddsSet::PMH, 0), '.'},
        {strategy(3, 25, RoundingMode::WholeUnits, OddsSet::PMU, 0), ','},
        {strategy(6, 7, RoundingMode::UpToTen, OddsSet::PMH, 0), '.'},
        {strategy(1, 50, RoundingMode::Decimals, OddsSet::PMU, -1), ','},
        {strategy(2, 3, RoundingMode::UpToTen, OddsSet::PMH, -1), '.'},
        {strategy(9, 100, RoundingMode::Decimals, OddsSet::PMU, 0), '.'},
    };
    for (const Case& c : cases) {
        state.settings.DecimalSeparator = c.separator;
        Choose(c.strategy);
        auto rows = RunBacktest(file.Races(), c.strategy, {1, 42});
        ASSERT_TRUE(rows);
        int played = 0;
        for (const BacktestRow& row : *rows) {
            prompter.queueAnswer(std::to_string(row.race));
            main.imgCourses_MouseDown(700, 100); // "Numéro": the race asked for
            ASSERT_EQ(state.race.CurrentRace, row.race);
            LedgerState before = state.ledger;
            screens.options().Command1->click(); // JOUER
            std::int64_t staked = state.ledger.TotalStakes - before.TotalStakes;
            std::int64_t won = state.ledger.TotalGains - before.TotalGains;
            std::string where =
                "race " + std::to_string(row.race) + ", " + StrategyText(c.strategy, '.');
            if (row.skipped == SkipReason::None) {
                ++played;
                EXPECT_EQ(staked, row.staked) << where;
                EXPECT_EQ(won, row.won) << where;
            } else if (row.skipped == SkipReason::LosingBet) {
                EXPECT_EQ(staked, 0) << where; // refused
            }
        }
        EXPECT_GE(played, 5) << StrategyText(c.strategy, '.');
    }
}

TEST_F(BacktestWindows, TheWindowTakesTheMainWindowsChoicesAndShowsBothOddsSets) {
    EXPECT_FALSE(screens.options().cmdBilan->isEnabled());
    OpenDemo();
    ASSERT_TRUE(screens.options().cmdBilan->isEnabled());
    BacktestStrategy chosen{3, 12, RoundingMode::WholeUnits, OddsSet::PMH, -1};
    Choose(chosen);
    screens.options().cmdBilan->click();
    frmBilan& window = screens.backtest();
    EXPECT_EQ(window.txtBenefice->text(), "12"); // the rest of the prefill: scenario backtest

    // A bad profit is refused with a message; a good one computes both sets.
    window.txtBenefice->setText("douze");
    lines.clear();
    window.cmdCalculer->click();
    EXPECT_EQ(lines,
              std::vector<std::string>{std::string("message: ") + Messages::BacktestBadProfit});
    window.txtBenefice->setText("12,0");
    QEventLoop loop;
    QObject::connect(&window, &frmBilan::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    window.cmdCalculer->click();
    EXPECT_TRUE(window.IsRunning());
    EXPECT_FALSE(window.cmdCalculer->isEnabled());
    loop.exec();
    ASSERT_FALSE(window.IsRunning());

    RaceFileReader file;
    ASSERT_TRUE(file.Open(demo.path.string()));
    for (OddsSet set : {OddsSet::PMH, OddsSet::PMU}) {
        BacktestStrategy s = chosen;
        s.odds = set;
        auto rows = RunBacktest(file.Races(), s, {1, 40});
        ASSERT_EQ(window.RowsOf(set).size(), rows->size());
        window.cboExport->setCurrentIndex(set == OddsSet::PMH ? 0 : 1);
        fs::path csv = demo.folder / "bilan.csv";
        ASSERT_TRUE(window.ExportCsv(csv.string()));
        std::ostringstream expected;
        WriteBacktestCsv(expected, *rows, '.');
        std::ifstream written(csv);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), expected.str());
    }
    // Annuler: the run ends without results and the choices can be changed again.
    window.cmdCalculer->click();
    window.cmdAnnuler->click();
    loop.exec();
    EXPECT_FALSE(window.IsRunning());
    EXPECT_EQ(window.prgCalcul->format().toStdString(), Messages::BacktestCancelled);
    EXPECT_TRUE(window.cmdCalculer->isEnabled());
    EXPECT_TRUE(window.spnChevaux->isEnabled());
    EXPECT_EQ(window.RowsOf(OddsSet::PMH).size(), 40u); // the former results stay

    // Never over a race file.
    lines.clear();
    EXPECT_FALSE(window.ExportCsv(demo.path.string()));
    EXPECT_EQ(lines.size(), 1u);
}

} // namespace
} // namespace sg
