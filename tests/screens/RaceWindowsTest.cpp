#include "MountedFolder.h"
#include "ScreenFixture.h"
#include "WorkFolder.h"

#include "screens/FolderList.h"
#include "screens/frmOptions.h"
#include "screens/frmOuvrir.h"
#include "screens/rappJS.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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
