// The import window against a real sg-race child: fixture days from a folder into the open
// file, which then shows the first race imported and where each race comes from; an import
// cancelled half-way; the checks before one starts.
#include "ScreenFixture.h"

#include "app/ImportTexts.h"
#include "http/LocalHttpServer.h"
#include "racefile/RaceIndex.h"
#include "screens/Controls.h"
#include "screens/frmImporter.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace sg {
namespace {

const fs::path Service = fs::path(SG_TEST_DATA) / "pmu" / "service";

class ImportWindow : public ScreenTest {
  protected:
    // The window for a file opened as a user opens it, with the built race tool.
    frmImporter& Open(const std::string& name = "import.tur") {
        OpenThroughTheDialog(work.path.string(), name);
        screens.options().cmdImporter->click();
        frmImporter& window = screens.importer();
        window.ToolPath = QString::fromStdString(BuiltTool("sg-race").string());
        window.PauseSeconds = 0;
        return window;
    }
    void Choose(frmImporter& window, const char* first, const char* last,
                const std::string& source) {
        window.txtDu->setText(first);
        window.txtAu->setText(last);
        window.optDossier->click();
        window.txtDossier->setText(QString::fromStdString(source));
    }
    std::string Origin() { return S(screens.options().lblOrigine->text()); }

    WorkFolder work;
};

TEST_F(ImportWindow, BringsTheDaysInAndOpensTheFileOnTheFirstRaceImported) {
    frmImporter& window = Open();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(S(window.lblFichier->text()), "Fichier de courses : " + work.File("import.tur"));
    EXPECT_EQ(Origin(), ""); // no index yet
    Choose(window, "05/03/2024", "06/03/2024", Service.string());
    EXPECT_EQ(S(window.lblEstimation->text()), "Durée estimée : moins d'une minute (2 jours)");

    QSignalSpy ended(&window, &frmImporter::finished);
    window.cmdImporter->click();
    EXPECT_TRUE(window.IsRunning());
    EXPECT_FALSE(window.cmdImporter->isEnabled());
    ASSERT_TRUE(ended.wait(20000));
    EXPECT_FALSE(window.IsRunning());
    std::string report = S(window.txtCompteRendu->toPlainText());
    EXPECT_NE(report.find("06/03/2024 : 3 courses au programme ; 3 ajoutées\nCourses ajoutées : 6"),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("\n  course annulée : 1 (05/03/2024 R1 C3)\n"), std::string::npos);
    EXPECT_EQ(window.prgImport->value(), 2);
    EXPECT_EQ(S(window.lblJour->text()), ImportTexts::Finished);
    EXPECT_TRUE(lines.empty()) << lines.front();

    // The file shows its first race imported, its favourites first, and where it comes from.
    EXPECT_EQ(state.race.CurrentRace, 1);
    EXPECT_EQ(S(main.lblCourse->text()), "Course actuelle:  1");
    EXPECT_EQ(main.RowNumbers()[1], " 7");
    EXPECT_EQ(Origin(),
              "Course 1 : 05/03/2024, R1 C1, VINCENNES, PRIX DE LA MARNE (ATTELE), départ 13:50");
    main.imgCourses_MouseDown(1200, 100); // the next race
    EXPECT_EQ(Origin(), "Course 2 : 05/03/2024, R1 C2, VINCENNES, PRIX DE BOURGOGNE (ATTELE), "
                        "départ 14:25");
    screens.race().ShowRace(7);
    EXPECT_EQ(Origin(), "Course 7 : pas dans l'index des courses importées.");
}

TEST_F(ImportWindow, CancelledHalfWayKeepsTheDaysAlreadyIn) {
    LocalHttpServer server;
    server.ServeFolder(Service);
    std::string programme = Contents(Service / "06032024.json");
    server.Answer("/programme/06032024", {{200, programme, 30000}}); // never in time
    frmImporter& window = Open();
    Choose(window, "05/03/2024", "06/03/2024", server.Base());
    QSignalSpy ended(&window, &frmImporter::finished);
    window.cmdImporter->click();
    EXPECT_EQ(S(window.lblJour->text()), "Jour en cours : 05/03/2024");
    // The first day is in when the window says it works on the second.
    for (int i = 0; i < 400 && window.lblJour->text() != "Jour en cours : 06/03/2024"; ++i)
        QTest::qWait(25);
    ASSERT_EQ(S(window.lblJour->text()), "Jour en cours : 06/03/2024");
    EXPECT_EQ(window.prgImport->value(), 1);
    window.cmdAnnuler->click();
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_EQ(S(window.lblJour->text()), ImportTexts::Cancelled);
    EXPECT_EQ(fs::file_size(work.path / "import.tur"), 3 * RaceRecordSize);
    EXPECT_EQ(ReadRaceIndex(work.File("import.tur")).entries.size(), 3u);
    EXPECT_EQ(state.race.CurrentRace, 1); // the first race imported, from the index
    EXPECT_EQ(Origin().substr(0, 32), "Course 1 : 05/03/2024, R1 C1, VI");
    EXPECT_TRUE(window.cmdImporter->isEnabled());
}

TEST_F(ImportWindow, ChecksBeforeStarting) {
    // No file open: the user is asked to choose one first.
    screens.options().cmdImporter->click();
    frmImporter& window = screens.importer();
    EXPECT_EQ(S(window.lblFichier->text()), ImportTexts::NoFileOpen);
    window.cmdImporter->click();
    EXPECT_EQ(lines, std::vector<std::string>{std::string("message [") + ImportTexts::Title +
                                              "]: " + ImportTexts::NeedsFile});
    ASSERT_NE(screens.pendingFileDialog(), nullptr);
    screens.pendingFileDialog()->Command1->click(); // cancelled
    lines.clear();

    frmImporter& opened = Open("checks.tur");
    struct Case {
        const char *first, *last;
        bool folder;
        const char* said; // the start of what the window says; "" for nothing
    } cases[] = {
        {"31/02/2024", "", false, "message [Importer des courses]: Écrivez les jours"},
        {"06/03/2024", "05/03/2024", false, "message [Importer des courses]: Écrivez les jours"},
        {"05/03/2024", "", true, "message [Importer des courses]: Indiquez le dossier"},
        // Two years from the service: longer than an hour, the user says no.
        {"01/01/2022", "31/12/2023", false,
         "question [Importer des courses]: L'importation de 730 jours prendra environ 9 h 01"},
    };
    for (const auto& c : cases) {
        lines.clear();
        opened.txtDu->setText(c.first);
        opened.txtAu->setText(c.last);
        opened.txtDossier->clear();
        (c.folder ? opened.optDossier : opened.optService)->click();
        opened.cmdImporter->click();
        ASSERT_EQ(lines.size(), 1u) << c.first;
        EXPECT_EQ(lines[0].rfind(c.said, 0), 0u) << lines[0];
        EXPECT_FALSE(opened.IsRunning()) << c.first;
    }
    EXPECT_EQ(fs::file_size(work.path / "checks.tur"), 0u);

    // A file open for reading only (here a text file named like a race file) takes no import.
    std::ofstream(work.path / "notes.tur") << "Mes notes : jouer le 7 dimanche.\n";
    frmImporter& readOnly = Open("notes.tur");
    Choose(readOnly, "05/03/2024", "", Service.string());
    lines.clear();
    readOnly.cmdImporter->click();
    EXPECT_EQ(lines, std::vector<std::string>{std::string("message [") + ImportTexts::Title +
                                              "]: " + ImportTexts::ReadOnlyFile});
    EXPECT_FALSE(readOnly.IsRunning());
}

} // namespace
} // namespace sg
