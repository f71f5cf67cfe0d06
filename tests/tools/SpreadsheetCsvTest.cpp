// The back-test's CSV opened by a French spreadsheet: LibreOffice, headless and set to French,
// converts the file of `sg-race bilan --csv` and must read every amount as a number and the
// horses played as the text written. Skipped where LibreOffice is not installed.
#include "ToolRun.h"

#include "racefile/RaceRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace sg {
namespace {

// A race of eight runners whose three favourites are 7, 1 and 4, won by `winner`.
RaceRecord Race(const std::string& winner, const std::string& payout) {
    RaceRecord race;
    race.SetField(RaceField::RunnerCount, "8");
    const char* odds[] = {"", "3", "12", "15", "4", "18", "20", "2", "25"};
    for (int horse = 1; horse <= 8; ++horse)
        race.SetSlot(*OddsSlot(RaceField::OddsPMH, horse), odds[horse]);
    race.SetSlot(*ArrivalSlot(1), winner);
    race.SetSlot(*PayoutSlot(0), payout);
    return race;
}

struct Cell {
    std::string type; // "float", "string", "date", ... ; empty for an empty cell
    std::string value;
};

std::string Unescaped(std::string text) {
    for (auto [entity, plain] :
         {std::pair{"&apos;", "'"}, std::pair{"&quot;", "\""}, std::pair{"&lt;", "<"},
          std::pair{"&gt;", ">"}, std::pair{"&amp;", "&"}}) {
        for (auto at = text.find(entity); at != std::string::npos; at = text.find(entity, at))
            text.replace(at, std::string(entity).size(), plain);
    }
    return text;
}

std::string Attribute(const std::string& tag, const std::string& name) {
    auto at = tag.find(" " + name + "=\"");
    if (at == std::string::npos) return "";
    at += name.size() + 3;
    return tag.substr(at, tag.find('"', at) - at);
}

// The rows of the first sheet of a flat OpenDocument spreadsheet: each cell's type and its
// number (office:value) or, for a text, its paragraph.
std::vector<std::vector<Cell>> SheetRows(const std::string& xml) {
    std::vector<std::vector<Cell>> rows;
    std::size_t at = xml.find("<table:table ");
    std::size_t end = xml.find("</table:table>", at);
    while ((at = xml.find("<table:table-row", at)) < end) {
        std::size_t rowEnd = xml.find("</table:table-row>", at);
        std::vector<Cell> row;
        std::size_t cell = at;
        while ((cell = xml.find("<table:table-cell", cell)) < rowEnd) {
            std::size_t close = xml.find('>', cell);
            std::string tag = xml.substr(cell, close - cell + 1);
            Cell read{Attribute(tag, "office:value-type"), Attribute(tag, "office:value")};
            if (tag.back() == '>' && tag[tag.size() - 2] != '/') {
                std::size_t content = xml.find("</table:table-cell>", close);
                std::string inner = xml.substr(close + 1, content - close - 1);
                auto p = inner.find("<text:p>");
                if (read.type == "string" && p != std::string::npos)
                    read.value = Unescaped(inner.substr(p + 8, inner.find("</text:p>") - p - 8));
            }
            std::string repeated = Attribute(tag, "table:number-columns-repeated");
            int times = repeated.empty() ? 1 : std::min(std::stoi(repeated), 8);
            for (int i = 0; i < times; ++i) row.push_back(read);
            cell = close;
        }
        rows.push_back(row);
        at = rowEnd;
    }
    return rows;
}

std::vector<std::string> Fields(const std::string& line) {
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
    {
        std::ofstream file(work.path / "courses.tur", std::ios::binary);
        for (const RaceRecord& race :
             {Race("7", "3.1"), Race("5", "9"), Race("", ""), Race("4", "5.4"), Race("9", "30")})
            file.write(reinterpret_cast<const char*>(race.Raw().data()),
                       static_cast<std::streamsize>(race.Raw().size()));
    }
    ToolRun run = RunTool(BuiltTool("sg-race"), work,
                          "bilan " + work.Quoted("courses.tur") + " --chevaux 3 --csv " +
                              work.Quoted("bilan.csv"));
    ASSERT_EQ(run.status, 0) << run.err;
    std::string csv = Contents(work.path / "bilan.csv");

    // ";" between fields, UTF-8, the first line read as the others, French number rules,
    // special numbers (dates) detected as a user opening the file would have them.
    std::string command = "cd " + work.Quoted("") +
                          " && timeout 300 soffice -env:UserInstallation=file://" +
                          work.File("profil") +
                          " --headless --infilter=CSV:59,34,76,1,,1036,false,true "
                          "--convert-to fods bilan.csv >lo.out 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << Contents(work.path / "lo.out");
    auto sheet = SheetRows(Contents(work.path / "bilan.fods"));

    std::stringstream lines(csv);
    std::size_t row = 0;
    int played = 0;
    for (std::string line; std::getline(lines, line); ++row) {
        ASSERT_LT(row, sheet.size()) << line;
        std::vector<std::string> fields = Fields(line);
        ASSERT_EQ(fields.size(), 6u) << line;
        const std::vector<Cell>& cells = sheet[row];
        ASSERT_GE(cells.size(), 5u) << line;
        if (row == 0) {
            for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(cells[i].value, fields[i]) << line;
            continue;
        }
        EXPECT_EQ(cells[0].type, "float") << line;
        if (!fields[1].empty()) {
            ++played;
            EXPECT_EQ(cells[1].type, "string") << line;
            EXPECT_EQ(cells[1].value, fields[1]) << line;
        }
        for (std::size_t i = 2; i <= 4; ++i) {
            std::string amount = fields[i];
            std::replace(amount.begin(), amount.end(), ',', '.');
            EXPECT_EQ(cells[i].type, "float") << line << ", column " << i;
            EXPECT_DOUBLE_EQ(std::stod(cells[i].value.empty() ? "nan" : cells[i].value),
                             std::stod(amount))
                << line << ", column " << i;
        }
        std::string motif = cells.size() > 5 ? cells[5].value : "";
        EXPECT_EQ(motif, fields[5]) << line;
    }
    EXPECT_EQ(row, 6u);
    EXPECT_EQ(played, 4);
    EXPECT_NE(csv.find(";7 - 1 - 4;"), std::string::npos) << csv;
    EXPECT_NE(csv.find(";-"), std::string::npos) << csv; // a balance below zero
}

} // namespace
} // namespace sg
