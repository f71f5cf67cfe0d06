// sg-race bilan from a shell: the summary, the CSV, and one French line for a bad argument.
#include "ToolRun.h"

#include "app/Messages.h"

namespace sg {
namespace {

TEST(BacktestTool, PrintsTheSummaryWritesTheCsvAndRefusesBadArguments) {
    fs::path tool = BuiltTool("sg-race");
    WorkFolder work;
    const std::string demo = QuotedDemo;
    std::string csv = work.Quoted("bilan.csv");
    ExpectRuns(
        work,
        {
            {"bilan " + demo,
             0,
             {"Stratégie : 4 chevaux, bénéfice recherché 10, mises avec décimales, cotes PMH\n",
              "Total des mises : ", ",00\n"}},
            {"bilan " + demo +
                 " --chevaux 1 --benefice 12,5 --arrondi dizaine --cotes PMU --rapports "
                 "--de 38 --a 45 --separateur .",
             0,
             {"1 cheval, bénéfice recherché 12.5, mises à la dizaine supérieure, cotes PMU lues "
              "comme "
              "rapports\n",
              "Courses 38 à 45 (le fichier en compte 40)\n", "Courses de la plage : 8\n",
              "   dont au-delà de la fin du fichier : 5\n", ".00\n"}},
            {"bilan " + demo + " --de 41", 0, {"Aucune course dans la plage"}},
            {"bilan " + demo + " --chevaux 10", 1, {"--chevaux", "1 à 9"}},
            {"bilan " + demo + " --benefice -5", 1, {"--benefice"}},
            {"bilan " + demo + " --arrondi centime", 1, {"decimales, entier ou dizaine"}},
            {"bilan " + demo + " --cotes PMX", 1, {"PMH ou PMU"}},
            {"bilan " + demo + " --de 0", 1, {"1 à 32767"}},
            {"bilan " + demo + " --de 9 --a 3", 1, {"vide"}},
            {"bilan " + demo + " --separateur ';'", 1, {"--separateur"}},
            {"bilan " + demo + " --csv", 1, {"Il manque la valeur"}},
            {"bilan " + demo + " --vite", 1, {"Option inconnue"}},
            {"bilan " + demo + " --csv " + work.Quoted("x.tur"), 1, {"fichier de courses"}},
            {"bilan " + work.Quoted("absent.tur"), 1, {"absent.tur"}},
            {"bilan", 1, {"Usage"}},
        });

    // One line per race of the range, the running balance the summary ends on.
    ToolRun run = RunTool(tool, work, "bilan " + demo + " --chevaux 3 --csv " + csv);
    ASSERT_EQ(run.status, 0) << run.err;
    std::string lines = Contents(work.path / "bilan.csv");
    EXPECT_EQ(lines.substr(0, lines.find('\n')),
              "Course;Chevaux joués;Mise;Gain;Bilan cumulé;Motif");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 41);
    EXPECT_NE(lines.find("\n9;;0,00;0,00;"), std::string::npos); // race 9 was never run
    std::string last = lines.substr(lines.rfind('\n', lines.size() - 2) + 1);
    std::string balance = last.substr(0, last.rfind(';'));
    balance = balance.substr(balance.rfind(';') + 1);
    EXPECT_NE(run.out.find("Bilan : " + balance + "\n"), std::string::npos) << last << run.out;

    // The amounts with the separator asked for; the message of a CSV not written is the
    // window's own.
    ASSERT_EQ(RunTool(tool, work, "bilan " + demo + " --a 8 --separateur . --csv " + csv).status,
              0);
    lines = Contents(work.path / "bilan.csv");
    EXPECT_TRUE(lines.find(".00;") != std::string::npos && lines.find(",00;") == std::string::npos)
        << lines;
    std::string lost = (work.path / "absent" / "bilan.csv").string();
    run = RunTool(tool, work, "bilan " + demo + " --csv '" + lost + "'");
    EXPECT_EQ(run.err, Messages::CsvNotWritten(lost, "Le dossier est introuvable.") + "\n");

    // An empty file is read without complaint.
    std::ofstream(work.path / "vide.tur").flush();
    run = RunTool(tool, work, "bilan " + work.Quoted("vide.tur"));
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Aucune course"), std::string::npos);
}

} // namespace
} // namespace sg
