// sg-scenario's own interface: exit statuses, the error line, quoted texts and $DIR.
#include "ToolRun.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

TEST(ScenarioTool, ExitsAndReportsAsDocumented) {
    fs::path tool = BuiltTool("sg-scenario");
    WorkFolder work;
    fs::create_directory(work.path / "folder");
    struct Case {
        std::string script;
        int status;
        std::string out, error; // the error line without "error: LINE " and the line feed
    } cases[] = {
        {"# a comment\n\nset txtRecherche \"  4 \"\nshow txtRecherche\n", 0,
         "frmJeuGagnant.txtRecherche.text = \"  4 \"\n", ""},
        {"set txtCote(3) \t 7 \nshow txtCote(3)\n", 0, "frmJeuGagnant.txtCote(3).text = \"7\"\n",
         ""},
        {"show RaceFilePath\nshow txtCote(1)\nfrobnicate txtCote(1)\n", 2,
         "RaceFilePath = \"Fi\"\nfrmJeuGagnant.txtCote(1).text = \"\"\n",
         "3: unknown verb frobnicate"},
        // What is not a control of the program is an unknown control.
        {"click\n", 2, "", "1: unknown control "},
        {"show frmJeuGagnant.\n", 2, "", "1: unknown control or value frmJeuGagnant."},
        {"\nshow qt_scrollarea_viewport\n", 2, "",
         "2: unknown control or value qt_scrollarea_viewport"},
        {"click frmNowhere.Command1\n", 2, "", "1: unknown control frmNowhere.Command1"},
        {"set txtCote(1) 4\nshow txtCote(1) colour\n", 2, "", "2: unknown property colour"},
        // A label has no text to type into, greyed or not.
        {"click Option1(1)\nset Label2(5) 1\n", 2, "message: Veuillez inscrire toutes les cotes\n",
         "2: cannot set frmJeuGagnant.Label2(5)"},
    };
    int n = 0;
    for (const auto& c : cases) {
        std::string name = "s" + std::to_string(++n) + ".scn";
        std::ofstream(work.path / name) << c.script;
        ToolRun run = RunTool(tool, work, work.Quoted(name));
        EXPECT_EQ(run.status, c.status) << c.script;
        EXPECT_EQ(run.out, c.out) << c.script;
        EXPECT_EQ(run.err, c.error.empty() ? "" : "error: LINE " + c.error + "\n") << c.script;
    }

    // The folder given with --dir is written $DIR and $DIR in an argument stands for it; so is
    // the folder made when none is given, removed at the end. A folder is no script.
    std::ofstream(work.path / "dir.scn")
        << "set txtCote(10) " << (work.path / "x.tur").string() << "\nshow txtCote(10)\n"
        << "click frmOptions.cmdOuvrir\nset frmOuvrir.dirDirectory $DIR/folder\n"
        << "show frmOuvrir.lblDirName\n";
    ToolRun dir = RunTool(tool, work, "--dir " + work.Quoted("") + " " + work.Quoted("dir.scn"));
    EXPECT_EQ(dir.status, 0);
    EXPECT_EQ(dir.out, "frmJeuGagnant.txtCote(10).text = \"$DIR/x.tur\"\n"
                       "frmOuvrir.lblDirName.text = \"$DIR/folder\"\n");
    fs::create_directory(work.path / "tmp");
    std::ofstream(work.path / "made.scn")
        << "click frmOptions.cmdOuvrir\nshow frmOuvrir.lblDirName\n";
    ToolRun made =
        RunTool(tool, work, work.Quoted("made.scn"), "TMPDIR=" + work.Quoted("tmp") + " ");
    EXPECT_EQ(made.out, "frmOuvrir.lblDirName.text = \"$DIR\"\n");
    for (const auto& left : fs::directory_iterator(work.path / "tmp")) // Qt's runtime folder only
        EXPECT_EQ(left.path().filename().string().rfind("runtime-", 0), 0u) << left.path();
    for (const std::string& arguments :
         {work.Quoted("folder"), work.Quoted("absent.scn"), std::string("--decimal-separator ';'"),
          "--dir " + work.Quoted("absent") + " " + work.Quoted("s1.scn")}) {
        ToolRun refused = RunTool(tool, work, arguments);
        EXPECT_EQ(refused.status, 1) << arguments;
        EXPECT_EQ(refused.err.find('\n'), refused.err.size() - 1) << refused.err;
    }
}

// A scenario test that fails names the first differing line and its number, not the whole output.
TEST(ScenarioTest, ReportsTheFirstDifferingLine) {
    WorkFolder work;
    std::ofstream(work.path / "s.scn") << "show txtCote(1)\nshow txtCote(2)\nshow txtCote(3)\n";
    std::ofstream(work.path / "s.out")
        << "frmJeuGagnant.txtCote(1).text = \"\"\n"
           "frmJeuGagnant.txtCote(2).text = \"9\"\nfrmJeuGagnant.txtCote(3).text = \"\"\n";
    ToolRun run = RunTool(SG_CMAKE, work,
                          "-DRUNNER='" + BuiltTool("sg-scenario").string() + "' -DSCRIPT=" +
                              work.Quoted("s.scn") + " -DEXPECTED=" + work.Quoted("s.out") +
                              " -DSEPARATOR=. -DWORK=" + work.Quoted("") + " -P " SG_RUN_SCENARIO);
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find(work.path.string() + "/s.out:2: output differs"), std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("    expected: frmJeuGagnant.txtCote(2).text = \"9\"\n"
                           "    actual:   frmJeuGagnant.txtCote(2).text = \"\"\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("(3)"), std::string::npos) << run.err;
}

} // namespace
} // namespace sg
