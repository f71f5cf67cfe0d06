// The back-test against the real windows: on the demonstration file, every race it plays
// stakes and wins what moving to that race and pressing "JOUER" books; and its window.
#include "RaceBytes.h"
#include "ScreenFixture.h"

#include "app/BacktestTexts.h"
#include "app/Messages.h"
#include "calc/HorseCountSelection.h"
#include "racefile/RaceFileReader.h"
#include "screens/BalanceChart.h"
#include "screens/ComparisonTab.h"
#include "screens/frmBilan.h"

#include <QAbstractFileIconProvider>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <map>

namespace sg {
namespace {

class BacktestWindows : public ScreenTest {
  protected:
    void OpenDemo() { OpenDemoIn(demo); }

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

    WorkFolder demo;
    std::string demoPath = demo.File("demo.tur");
};

TEST_F(BacktestWindows, EveryRacePlayedBooksWhatJouerBooksInTheWindows) {
    OpenDemo();
    RaceFileReader file;
    ASSERT_TRUE(file.Open(demoPath));
    struct Case {
        BacktestStrategy strategy;
        char separator;
    } cases[] = {
        {{4, 10, RoundingMode::Decimals, OddsSet::PMH, 0}, '.'},
        {{3, 25, RoundingMode::WholeUnits, OddsSet::PMU, 0}, ','},
        {{6, 7, RoundingMode::UpToTen, OddsSet::PMH, 0}, '.'},
        {{1, 50, RoundingMode::Decimals, OddsSet::PMU, -1}, ','},
        {{2, 3, RoundingMode::UpToTen, OddsSet::PMH, -1}, '.'},
        {{9, 100, RoundingMode::Decimals, OddsSet::PMU, 0}, '.'},
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
    AndWait(&window, [&] {
        window.cmdCalculer->click();
        EXPECT_TRUE(window.IsRunning());
        EXPECT_FALSE(window.cmdCalculer->isEnabled());
    });
    ASSERT_FALSE(window.IsRunning());

    // PMH with the decimal comma of French spreadsheets whatever the desktop's, PMU with the
    // point asked for.
    RaceFileReader file;
    ASSERT_TRUE(file.Open(demoPath));
    std::string csv = demo.File("bilan.csv");
    for (OddsSet set : {OddsSet::PMH, OddsSet::PMU}) {
        BacktestStrategy s = chosen;
        s.odds = set;
        int index = set == OddsSet::PMH ? 0 : 1;
        window.cboExport->setCurrentIndex(index);
        window.cboSeparateur->setCurrentIndex(index);
        ASSERT_TRUE(window.ExportCsv(csv));
        EXPECT_EQ(Contents(csv),
                  BacktestCsv(*RunBacktest(file.Races(), s, {1, 40}), ".,"[1 - index]));
    }
    // Annuler: the run ends without results, none of the former left behind, and the choices
    // can be changed again.
    AndWait(&window, [&] {
        window.cmdCalculer->click();
        window.cmdAnnuler->click();
    });
    EXPECT_FALSE(window.IsRunning());
    EXPECT_EQ(window.prgCalcul->format().toStdString(), Messages::BacktestCancelled);
    EXPECT_TRUE(window.cmdCalculer->isEnabled());
    EXPECT_TRUE(window.spnChevaux->isEnabled());
    EXPECT_TRUE(window.RowsOf(OddsSet::PMH).empty());
    EXPECT_EQ(window.tblResume->rowCount(), 0);
    EXPECT_TRUE(window.chtBilan->curves().isEmpty());
    EXPECT_FALSE(window.cmdExporter->isEnabled());
}

class HandMadeFiles : public ScreenTest {
  protected:
    // Three runners, the favourite (horse 2) winning at 3.5, with the odds of both sets given.
    static RaceRecord Race(const std::vector<std::string>& pmh,
                           const std::vector<std::string>& pmu) {
        RaceRecord race = MadeRace("3", pmh, "2", "3.5");
        for (std::size_t i = 0; i < pmu.size(); ++i)
            race.SetSlot(*OddsSlot(RaceField::OddsPMU, static_cast<int>(i) + 1), pmu[i]);
        return race;
    }
    HandMadeFiles() {
        const RaceRecord both = Race({"4", "2.5", "6"}, {"4.5", "2", "7"});
        WriteRaceFile(work.path / "douze.tur", std::vector<RaceRecord>(12, both));
        // PMU odds missing from race 2; PMH odds that lose with three horses on race 3.
        WriteRaceFile(work.path / "cinq.tur",
                      {both, Race({"4", "2.5", "6"}, {}), Race({"1", "1", "1"}, {"4.5", "2", "7"}),
                       both, both});
    }

    frmBilan& Computed() {
        frmBilan& window = screens.backtest();
        AndWait(&window, [&] { window.cmdCalculer->click(); });
        return window;
    }

    // The summary's lines as the table shows them: the label, then PMH and PMU.
    std::map<std::string, std::pair<std::string, std::string>> Summary(const frmBilan& window) {
        std::map<std::string, std::pair<std::string, std::string>> shown;
        for (int row = 0; row < window.tblResume->rowCount(); ++row)
            shown[window.tblResume->item(row, 0)->text().toStdString()] = {
                window.tblResume->item(row, 1)->text().toStdString(),
                window.tblResume->item(row, 2)->text().toStdString()};
        return shown;
    }

    WorkFolder work;
};

TEST_F(HandMadeFiles, TheResultsShownAreAlwaysThoseOfTheFileAndTheChoicesShown) {
    OpenThroughTheDialog(work.path.string(), "douze.tur");
    main.Option1[ButtonOfHorseCount(2)]->click();
    screens.options().cmdBilan->click();
    frmBilan& window = Computed();
    ASSERT_EQ(window.RowsOf(OddsSet::PMH).size(), 12u);
    EXPECT_FALSE(window.IsOutOfDate());
    EXPECT_TRUE(window.lblPerime->isHidden());
    std::string csv = work.File("bilan.csv");

    // A change of the strategy or the range marks the figures; the export refuses them.
    std::function<void(bool)> changes[] = {
        [&](bool on) { window.spnChevaux->setValue(on ? 3 : 2); },
        [&](bool on) { window.txtBenefice->setText(on ? "11" : "10"); },
        [&](bool on) { window.txtBenefice->setText(on ? "dix" : "10,0"); }, // no profit
        [&](bool on) { window.cboArrondi->setCurrentIndex(on ? 2 : 0); },
        [&](bool on) { window.cboValeurs->setCurrentIndex(on ? 1 : 0); },
        [&](bool on) { window.spnDe->setValue(on ? 2 : 1); },
        [&](bool on) { window.spnA->setValue(on ? 11 : 12); },
    };
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        changes[i](true);
        EXPECT_TRUE(window.IsOutOfDate() && !window.lblPerime->isHidden()) << i;
        lines.clear();
        EXPECT_FALSE(window.ExportCsv(csv)) << i;
        EXPECT_EQ(lines.size(), 1u) << i;
        changes[i](false);
        EXPECT_FALSE(window.IsOutOfDate() || !window.lblPerime->isHidden()) << i;
    }
    EXPECT_EQ(lines.back(), std::string("message: ") + Messages::BacktestExportOutOfDate);
    EXPECT_FALSE(fs::exists(csv));
    EXPECT_TRUE(window.ExportCsv(csv));
    // The export's dialog names folders and files in French.
    window.cmdExporter->click();
    auto* dialog = window.findChild<QFileDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->iconProvider()->type(QFileInfo(QString::fromStdString(work.path))),
              "Dossier");
    EXPECT_EQ(dialog->iconProvider()->type(QFileInfo(QString::fromStdString(csv))), "Fichier CSV");
    dialog->reject();
    lines.clear();
    EXPECT_FALSE(window.ExportCsv(work.File("douze.tur"))); // never over a race file
    EXPECT_EQ(lines, std::vector<std::string>{"message: " +
                                              Messages::CsvOnRaceFile(work.File("douze.tur"))});

    // Another file: nothing of the former one is shown, exported or left behind a new run, in
    // either tab.
    AndWait(window.tabComparer, [&] { window.tabComparer->cmdComparer->click(); });
    ASSERT_TRUE(window.tabComparer->Results());
    window.close();
    OpenThroughTheDialog(work.path.string(), "cinq.tur");
    EXPECT_FALSE(window.tabComparer->Results());
    EXPECT_EQ(window.tabComparer->tblComparaison->rowCount(), 0);
    EXPECT_FALSE(window.tabComparer->cmdExporterComparaison->isEnabled());
    EXPECT_TRUE(window.RowsOf(OddsSet::PMH).empty());
    EXPECT_EQ(window.tblResume->rowCount(), 0);
    EXPECT_TRUE(window.chtBilan->curves().isEmpty());
    EXPECT_FALSE(window.cmdExporter->isEnabled());
    lines.clear();
    EXPECT_FALSE(window.ExportCsv(csv));
    EXPECT_EQ(lines, std::vector<std::string>{std::string("message: ") +
                                              Messages::BacktestNothingToExport});
    screens.options().cmdBilan->click();
    EXPECT_EQ(window.spnA->value(), 5);
    EXPECT_TRUE(window.lblFichier->text().contains("cinq.tur"));
    Computed();
    EXPECT_EQ(window.RowsOf(OddsSet::PMU).size(), 5u);

    // Fermer and Escape close the window as its close box does.
    window.cmdFermer->click();
    EXPECT_FALSE(window.isVisible());
    screens.options().cmdBilan->click();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.RowsOf(OddsSet::PMU).size(), 5u);
}

TEST_F(HandMadeFiles, EachOddsSetsSkippedRacesStayOnTheLineOfTheirReason) {
    OpenThroughTheDialog(work.path.string(), "cinq.tur");
    main.Option1[ButtonOfHorseCount(3)]->click();
    screens.options().cmdBilan->click();
    auto summary = Summary(Computed());
    using Line = std::pair<std::string, std::string>;
    EXPECT_EQ(summary["Courses jouées"], Line("4", "4"));
    EXPECT_EQ(summary["   dont trop peu de chevaux avec cote"], Line("0", "1"));
    EXPECT_EQ(summary["   dont bénéfice négatif (JOUER refuse)"], Line("1", "0"));
    EXPECT_EQ(summary.size(), 14u);
}

} // namespace
} // namespace sg
