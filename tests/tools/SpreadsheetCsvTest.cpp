// The back-test's CSV opened by a French spreadsheet: LibreOffice, headless and set to French,
// reads the file of `sg-race bilan --csv` and must take every amount for a number and the
// horses played for the text written. Skipped where LibreOffice is not installed.
#include "RaceBytes.h"
#include "ToolRun.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace sg {
namespace {

// A race of eight runners whose three favourites are 7, 1 and 4, won by `winner`.
RaceRecord Race(const std::string& winner, const std::string& payout) {
    return MadeRace("8", {"3", "12", "15", "4", "18", "20", "2", "25"}, winner, payout);
}

std::vector<std::string> Fields(std::string line) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ';');) fields.push_back(field);
    if (!line.empty() && line.back() == ';') fields.emplace_back();
    return fields;
}

TEST(SpreadsheetCsv, AFrenchSpreadsheetReadsTheAmountsAsNumbersAndTheHorsesAsText) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed";
    WorkFolder work;
    WriteRaceFile(work.path / "courses.tur", {Race("7", "3.1"), Race("5", "9"), Race("", ""),
                                              Race("4", "5.4"), Race("9", "30")});
    ToolRun run = RunTool(BuiltTool("sg-race"), work,
                          "bilan " + work.Quoted("courses.tur") + " --chevaux 3 --csv " +
                              work.Quoted("bilan.csv"));
    ASSERT_EQ(run.status, 0) << run.err;
    std::string csv = Contents(work.path / "bilan.csv");

    // Read with ";" between fields, UTF-8, French number rules and dates detected, as a user
    // opening the file would have it; written back with the texts alone in quotes and the
    // numbers bare, a point before their decimals.
    std::string command = "cd " + work.Quoted("") +
                          " && timeout 300 soffice -env:UserInstallation=file://" +
                          work.File("profil") +
                          " --headless --infilter=CSV:59,34,76,1,,1036,false,true --convert-to "
                          "'csv:Text - txt - csv (StarCalc):59,34,76,1,,1033,true,false,true' "
                          "--outdir lu bilan.csv >lo.out 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << Contents(work.path / "lo.out");
    std::stringstream written(csv), read(Contents(work.path / "lu" / "bilan.csv"));
    std::string line, cells;
    int rows = 0, played = 0;
    auto quoted = [](const std::string& text) { return text.empty() ? text : '"' + text + '"'; };
    for (; std::getline(written, line) && std::getline(read, cells); ++rows) {
        std::vector<std::string> fields = Fields(line), seen = Fields(cells);
        ASSERT_EQ(seen.size(), 6u) << cells;
        if (rows == 0) {
            for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(seen[i], quoted(fields[i])) << cells;
            continue;
        }
        EXPECT_EQ(seen[0], fields[0]) << cells;
        EXPECT_EQ(seen[1], quoted(fields[1])) << cells; // a text, not a date
        played += !fields[1].empty();
        for (std::size_t i = 2; i <= 4; ++i) {
            std::replace(fields[i].begin(), fields[i].end(), ',', '.');
            EXPECT_EQ(seen[i].find('"'), std::string::npos) << cells; // a number
            EXPECT_DOUBLE_EQ(std::atof(seen[i].c_str()), std::stod(fields[i])) << cells;
        }
        EXPECT_EQ(seen[5], quoted(fields[5])) << cells;
    }
    EXPECT_EQ(rows, 6);
    EXPECT_EQ(played, 4);
    EXPECT_NE(csv.find(";7 - 1 - 4;"), std::string::npos) << csv;
    EXPECT_NE(csv.find(";-"), std::string::npos) << csv; // a balance below zero
}

} // namespace
} // namespace sg
