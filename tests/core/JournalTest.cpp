// The journal of bets: its lines, where it lives, what a damaged line costs, and a line cut
// short by a kill that takes no other with it.
#include "JournalEntries.h"
#include "WorkFolder.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

// Two horses played, 20.00 on n° 3 at odds 2 and 15.00 on n° 8 at 3.5, 35 booked.
BetOnScreen TwoHorses() {
    BetOnScreen bet{"16.50 Euros", 35, 3, {}, {}};
    bet.numbers = {"", " 3", "8", "1"};
    bet.stakes = {"", "20.00", "15.00", "aucun"};
    return bet;
}

TEST(Journal, FolderFromTheEnvironment) {
    struct Case {
        const char *xdg, *home;
        std::string folder;
    } cases[] = {
        {"/data", "/home/a", "/data/simple-gagnant"},
        {nullptr, "/home/a", "/home/a/.local/share/simple-gagnant"},
        {"", "/home/a", "/home/a/.local/share/simple-gagnant"},
        {"relative/data", "/home/a", "/home/a/.local/share/simple-gagnant"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(JournalFolder(c.xdg, c.home), c.folder);
}

TEST(Journal, PlayLineReadsBack) {
    LedgerState ledger{35, 68, {}};
    std::array<float, 10> odds{0, 2, 3.5f, 7};
    JournalEntry entry = PlayEntry(TwoHorses(), odds, "/c/jeu.tur", 4, 68, ledger, Noon);
    // The row showing "aucun" is no horse played; amounts in cents, a decimal comma.
    EXPECT_EQ(JournalLine(entry), "07/12/2025;12:00:00;Jeu;/c/jeu.tur;4;n° 3 cote 2 mise 20,00 | "
                                  "n° 8 cote 3,5 mise 15,00;35,00;68,00;33,00");
    EXPECT_EQ(ParseJournalLine(JournalLine(entry)), entry);

    ledger = {35, 0, {}};
    JournalEntry lost = PlayEntry(TwoHorses(), odds, "", 4, 0, ledger, Noon);
    EXPECT_EQ(lost.race, 0); // no race file open: no race number
    EXPECT_EQ(lost.balanceCents, -3500);
    EXPECT_EQ(ParseJournalLine(JournalLine(lost)), lost); // "-35,00" kept from spreadsheets
    JournalEntry reset = ResetEntry(Noon);
    EXPECT_EQ(JournalLine(reset), "07/12/2025;12:00:00;Remise à zéro;;;;;;0,00");
    EXPECT_EQ(ParseJournalLine(JournalLine(reset)), reset);
}

TEST(Journal, DamagedLinesAreSkippedWithANote) {
    const std::string good = "07/12/2025;12:00:00;Jeu;a.tur;1;n° 3;35,00;68,00;33,00\n";
    const char* damaged[] = {
        "07/12/2025;12:00:00;Jeu;a.tur;1;n° 3;35,00;68,00\n",         // a field missing
        "31/02/2025;12:00:00;Jeu;a.tur;1;n° 3;35,00;68,00;33,00\n",   // no such date
        "07/12/2025;25:00:00;Jeu;a.tur;1;n° 3;35,00;68,00;33,00\n",   // no such time
        "07/12/2025;12:00:00;Pari;a.tur;1;n° 3;35,00;68,00;33,00\n",  // unknown operation
        "07/12/2025;12:00:00;Jeu;a.tur;1;n° 3;35.00;68,00;33,00\n",   // a point
        "07/12/2025;12:00:00;Jeu;a.tur;0;n° 3;35,00;68,00;33,00\n",   // race 0
        "07/12/2025;12:00:00;Jeu;a.tur;1;\"n° 3;35,00;68,00;33,00\n", // a quote left open
        "07/12/2025;12:00:00;Remise à zéro;;;;5,00;;0,00\n",          // a reset that stakes
        "07/12/2025;12:00:00;Jeu;a.tur;1;n° 3;35,00;68,00;--33,00\n", // two signs
        "07/12/2025;12:00:00;Jeu;a.tur;1;n° 3;35,00;68,00;33,00",     // cut short by a kill
    };
    for (const char* line : damaged) {
        Journal journal = ParseJournal(std::string(JournalHeader) + "\n" + good + line + good);
        EXPECT_EQ(journal.notes.size(), 1u) << line;
        EXPECT_GE(journal.entries.size(), 1u) << line;
        EXPECT_LE(journal.entries.size(), 2u) << line;
    }
    // Blank lines and a header written twice (two programs starting it) are no damage.
    Journal twice = ParseJournal(std::string(JournalHeader) + "\n\n" + JournalHeader + "\n" + good);
    EXPECT_TRUE(twice.notes.empty());
    EXPECT_EQ(twice.entries.size(), 1u);
}

TEST(Journal, CreatedAndAppendedAndALineCutShortTakesNoOtherWithIt) {
    WorkFolder work;
    std::string folder = work.File("data/simple-gagnant");
    ASSERT_FALSE(AppendToJournal(folder, ResetEntry(Noon)));
    ASSERT_FALSE(AppendToJournal(folder, Play("08/12/2025", "a.tur", 10, 0)));
    std::string text = Contents(os::PathOf(JournalPathIn(folder)));
    EXPECT_EQ(text.rfind(os::SpreadsheetText(std::string(JournalHeader) + "\n"), 0), 0u);
    // A line cut short by a kill must not swallow the next one written.
    std::ofstream(JournalPathIn(folder), std::ios::app) << "08/12/2025;10:00:00;Jeu;a.t";
    ASSERT_FALSE(AppendToJournal(folder, Play("09/12/2025", "a.tur", 20, 50)));
    Journal journal = ReadJournal(folder);
    EXPECT_EQ(journal.notes.size(), 1u);
    ASSERT_EQ(journal.entries.size(), 3u);
    EXPECT_EQ(journal.entries[2], Play("09/12/2025", "a.tur", 20, 50));

    // A folder that cannot be: the failure is said, nothing else happens.
    std::ofstream(work.File("file")) << "x";
    EXPECT_TRUE(AppendToJournal(work.File("file/simple-gagnant"), ResetEntry(Noon)));
    EXPECT_TRUE(ReadJournal(work.File("absent")).notes.empty());
}

TEST(Journal, FilteredTotalledAndExported) {
    std::vector<JournalEntry> entries = {
        Play("01/12/2025", "a.tur", 10, 0),     Play("02/12/2025", "b.tur", 20, 50),
        ResetEntry({"03/12/2025", "09:00:00"}), Play("04/12/2025", "a.tur", 30, 45),
        Play("05/12/2025", "", 5, 0),
    };
    struct Case {
        std::string file;
        std::optional<int> from, to;
        std::size_t shown;
        std::int64_t staked, won;
        std::vector<std::int64_t> curve; // cents
    };
    const std::vector<Case> cases = {
        {"", {}, {}, 5, 65, 95, {-1000, 2000, 3500, 3000}},
        {"a.tur", {}, {}, 2, 40, 45, {-1000, 500}}, // a file: resets left out
        {"", 20251202, 20251204, 3, 50, 95, {3000, 4500}},
        {"", 20251206, {}, 0, 0, 0, {}},
    };
    for (const Case& c : cases) {
        JournalFilter filter;
        filter.raceFile = c.file;
        filter.from = c.from;
        filter.to = c.to;
        auto shown = FilterJournal(entries, filter);
        EXPECT_EQ(shown.size(), c.shown);
        JournalTotals totals = TotalJournal(shown);
        EXPECT_EQ(totals.stakedCents, c.staked * 100);
        EXPECT_EQ(totals.wonCents, c.won * 100);
        EXPECT_EQ(JournalBalanceCurve(shown), c.curve);
    }
    EXPECT_EQ(JournalRaceFiles(entries), (std::vector<std::string>{"a.tur", "b.tur"}));
    Journal exported = ParseJournal(JournalText(entries));
    EXPECT_TRUE(exported.notes.empty());
    EXPECT_EQ(exported.entries, entries);
}

} // namespace
} // namespace sg
