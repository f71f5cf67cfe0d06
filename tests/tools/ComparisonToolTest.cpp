// sg-race comparer from a shell (the options it shares with sg-race bilan are refused there), and
// the comparison on demonstration files: every race played from numbers books what the windows'
// texts book, every strategy of a grid gives the figures of sg-race bilan run alone, and the
// bootstrap interval agrees with the normal one.
#include "TextsPath.h"
#include "ToolRun.h"

#include "racefile/CsvFields.h"
#include "racefile/RaceFileReader.h"

#include <map>
#include <sstream>

namespace sg {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A demonstration file of `races` races in the work folder.
std::string DemoFile(const WorkFolder& work, int races) {
    std::string name = "demo" + std::to_string(races) + ".tur";
    RunTool(BuiltTool("sg-race"), work, "demo " + work.Quoted(name) + " " + std::to_string(races));
    return work.File(name);
}

TEST(ComparisonTool, RanksTheGridWritesTheCsvAndRefusesBadArguments) {
    WorkFolder work;
    const std::string demo = QuotedDemo + " ";
    // An index for races 1 to 3, as the importer leaves one beside a file.
    fs::copy_file(BuiltTool("demo.tur"), work.path / "indexed.tur");
    std::ofstream(work.path / "indexed.tur.index.csv")
        << "Course;Date;Réunion;Course PMU;Hippodrome;Nom;Discipline;Départ;Canal;Masse "
           "gagnant;Empreinte\n"
           "1;01/02/2026;1;1;VINCENNES;PRIX A;ATTELE;13:50;national;;a\n"
           "2;01/02/2026;1;2;VINCENNES;PRIX B;MONTE;14:20;national;;b\n"
           "3;02/02/2026;1;1;ENGHIEN;PRIX C;ATTELE;13:50;national;;c\n";
    std::string indexed = work.Quoted("indexed.tur") + " ";
    ExpectRuns(
        work,
        {
            {"comparer " + demo,
             0,
             {"Courses 1 à 40 (le fichier en compte 40) ; apprentissage : courses 1 à 28 (70 %), "
              "contrôle : courses 29 à 40\n",
              "Filtres : aucun\n", "18 stratégie(s), classées par rendement sur l'apprentissage",
              "Rang  Chevaux  Bénéfice  Arrondi",
              "Classée première : ", "par rééchantillonnage des courses (2000 tirages) : "}},
            {"comparer " + demo +
                 "--chevaux 2/4 --benefice 5/12,5 --arrondi tous --cotes PMU --rapports "
                 "--apprentissage 50 --de 11 --a 30 --separateur .",
             0,
             {"apprentissage : courses 11 à 20 (50 %), contrôle : courses 21 à 30",
              "Valeurs lues comme rapports", "12 stratégie(s)", " 12.5 ", "dizaine"}},
            {"comparer " + demo + "--partants 8-12 --cote-favori 1,5-4 --somme-probas 100-140",
             0,
             {"Filtres : partants 8 à 12, cote du favori 1,5 à 4, somme des probabilités 100 à 140 "
              "%\n"}},
            {"comparer " + indexed +
                 "--hippodrome vincennes --discipline ATTELE/MONTE --du 01/02/2026",
             0,
             {"à partir du 01/02/2026, hippodrome vincennes, discipline ATTELE ou MONTE"}},
            {"comparer " + demo + "--hippodrome VINCENNES", 0, {"Aucun index à côté du fichier"}},
            {"comparer " + demo + "--de 41", 0, {"Aucune course dans la plage"}},
            {"comparer " + demo + "--chevaux 0-3", 1, {"--chevaux"}},
            {"comparer " + demo + "--chevaux 2//3", 1, {"--chevaux"}},
            {"comparer " + demo + "--benefice 5/0", 1, {"--benefice"}},
            {"comparer " + demo + "--arrondi entier/centime", 1, {"--arrondi"}},
            {"comparer " + demo + "--cotes PMH/PMX", 1, {"PMH, PMU ou PMH/PMU"}},
            {"comparer " + demo + "--partants 12-8", 1, {"--partants"}},
            {"comparer " + demo + "--cote-favori abc", 1, {"--cote-favori"}},
            {"comparer " + demo + "--du 31/02/2026", 1, {"JJ/MM/AAAA"}},
            {"comparer " + demo + "--du 02/02/2026 --au 01/02/2026", 1, {"dates est vide"}},
            {"comparer " + demo + "--apprentissage 100", 1, {"1 à 99"}},
            {"comparer", 1, {"Usage"}},
            {"", 1, {"sg-race comparer FICHIER"}},
        });

    // The CSV: the header the issue fixes, then one line per strategy, best first.
    ToolRun run = RunTool(BuiltTool("sg-race"), work,
                          "comparer " + demo + "--arrondi tous --csv " + work.Quoted("c.csv"));
    ASSERT_EQ(run.status, 0) << run.err;
    auto lines = Lines(Contents(work.path / "c.csv"));
    ASSERT_EQ(lines.size(), 55u);
    EXPECT_EQ(lines[0].rfind("Chevaux;Bénéfice recherché;Arrondi;Cotes;Courses jouées;", 0), 0u);
    auto first = SplitCsvLine(lines[1]);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->back(), "1"); // the rank
    // The first line of the table is the same strategy.
    std::string row = Lines(run.out)[6];
    EXPECT_NE(row.find("  " + (*first)[0] + "  "), std::string::npos) << row;
}

// The lines "Label : value" of sg-race bilan.
std::map<std::string, std::string> BilanFigures(const std::string& out) {
    std::map<std::string, std::string> figures;
    for (const std::string& line : Lines(out)) {
        auto colon = line.find(" : ");
        if (colon != std::string::npos) figures[line.substr(0, colon)] = line.substr(colon + 3);
    }
    return figures;
}

TEST(ComparisonTool, EveryStrategyOfTheGridGivesTheFiguresOfBilanRunAlone) {
    fs::path tool = BuiltTool("sg-race");
    WorkFolder work;
    const std::string& demo = QuotedDemo;
    int checked = 0;
    for (std::string values : {"", " --rapports"}) {
        ToolRun run =
            RunTool(tool, work,
                    "comparer " + demo + " --chevaux 1-9 --benefice 5/12,5 --arrondi tous" +
                        values + " --csv " + work.Quoted("grid.csv"));
        ASSERT_EQ(run.status, 0) << run.err;
        auto lines = Lines(Contents(work.path / "grid.csv"));
        auto header = *SplitCsvLine(lines[0]);
        auto column = [&header](const std::string& name) {
            return static_cast<std::size_t>(std::find(header.begin(), header.end(), name) -
                                            header.begin());
        };
        for (std::size_t i = 1; i < lines.size(); ++i) {
            auto cells = *SplitCsvLine(lines[i]);
            auto cell = [&](const std::string& name) { return cells.at(column(name)); };
            std::string strategy = " --chevaux " + cells[0] + " --benefice " + cells[1] +
                                   " --arrondi " + cells[2] + " --cotes " + cells[3] + values;
            ToolRun alone = RunTool(tool, work, "bilan " + demo + strategy);
            ASSERT_EQ(alone.status, 0) << alone.err;
            auto bilan = BilanFigures(alone.out);
            std::map<std::string, std::string> expected = {
                {"Courses de la plage", cell("Courses retenues")},
                {"Rendement (bilan / mises)", cell("Rendement (%)") + " %"},
                {"Plus longue série perdante", cell("Plus longue série perdante") + " courses"},
            };
            for (const char* same : {"Courses jouées", "Total des mises", "Total des gains",
                                     "Bilan", "Plus forte baisse du bilan"})
                expected[same] = cell(same);
            for (const auto& [label, value] : expected)
                EXPECT_EQ(bilan[label], value) << strategy << ": " << label;
            EXPECT_EQ(bilan["Courses gagnées"].rfind(cell("Courses gagnées (%)") + " %", 0), 0u)
                << strategy;
            for (const std::string& name : header) {
                if (name.rfind("Écartées : ", 0) != 0) continue;
                std::string reason = "   dont " + name.substr(std::string("Écartées : ").size());
                EXPECT_EQ(bilan.count(reason) ? bilan[reason] : "0", cell(name)) << strategy;
            }
            ++checked;
        }
    }
    EXPECT_EQ(checked, 2 * 108);
}

// The comparison's rows played from numbers against the windows' texts: where the numbers
// cannot be sure of a digit, they read the text.
TEST(ComparisonTool, EveryRaceOfTheDemoFilesBooksWhatTheWindowsTextsBook) {
    WorkFolder work;
    for (const std::string& path : {BuiltTool("demo.tur").string(), DemoFile(work, 1000)}) {
        SCOPED_TRACE(path);
        RaceFileReader file;
        ASSERT_TRUE(file.Open(path));
        for (int offset : {0, -1})
            ExpectTheTextsRows(file.Races(), {FullGrid({5, 10, 20, 50}, offset).Strategies(),
                                              {1, file.Races().RaceCount()},
                                              {},
                                              70});
    }
}

TEST(ComparisonTool, TheBootstrapAgreesWithTheNormalIntervalOnTheDemoFile) {
    WorkFolder work;
    for (const std::string& path : {BuiltTool("demo.tur").string(), DemoFile(work, 1000)}) {
        RaceFileReader file;
        ASSERT_TRUE(file.Open(path));
        for (int k : {1, 3, 6, 9}) {
            BacktestStrategy strategy;
            strategy.horses = k;
            ComparisonRequest request{{strategy}, {1, file.Races().RaceCount()}, {}, 70};
            std::vector<std::vector<BacktestRow>> rows;
            auto comparison = CompareStrategies(file.Races(), nullptr, request, 2, nullptr, &rows);
            auto normal = comparison->results.front().moments.NormalInterval();
            auto bootstrap = BootstrapInterval(rows.front());
            ASSERT_TRUE(normal && bootstrap) << path << " " << k;
            // Each bound within a sixth of the interval's width of the other's.
            double width = normal->high - normal->low;
            EXPECT_NEAR(bootstrap->low, normal->low, width / 6) << path << " " << k;
            EXPECT_NEAR(bootstrap->high, normal->high, width / 6) << path << " " << k;
        }
    }
}

} // namespace
} // namespace sg
