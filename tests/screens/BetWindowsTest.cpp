// The analysis window on a race brought by the importer, and the journal window's list and
// export; what "JOUER" and the reset write in the journal is the journal scenarios'.
#include "ScreenFixture.h"

#include "app/BetAnalysisTexts.h"
#include "app/JournalTexts.h"
#include "racefile/RaceIndex.h"
#include "screens/Controls.h"
#include "screens/frmAnalyse.h"
#include "screens/frmJournal.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>

namespace sg {
namespace {

class BetWindowsTest : public ScreenTest {
  protected:
    void NextRace() { screens.race().Navigate(1200, 100); }

    WorkFolder work;
};

TEST_F(BetWindowsTest, AnalysisTakesThePoolOfAnImportedRace) {
    RaceIndexEntry entry;
    entry.race = 1;
    entry.date = "07/12/2025";
    entry.meeting = entry.course = 1;
    entry.winPoolCents = 1234567;
    std::ofstream(work.File("demo.tur.index.csv")) << RaceIndexText({entry});
    OpenDemoIn(work);
    main.Option1[1]->setChecked(true); // two horses
    main.cmdAnalyse->click();
    frmAnalyse& analysis = screens.analysis();
    EXPECT_EQ(analysis.txtMasse->text(), "12345.67");
    EXPECT_EQ(S(analysis.lblMasse->text()), PoolSourceText(PoolSource::Imported));
    EXPECT_EQ(analysis.tblMasse->rowCount(), 2);
    EXPECT_EQ(analysis.tblChevaux->rowCount(), 2);

    // A race without a pool in the index empties the box; a pool typed stays while the window
    // is hidden and shown again.
    NextRace();
    EXPECT_EQ(analysis.txtMasse->text(), "");
    EXPECT_EQ(S(analysis.lblMasse->text()), PoolSourceText(PoolSource::Unknown));
    analysis.txtMasse->setText("5000");
    EXPECT_EQ(S(analysis.lblMasse->text()), PoolSourceText(PoolSource::Typed));
    analysis.close();
    main.cmdAnalyse->click();
    EXPECT_EQ(analysis.txtMasse->text(), "5000");
    EXPECT_TRUE(lines.empty());
}

TEST_F(BetWindowsTest, TheJournalWindowListsNewestFirstAndExports) {
    state.journal.folder = work.File("donnees/simple-gagnant");
    OpenDemoIn(work);
    main.Option1[1]->setChecked(true);
    screens.options().Command1->click();
    NextRace();
    screens.options().cmdMettreazero->click();
    screens.options().cmdJournal->click();
    frmJournal& window = screens.journal();
    EXPECT_EQ(window.tblJournal->rowCount(), 2);
    EXPECT_EQ(window.tblJournal->item(0, 2)->text(), "Remise à zéro des comptes");
    // A play while the window is open shows at once.
    screens.options().Command1->click();
    EXPECT_EQ(window.tblJournal->rowCount(), 3);

    std::string exported = work.File("export.csv");
    EXPECT_TRUE(window.ExportCsv(exported));
    EXPECT_EQ(Contents(exported), JournalText(ReadJournal(state.journal.folder).entries));
    // Never over the journal itself, never over a race file.
    std::string before = Contents(JournalPathIn(state.journal.folder));
    window.cboFichier->setCurrentIndex(1);
    window.cmdAfficher->click();
    EXPECT_FALSE(window.ExportCsv(JournalPathIn(state.journal.folder)));
    EXPECT_FALSE(window.ExportCsv(work.File("autre.TUR")));
    EXPECT_EQ(Contents(JournalPathIn(state.journal.folder)), before);
    EXPECT_EQ(lines.size(), 2u); // the two refusals
}

TEST_F(ScreenTest, WithoutAFolderNoJournalIsWritten) {
    WorkFolder work;
    OpenThroughTheDialog(work.path.string(), "vide.tur");
    main.txtCote[1]->setText("4");
    screens.options().Command1->click();
    screens.options().cmdMettreazero->click();
    EXPECT_TRUE(state.journal.folder.empty());
    EXPECT_TRUE(state.journal.failure.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(work.path), fs::directory_iterator()), 1);
}

} // namespace
} // namespace sg
