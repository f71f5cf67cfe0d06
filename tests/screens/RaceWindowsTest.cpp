// The results window's saves, the file dialog one at a time and on an installed program.
#include "MountedFolder.h"
#include "RaceBytes.h"
#include "ScreenFixture.h"

#include "calc/HorseCountSelection.h"
#include "ledger/Backtest.h"
#include "numbers/Numbers.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceFileReader.h"
#include "screens/rappJS.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

namespace sg {
namespace {

TEST_F(ScreenTest, ASaveThatFailsSaysWhyAndTheDialogIsOneAtATime) {
    WorkFolder folder;
    OpenThroughTheDialog(folder.path.string(), "courses.tur");

    // A second request while the dialog is pending brings it forward instead of a new one.
    screens.options().cmdOuvrir->click();
    frmOuvrir* first = screens.pendingFileDialog();
    screens.options().cmdOuvrir->click();
    EXPECT_EQ(screens.pendingFileDialog(), first);
    first->Command1->click();
    EXPECT_EQ(screens.pendingFileDialog(), nullptr);
    EXPECT_EQ(state.race.RaceFilePath(), folder.File("courses.tur"));

    fs::remove(folder.File("courses.tur"));
    main.txtNbrepartants->setText("8");
    lines.clear();
    screens.results().cmdEnregistrer->click();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "message: La course 1 n'a pas été enregistrée. Le fichier de courses a "
                        "été supprimé ou remplacé depuis son ouverture.");
    EXPECT_FALSE(fs::exists(folder.File("courses.tur")));
}

// The payout stored of the first race of a file, and a PMH odds slot, as the file holds them.
std::string StoredSlot(const std::string& path, const RaceSlot& slot) {
    RaceFile file;
    if (!file.Open(path, RaceFileAccess::ReadOnly)) return "(not open)";
    auto race = file.Read(1);
    return race ? Trim(race.Value().SlotText(slot)) : "(not read)";
}

TEST_F(ScreenTest, APayoutTypedWithACommaPaysInFullAndOddsAreSavedOnlyWhenAsked) {
    WorkFolder folder;
    // Three runners, horse 2 the favourite and the winner, no payout yet.
    WriteRaceFile(folder.path / "c.tur", {MadeRace("3", {"4", "2.5", "6"}, "2")});
    OpenThroughTheDialog(folder.path.string(), "c.tur");
    main.Option1[ButtonOfHorseCount(2)]->click(); // "1 cheval" is selected at start
    main.Option1[ButtonOfHorseCount(1)]->click(); // 10.00 on horse 2
    ASSERT_EQ(main.Label2[1]->text().toStdString(), "10.00");

    // Played before and after the save, it pays 3.4 x 10; the box keeps what was typed.
    rappJS& results = screens.results();
    results.Text2[0]->setText("3,4");
    screens.options().Command1->click();
    EXPECT_EQ(state.ledger.TotalGains, 34);
    const std::string path = folder.File("c.tur");
    results.CheckCotes->setChecked(false);
    main.txtCote[1]->setText("9");
    results.cmdEnregistrer->click();
    EXPECT_EQ(results.Text2[0]->text(), "3,4");
    EXPECT_EQ(StoredSlot(path, *PayoutSlot(0)), "3.4");
    EXPECT_EQ(StoredSlot(path, *OddsSlot(RaceField::OddsPMH, 2)), "2.5"); // "Cotes" unticked
    screens.race().LoadCurrentRace();
    screens.options().Command1->click();
    EXPECT_EQ(state.ledger.TotalGains, 68);
    RaceFileReader reader;
    ASSERT_TRUE(reader.Open(path));
    auto rows = RunBacktest(reader.Races(), BacktestStrategy{1, 10}, {1, 1});
    EXPECT_EQ(rows->front().won, 34);

    results.CheckCotes->setChecked(true);
    main.txtCote[1]->setText("9");
    results.cmdEnregistrer->click();
    EXPECT_EQ(StoredSlot(path, *OddsSlot(RaceField::OddsPMH, 2)), "9");
}

// The file dialog of a program at `programFolder`, opened from the options.
struct DialogOfProgramAt {
    SharedState state;
    RecordingPrompter prompter{[](const std::string&) {}};
    Screens screens;
    frmOuvrir* dialog;
    explicit DialogOfProgramAt(const fs::path& programFolder)
        : screens(state, prompter, prompter, QString::fromStdString(programFolder.string())) {
        screens.main().show();
        screens.options().cmdOuvrir->click();
        dialog = screens.pendingFileDialog();
    }
};

// Installed, the demonstration file is in the package's data folder (built, beside the program:
// the scenario for read-only files), and the program's folder cannot take a new file.
TEST(FileDialog, FindsTheInstalledDemonstrationFileAndStartsAtHome) {
    MountedFolder usr;
    if (!usr.mounted) GTEST_SKIP() << "cannot mount a file system here";
    fs::create_directories(usr.path / "bin");
    fs::create_directories(usr.path / "share/simple-gagnant");
    std::ofstream(usr.File("share/simple-gagnant/demo.tur")) << std::string(RaceRecordSize, ' ');
    ASSERT_TRUE(usr.MakeReadOnly());
    DialogOfProgramAt installed(usr.path / "bin");
    ASSERT_NE(installed.dialog, nullptr);
    EXPECT_EQ(installed.dialog->dirDirectory->path(), QDir::homePath());
    installed.dialog->cmdDemo->click();
    EXPECT_EQ(installed.state.race.RaceFilePath(), usr.File("share/simple-gagnant/demo.tur"));
    EXPECT_FALSE(DialogOfProgramAt(usr.path).dialog->cmdDemo->isEnabled()); // none there
}

} // namespace
} // namespace sg
