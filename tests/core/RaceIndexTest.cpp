#include "racefile/RaceIndex.h"
#include "racefile/CsvFields.h"
#include "racefile/WholeFile.h"

#include "WorkFolder.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

RaceIndexEntry Entry(std::int32_t race, std::string hippodrome = "VINCENNES") {
    RaceIndexEntry entry;
    entry.race = race;
    entry.date = "07/12/2026";
    entry.meeting = 1;
    entry.course = 4;
    entry.hippodrome = std::move(hippodrome);
    entry.name = "PRIX DE BRETAGNE";
    entry.discipline = "ATTELE";
    entry.start = "13:50";
    entry.channel = "national";
    entry.winPoolCents = 123456789;
    entry.fingerprint = "9c1f0a2b4d6e8f10";
    return entry;
}

TEST(CsvFieldsTest, ServiceTextsComeBackAsTheyWereWithoutFormulaOrBrokenLine) {
    struct Case {
        std::string text, field;
    } cases[] = {
        {"VINCENNES", "VINCENNES"},
        {"PRIX \"L'ÉTÉ\"; 2e", "\"PRIX \"\"L'ÉTÉ\"\"; 2e\""},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+33", "'+33"},
        {"-2", "-2"},
        {"-40,00", "-40,00"},
        {"-2+3", "'-2+3"},
        {"-", "'-"},
        {"@SUM", "'@SUM"},
        {"deux\nlignes", "deux lignes"},
        {" bord ", "\" bord \""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CsvField(c.text), c.field) << c.text;
        auto back = SplitCsvLine(CsvLine({c.text, "x"}));
        ASSERT_TRUE(back) << c.text;
        std::string expected = c.text == "deux\nlignes" ? "deux lignes" : c.text;
        EXPECT_EQ(*back, (std::vector<std::string>{expected, "x"})) << c.text;
    }
    for (const char* damaged : {"\"open;x", "\"a\"b;x", "a\"b;x"})
        EXPECT_FALSE(SplitCsvLine(damaged)) << damaged;
}

TEST(RaceIndexTest, LinesReadBackLaterLinesWinAndDamagedLinesAreNoted) {
    RaceIndexEntry hostile = Entry(3, "=CMD|' /C calc'!A0");
    hostile.winPoolCents.reset();
    std::string text = RaceIndexText({Entry(1), hostile, Entry(2)});
    text += RaceIndexLine(Entry(1, "ENGHIEN")) + "\n";    // an update appended later
    text += "7;31/02/2026;1;1;X;Y;Z;;national;;f\n";      // no such date
    text += "8;01/01/2026;1;1;X;Y;Z;25:00;national;;f\n"; // no such time
    text += "9;01/01/2026;1;1;X;Y;Z;;national;;f\n";
    text += RaceIndexLine(Entry(5)).substr(0, 30); // cut short by a kill

    RaceIndex index = ParseRaceIndex(text);
    ASSERT_EQ(index.entries.size(), 4u);
    EXPECT_EQ(index.Find(1)->hippodrome, "ENGHIEN");
    EXPECT_EQ(*index.Find(2), Entry(2));
    EXPECT_EQ(*index.Find(3), hostile);
    EXPECT_EQ(index.Find(9)->winPoolCents, std::nullopt);
    EXPECT_EQ(index.Find(5), nullptr);
    EXPECT_EQ(index.notes.size(), 3u);
    EXPECT_EQ(index.notes.back(), "Ligne 9 de l'index ignorée : elle est incomplète ou abîmée.");
    EXPECT_NE(RaceIndexLine(Entry(1)).find(";1234567,89;"), std::string::npos);
}

TEST(RaceIndexTest, DatesThatExist) {
    struct Case {
        const char* date;
        std::optional<int> key;
    } cases[] = {{"07/12/2026", 20261207}, {"29/02/2024", 20240229}, {"29/02/2100", {}},
                 {"29/02/2000", 20000229}, {"31/04/2026", {}},       {"7/12/2026", {}},
                 {"00/01/2026", {}},       {"01/13/2026", {}}};
    for (const auto& c : cases) EXPECT_EQ(DateKey(c.date), c.key) << c.date;
}

TEST(WholeFileTest, AFailedWriteLeavesTheOldFileAndAppendsAddWholeLines) {
    WorkFolder folder;
    std::string path = folder.File("index.csv");
    ASSERT_FALSE(WriteWholeFile(path, "old\n"));
    ASSERT_FALSE(WriteWholeFile(path, "new\n", true));
    EXPECT_EQ(Contents(path), "new\n");

    auto failed = WriteWholeFile(folder.File("absent/index.csv"), "x");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->Message(), "Le dossier est introuvable.");
    EXPECT_TRUE(WriteWholeFile(folder.path.string(), "x")); // a folder is never replaced

    ASSERT_FALSE(AppendLines(path, "a\n", "header\n"));
    ASSERT_FALSE(AppendLines(path, "b\n", "header\n"));
    EXPECT_EQ(*ReadWholeFile(path), "new\na\nb\n");
    // A header starts a new file; a line cut short by a kill is ended before the next line.
    std::string index = folder.File("cut.csv");
    ASSERT_FALSE(AppendLines(index, "1;x\n2;y", "header\n"));
    ASSERT_FALSE(AppendLines(index, "3;z\n", "header\n"));
    EXPECT_EQ(*ReadWholeFile(index), "header\n1;x\n2;y\n3;z\n");
    fs::remove(index);
    bool missing = false;
    EXPECT_FALSE(ReadWholeFile(folder.File("none"), &missing));
    EXPECT_TRUE(missing);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), {}), 1); // no temporary left
}

} // namespace
} // namespace sg
