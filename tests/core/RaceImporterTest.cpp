// The import into a race file, with the fixture days as the source: races appended in order,
// updated in place or left alone, the index beside the file, the cache's rules, and runs cut
// short that a second run completes.
#include "pmu/RaceImporter.h"
#include "racefile/RaceFile.h"
#include "racefile/RaceIndex.h"
#include "racefile/WholeFile.h"

#include "WorkFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace sg {
namespace {

const fs::path Service = fs::path(SG_TEST_DATA) / "pmu" / "service";

// The fixture folder as a source, with documents replaced or cached at will.
class FixtureSource : public DocumentSource {
  public:
    std::map<std::string, SourcedDocument> replaced; // by folder path
    std::map<std::string, std::string> cache;
    std::vector<std::string> fetched;

    std::optional<std::string> Cached(const DocumentRef& document) override {
        auto found = cache.find(FolderPath(document));
        if (found == cache.end()) return std::nullopt;
        return found->second;
    }
    SourcedDocument Fetch(const DocumentRef& document) override {
        std::string path = FolderPath(document);
        fetched.push_back(path);
        if (auto found = replaced.find(path); found != replaced.end()) return found->second;
        SourcedDocument got;
        if (auto content = ReadWholeFile((Service / path).string())) {
            got.status = SourcedDocument::Status::Found;
            got.body = *content;
        }
        return got;
    }
    bool IsFolder() const override { return false; }
};

SourcedDocument Found(const std::string& body) {
    return {SourcedDocument::Status::Found, body, ""};
}

class RaceImporterTest : public ::testing::Test {
  public: // for the cases' set-ups
    ImportOutcome Import(const char* first, const char* last) {
        lines.clear();
        return ImportRaces({path, *DayFromText(first), *DayFromText(last)}, source,
                           [this](const std::string& line) { lines.push_back(line); });
    }
    RaceRecord Race(int race) {
        RaceFile file;
        EXPECT_TRUE(file.Open(path, RaceFileAccess::ReadOnly));
        return file.Read(race).Value();
    }
    // The programme of 06/03/2024 once R1 C2 has run, and its payouts.
    void RunTheLastRace() {
        std::string programme = *ReadWholeFile((Service / "06032024.json").string());
        std::string before = "\"statut\": \"PROGRAMMATION\"";
        programme.replace(programme.find(before), before.size(),
                          "\"statut\": \"FIN_COURSE\", \"ordreArrivee\": [[3], [1], [5]]");
        source.replaced["06032024.json"] = Found(programme);
        source.replaced["06032024/R1/C2/rapports-definitifs.json"] = Found(
            R"([{"typePari":"SIMPLE_GAGNANT","rapports":[{"combinaison":["3"],"dividendePourUnEuro":730}]}])");
    }

    WorkFolder folder;
    std::string path = folder.File("courses.tur");
    FixtureSource source;
    std::vector<std::string> lines;
    os::FileHandle held = os::NoFile; // a lock another import holds
};

TEST_F(RaceImporterTest, AppendsTheDaysInOrderThenUpdatesOnlyWhatItWrote) {
    ImportOutcome first = Import("05/03/2024", "06/03/2024");
    ASSERT_FALSE(first.failure) << first.failure->Message();
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "05/03/2024 : 6 courses au programme ; 3 ajoutées, 3 refusées",
                         "06/03/2024 : 3 courses au programme ; 3 ajoutées"}));
    EXPECT_EQ(first.summary.firstRace, 1);
    RaceIndex index = ReadRaceIndex(path);
    ASSERT_EQ(index.entries.size(), 6u);
    EXPECT_TRUE(index.notes.empty());
    struct Expected {
        int race;
        const char* where; // date, R, C, hippodrome, start, channel, pool
        const char* winner;
    } expected[] = {
        {1, "05/03/2024 1 1 VINCENNES 13:50 national 12345600", "7 "},
        {2, "05/03/2024 1 2 VINCENNES 14:25 national 9876543", "4 "},
        {3, "05/03/2024 2 1 DEAUVILLE 16:05 internet 2233400", "3 "},
        {4, "06/03/2024 1 1 CAGNES-SUR-MER 13:30 national 4567800", "2 "},
        {5, "06/03/2024 1 2 CAGNES-SUR-MER 14:05  -", "  "},
        {6, "06/03/2024 3 1 PAU 12:15 national 1200000", "2 "},
    };
    for (const auto& e : expected) {
        const RaceIndexEntry& entry = *index.Find(e.race);
        std::string where = entry.date + " " + std::to_string(entry.meeting) + " " +
                            std::to_string(entry.course) + " " + entry.hippodrome + " " +
                            entry.start + " " + entry.channel + " " +
                            (entry.winPoolCents ? std::to_string(*entry.winPoolCents) : "-");
        EXPECT_EQ(where, e.where) << e.race;
        RaceRecord record = Race(e.race);
        EXPECT_EQ(record.SlotText(*ArrivalSlot(1)), e.winner) << e.race;
        EXPECT_EQ(entry.fingerprint, FieldsFingerprint(record)) << e.race;
    }
    EXPECT_EQ(index.Find(5)->name, "=PRIX DES ORANGERS"); // quoted in the file, whole here
    EXPECT_NE(Contents(path + ".index.csv").find(";'=PRIX DES ORANGERS;"), std::string::npos);

    // Later, R1 C2 has run; meanwhile another program changed race 1.
    RunTheLastRace();
    RaceRecord changed = Race(1);
    changed.SetSlot(*PayoutSlot(0), "9.9");
    {
        RaceFile file;
        ASSERT_TRUE(file.Open(path, RaceFileAccess::ReadWrite));
        ASSERT_TRUE(file.Write(1, changed));
    }
    ImportOutcome again = Import("05/03/2024", "06/03/2024");
    ASSERT_FALSE(again.failure);
    EXPECT_EQ(lines[0], "05/03/2024 : 6 courses au programme ; 2 déjà à jour, 3 refusées, "
                        "1 laissée telle quelle");
    EXPECT_EQ(lines[1], "06/03/2024 : 3 courses au programme ; 1 mise à jour, 2 déjà à jour");
    EXPECT_EQ(again.summary.leftAlone.first,
              std::vector<std::string>{"05/03/2024 R1 C1, course 1"});
    EXPECT_EQ(Race(1), changed);
    EXPECT_EQ(Race(5).SlotText(*PayoutSlot(0)), "7.3       ");
    EXPECT_EQ(Contents(path).size(), 6 * RaceRecordSize);
    index = ReadRaceIndex(path);
    EXPECT_EQ(index.entries.size(), 6u);
    EXPECT_EQ(index.Find(5)->fingerprint, FieldsFingerprint(Race(5)));
    // Only the race that changed got a new line.
    std::string indexText = Contents(path + ".index.csv");
    EXPECT_EQ(std::count(indexText.begin(), indexText.end(), '\n'), 1 + 6 + 1);
}

TEST_F(RaceImporterTest, ARunKilledBetweenTheIndexAndTheRecordsIsCompletedByTheNext) {
    ASSERT_FALSE(Import("06/03/2024", "06/03/2024").failure);
    std::string firstRun = Contents(path);
    RunTheLastRace();
    ASSERT_FALSE(Import("06/03/2024", "06/03/2024").failure);

    // The index of the second run over the first two records of the first: the update of
    // race 2 (R1 C2) never came in, nor did race 3 of the first run.
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        << firstRun.substr(0, 2 * RaceRecordSize);
    ImportOutcome outcome = Import("06/03/2024", "06/03/2024");
    ASSERT_FALSE(outcome.failure);
    EXPECT_EQ(lines[0],
              "06/03/2024 : 3 courses au programme ; 1 ajoutée, 1 mise à jour, 1 déjà à jour");
    EXPECT_EQ(Contents(path).size(), 3 * RaceRecordSize);
    RaceIndex read = ReadRaceIndex(path);
    ASSERT_EQ(read.entries.size(), 3u);
    for (int race = 1; race <= 3; ++race)
        EXPECT_EQ(read.Find(race)->fingerprint, FieldsFingerprint(Race(race))) << race;
    EXPECT_EQ(read.Find(3)->hippodrome, "PAU");
}

TEST_F(RaceImporterTest, CachedDocumentsServeOnlyOnceFinalAndReadable) {
    for (const char* document :
         {"05032024.json", "06032024.json", "05032024/R1/C1/participants.json",
          "05032024/R1/C1/rapports-definitifs.json", "05032024/R1/C1/masse-enjeu-v2.json",
          "05032024/R1/C2/participants.json", "06032024/R1/C2/participants.json"})
        source.cache[document] = *ReadWholeFile((Service / document).string());
    source.cache["05032024/R2/C1/rapports-definitifs.json"] = "{\"tronqué"; // unreadable
    ImportOutcome outcome = Import("05/03/2024", "06/03/2024");
    ASSERT_FALSE(outcome.failure);
    EXPECT_EQ(outcome.summary.fromCache, 4); // a final programme, and R1 C1's three documents
    EXPECT_EQ(
        source.fetched,
        (std::vector<std::string>{
            // R1 C2 has no payouts cached: its cached runners may still change.
            "05032024/R1/C2/participants.json", "05032024/R1/C2/rapports-definitifs.json",
            "05032024/R1/C2/masse-enjeu-v2.json", "05032024/R2/C1/participants.json",
            "05032024/R2/C1/rapports-definitifs.json", "05032024/R2/C1/masse-enjeu-v2.json",
            // A programme with a race not run yet.
            "06032024.json", "06032024/R1/C1/participants.json",
            "06032024/R1/C1/rapports-definitifs.json", "06032024/R1/C1/masse-enjeu-v2.json",
            "06032024/R1/C2/participants.json", "06032024/R3/C1/participants.json",
            "06032024/R3/C1/rapports-definitifs.json", "06032024/R3/C1/masse-enjeu-v2.json"}));
}

TEST_F(RaceImporterTest, StopsWhereTheSourceOrTheFileGivesOutAndSaysWhy) {
    struct Case {
        const char* name;
        std::function<void(RaceImporterTest&)> setUp;
        const char* message;
        std::size_t races; // in the file afterwards
    } cases[] = {
        {"unreachable on the second day",
         [](RaceImporterTest& t) {
             t.source.replaced["06032024/R1/C1/participants.json"] = {
                 SourcedDocument::Status::Unreachable, "",
                 "le service ne répond pas dans le délai"};
         },
         "Importation arrêtée le 06/03/2024 : le service ne répond pas dans le délai. Les courses "
         "importées jusque-là restent dans le fichier. Relancez-la pour continuer.",
         3},
        {"full after one race",
         [](RaceImporterTest& t) {
             std::ofstream(t.path, std::ios::binary);
             fs::resize_file(t.path, (LastRace - 1) * RaceRecordSize);
         },
         "Importation arrêtée le 05/03/2024 : le fichier de courses est plein (32767 courses au "
         "plus). Les courses importées jusque-là restent dans le fichier.",
         LastRace},
        {"another import at work",
         [](RaceImporterTest& t) {
             t.held = os::OpenFile(t.path, os::OpenMode::ReadWriteCreate).handle;
             ASSERT_TRUE(os::TryLock(t.held));
         },
         "Importation impossible : une autre importation écrit déjà dans ce fichier.", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(path);
        fs::remove(path + ".index.csv");
        source.replaced.clear();
        c.setUp(*this);
        ImportOutcome outcome = Import("05/03/2024", "06/03/2024");
        ASSERT_TRUE(outcome.failure);
        EXPECT_EQ(outcome.failure->Message(), c.message);
        EXPECT_EQ(fs::file_size(path), c.races * RaceRecordSize);
        // Every race in the index is whole in the file.
        RaceIndex index = ReadRaceIndex(path);
        for (const auto& entry : index.entries)
            EXPECT_EQ(entry.fingerprint, FieldsFingerprint(Race(entry.race))) << entry.race;
        if (held != os::NoFile) (void)os::CloseFile(std::exchange(held, os::NoFile));
    }
}

} // namespace
} // namespace sg
