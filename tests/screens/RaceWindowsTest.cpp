#include "ScreenFixture.h"
#include "WorkFolder.h"

#include "screens/FolderList.h"
#include "screens/frmOptions.h"
#include "screens/frmOuvrir.h"
#include "screens/rappJS.h"

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

} // namespace
} // namespace sg
