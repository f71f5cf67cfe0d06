#include "ScreenFixture.h"

#include "screens/FolderList.h"
#include "screens/frmOptions.h"
#include "screens/frmOuvrir.h"
#include "screens/rappJS.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>
#include <fstream>

namespace sg {
namespace {

namespace fs = std::filesystem;

// Opens a race file through the options window and the file dialog, as a user does.
void OpenThroughTheDialog(Screens& screens, const std::string& path) {
    screens.options().cmdOuvrir->click();
    frmOuvrir* dialog = screens.pendingFileDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->dirDirectory->setPath(QString::fromStdString(fs::path(path).parent_path()));
    dialog->txtFileName->setText(QString::fromStdString(fs::path(path).filename()));
    dialog->cmdOK->click();
}

TEST_F(ScreenTest, ASaveThatFailsSaysWhyAndTheDialogIsOneAtATime) {
    char pattern[] = "/tmp/race-windows-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    fs::path folder = pattern;
    std::string path = (folder / "courses.tur").string();
    OpenThroughTheDialog(screens, path);
    ASSERT_EQ(state.race.RaceFilePath(), path);

    // A second request while the dialog is pending brings it forward instead of a new one.
    screens.options().cmdOuvrir->click();
    frmOuvrir* first = screens.pendingFileDialog();
    screens.options().cmdOuvrir->click();
    EXPECT_EQ(screens.pendingFileDialog(), first);
    first->Command1->click();
    EXPECT_EQ(screens.pendingFileDialog(), nullptr);
    EXPECT_EQ(state.race.RaceFilePath(), path);

    fs::remove(path);
    main.txtNbrepartants->setText("8");
    lines.clear();
    screens.results().cmdEnregistrer->click();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "message: La course 1 n'a pas été enregistrée. Le fichier de courses a "
                        "été supprimé ou remplacé depuis son ouverture.");
    EXPECT_FALSE(fs::exists(path));
    fs::remove_all(folder);
}

} // namespace
} // namespace sg
