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
    std::vector<std::string> lines;
    RecordingPrompter prompter{[this](const std::string& line) { lines.push_back(line); }};
    Screens screens;
    frmOuvrir* dialog;
    explicit DialogOfProgramAt(const fs::path& programFolder)
        : screens(state, prompter, prompter, QString::fromStdString(programFolder.string())) {
        screens.main().show();
        screens.options().cmdOuvrir->click();
        dialog = screens.pendingFileDialog();
    }
};

// Built, the demonstration file lies beside the program; installed, in the package's data
// folder. Either way the dialog's button opens it for reading only.
TEST(FileDialog, TheDemonstrationFileIsFoundBuiltAndInstalled) {
    WorkFolder work;
    fs::create_directories(work.path / "build");
    fs::create_directories(work.path / "usr/bin");
    fs::create_directories(work.path / "usr/share/simple-gagnant");
    fs::create_directories(work.path / "ailleurs");
    std::string race = std::string(RaceRecordSize, ' ').replace(54, 2, "8 ");
    for (const char* demo : {"build/demo.tur", "usr/share/simple-gagnant/demo.tur"})
        std::ofstream(work.path / demo, std::ios::binary) << race;
    struct Case {
        const char* program;
        const char* demo; // empty: none found
    } cases[] = {{"build", "build/demo.tur"},
                 {"usr/bin", "usr/share/simple-gagnant/demo.tur"},
                 {"ailleurs", ""}};
    for (const auto& c : cases) {
        DialogOfProgramAt program(work.path / c.program);
        ASSERT_NE(program.dialog, nullptr);
        EXPECT_EQ(program.dialog->dirDirectory->path().toStdString(),
                  (work.path / c.program).string());
        EXPECT_EQ(program.dialog->cmdDemo->isEnabled(), *c.demo != 0) << c.program;
        if (!*c.demo) continue;
        program.dialog->cmdDemo->click();
        EXPECT_EQ(program.state.race.RaceFilePath(), work.File(c.demo)) << c.program;
        EXPECT_EQ(program.state.race.ReadOnlyReason(), RaceFileFailure::OpenedForReading);
        EXPECT_TRUE(
            program.screens.options().lblLectureSeule->isVisibleTo(&program.screens.options()));
        EXPECT_TRUE(program.lines.empty()) << program.lines.front();
    }
}

// Installed, the program's folder cannot take a new file: the dialog starts at home.
TEST(FileDialog, StartsAtHomeWhereTheProgramsFolderCannotBeWritten) {
    MountedFolder bin;
    if (!bin.mounted || !bin.MakeReadOnly()) GTEST_SKIP() << "cannot mount a file system here";
    DialogOfProgramAt program(bin.path);
    ASSERT_NE(program.dialog, nullptr);
    EXPECT_EQ(program.dialog->dirDirectory->path(), QDir::homePath());
}

} // namespace
} // namespace sg
