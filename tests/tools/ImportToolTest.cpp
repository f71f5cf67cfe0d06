// sg-race importer from a shell: the fixture days through the local HTTP server into a new
// race file that the runner rows and the back-test read as any other; the server
// misbehaving; runs cut short and gone on with; refusals of its arguments.
#include "ToolRun.h"

#include "http/LocalHttpServer.h"
#include "ledger/Backtest.h"
#include "racefile/RaceFileReader.h"
#include "racefile/RaceIndex.h"
#include "racefile/RaceLoading.h"
#include "racefile/RaceSession.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

const fs::path Service = fs::path(SG_TEST_DATA) / "pmu" / "service";

std::string Fixture(const std::string& path) {
    return Contents(Service / path);
}

struct ImportRun {
    LocalHttpServer server;
    WorkFolder work;
    ToolRun Import(const std::string& period, const std::string& source = "") {
        return RunTool(BuiltTool("sg-race"), work,
                       "importer " + work.Quoted("courses.tur") + " " + period + " --source '" +
                           (source.empty() ? server.Base() : source) + "' --pause 0");
    }
    std::size_t Races() const { return fs::file_size(work.path / "courses.tur") / RaceRecordSize; }
};

TEST(ImportTool, FixtureDaysThroughTheLocalServerPlayAsAnyOtherRaces) {
    ImportRun run;
    run.server.ServeFolder(Service);
    ToolRun done = run.Import("--du 05/03/2024 --au 06/03/2024");
    ASSERT_EQ(done.status, 0) << done.err;
    EXPECT_EQ(done.err, "");
    EXPECT_EQ(done.out.substr(0, done.out.find("Courses ajoutées")),
              "05/03/2024 : 6 courses au programme ; 3 ajoutées, 3 refusées\n"
              "06/03/2024 : 3 courses au programme ; 3 ajoutées\n");
    EXPECT_NE(done.out.find("Documents : 18 téléchargés, 0 lu dans le cache\n"
                            "Première course importée : 1\n"),
              std::string::npos)
        << done.out;
    EXPECT_EQ(run.server.LastUserAgent(),
              std::string("SimpleGagnant/") + SG_VERSION + " (sg-race importer)");
    EXPECT_TRUE(fs::exists(run.work.path / "courses.tur.cache" / "05032024" / "R1" / "C1" /
                           "rapports-definitifs.json"));
    EXPECT_EQ(ReadRaceIndex(run.work.File("courses.tur")).entries.size(), 6u);

    // Each race's runners by their odds, the favourites first; 5 does not run.
    RaceSession session;
    ASSERT_TRUE(session.Open(run.work.File("courses.tur")));
    ASSERT_EQ(session.RaceCount().Value(), 6);
    std::array<float, RunnerRows + 1> stored{};
    RunnerRowsFill rows = SortRunners(session.RaceRecord, OddsSet::PMH, stored);
    EXPECT_EQ(std::vector<int>(rows.horses.begin() + 1, rows.horses.begin() + 6),
              (std::vector<int>{7, 1, 3, 12, 9}));
    EXPECT_EQ(rows.odds[1], "3.6");

    // The back-test: every race with a result played; the one not run yet has no final odds.
    RaceFileReader reader;
    ASSERT_TRUE(reader.Open(run.work.File("courses.tur")));
    auto backtest = RunBacktest(reader.Races(), BacktestStrategy{}, {1, 6});
    ASSERT_TRUE(backtest);
    std::vector<SkipReason> skipped;
    for (const BacktestRow& row : *backtest) skipped.push_back(row.skipped);
    EXPECT_EQ(skipped, (std::vector<SkipReason>{SkipReason::None, SkipReason::None,
                                                SkipReason::None, SkipReason::None,
                                                SkipReason::TooFewOdds, SkipReason::None}));
    // The winner, 7 at 4.60, among the four favourites: 4.6 x its stake is won.
    EXPECT_EQ((*backtest)[0].horses[0], 7);
    EXPECT_GT((*backtest)[0].won, 0);
}

TEST(ImportTool, AServerMisbehavingCostsOnlyWhatItBreaks) {
    std::string runners = Fixture("05032024/R1/C1/participants.json");
    const std::string r1c1 = "/programme/05032024/R1/C1/participants",
                      r1c2 = "/programme/05032024/R1/C2/participants",
                      payouts = "/programme/05032024/R2/C1/rapports-definitifs";
    struct Case {
        std::string path;
        std::vector<ServedAnswer> answers;
        const char* said; // within the output
        std::size_t races;
    } cases[] = {
        {r1c1, {{500, "erreur"}, {200, runners}}, "05/03/2024 : 6 courses au programme ; 3 a", 6},
        {r1c1, {{200, runners, 0, 2000}, {200, runners}}, "programme ; 3 ajoutées", 6}, // cut once
        {r1c2, {{200, "{\"participants\": [{"}}, "illisibles : 1 (05/03/2024 R1 C2 : document", 5},
        {r1c2, {{200, "<html><body>Maintenance</body></html>"}}, "partants illisibles : 1", 5},
        {r1c2, {{503, ""}}, "indisponibles : 1 (05/03/2024 R1 C2 : le service répond 503", 5},
        {"/programme/06032024", {{204, ""}}, "06/03/2024 : programme non publié", 3},
        {payouts, {{404, ""}}, "Courses sans arrivée ni rapports (pas encore publiés) : 2", 6},
    };
    for (const auto& c : cases) {
        ImportRun run;
        run.server.ServeFolder(Service);
        run.server.Answer(c.path, c.answers);
        ToolRun done = run.Import("--du 05/03/2024 --au 06/03/2024");
        SCOPED_TRACE(c.said);
        EXPECT_EQ(done.status, 0) << done.err;
        EXPECT_EQ(done.err, "");
        EXPECT_NE(done.out.find(c.said), std::string::npos) << done.out;
        EXPECT_EQ(run.Races(), c.races);
    }
}

TEST(ImportTool, ARunTheServiceCutsShortIsGoneOnWithAndTheCacheSparesTheService) {
    ImportRun run;
    run.server.ServeFolder(Service);
    run.server.Answer("/programme/06032024/R1/C1/participants", {{200, "{}", 0, 1}});
    ToolRun cut = run.Import("--du 05/03/2024 --au 06/03/2024");
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.err.rfind("Importation arrêtée le 06/03/2024 : la réponse du service a été "
                            "coupée (",
                            0),
              0u);
    EXPECT_EQ(std::count(cut.err.begin(), cut.err.end(), '\n'), 1);
    EXPECT_NE(cut.err.find("pour les partants de R1 C1. Les courses importées jusque-là restent"),
              std::string::npos);
    EXPECT_NE(cut.out.find("Courses ajoutées : 3\n"), std::string::npos) << cut.out;
    EXPECT_EQ(run.Races(), 3u);

    run.server.Answer("/programme/06032024/R1/C1/participants",
                      {{200, Fixture("06032024/R1/C1/participants.json")}});
    ToolRun again = run.Import("--du 05/03/2024 --au 06/03/2024");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_NE(again.out.find("05/03/2024 : 6 courses au programme ; 3 déjà à jour, 3 refusées\n"
                             "06/03/2024 : 3 courses au programme ; 3 ajoutées\n"),
              std::string::npos)
        << again.out;
    EXPECT_EQ(run.Races(), 6u);
    EXPECT_EQ(ReadRaceIndex(run.work.File("courses.tur")).entries.size(), 6u);

    // The first day is final: read again from the cache alone, with no service at all.
    std::string closed;
    {
        LocalHttpServer gone;
        closed = gone.Base();
    }
    ToolRun offline = run.Import("--du 05/03/2024", closed);
    EXPECT_EQ(offline.status, 0) << offline.err;
    EXPECT_NE(offline.out.find("Documents : 0 téléchargé, 10 lus dans le cache"), std::string::npos)
        << offline.out;
    ToolRun unreachable = run.Import("--du 06/03/2024", closed);
    EXPECT_EQ(unreachable.status, 1);
    EXPECT_NE(unreachable.err.find("connexion au service impossible"), std::string::npos);
    EXPECT_EQ(run.Races(), 6u);
}

TEST(ImportTool, ArgumentsItRefusesLeaveNoFileBehind) {
    WorkFolder work;
    const std::string file = work.Quoted("c.tur");
    struct Case {
        std::string arguments;
        const char* said; // the start of the line on standard error
    } cases[] = {
        {"importer " + file, "Il manque la date de début"},
        {"importer " + file + " --du 30/02/2024", "Date invalide pour --du : « 30/02/2024 »"},
        {"importer " + file + " --du 06/03/2024 --au 05/03/2024", "La période est vide"},
        {"importer " + file + " --du 05/03/2024 --pause vite", "Valeur invalide pour --pause"},
        {"importer " + file + " --du 05/03/2024 --pause 61", "Valeur invalide pour --pause"},
        {"importer " + file + " --du 05/03/2024 --source ftp://localhost/x",
         "Source non prise en charge"},
        {"importer " + file + " --du 05/03/2024 --source " + work.Quoted("absent"),
         "Le dossier source"},
        {"importer " + file + " --du 05/03/2024 --vite 1", "Option inconnue : « --vite »"},
        {"importer " + file + " --du", "Il manque la valeur de « --du »"},
        {"importer --du 05/03/2024", "Usage : sg-race importer FICHIER --du"},
    };
    for (const auto& c : cases) {
        ToolRun run = RunTool(BuiltTool("sg-race"), work, c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
        EXPECT_EQ(run.err.rfind(c.said, 0), 0u) << c.arguments << "\n" << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.arguments;
        EXPECT_FALSE(fs::exists(work.path / "c.tur")) << c.arguments;
    }
    // A text file named like a race file gets no race appended after its bytes.
    std::ofstream(work.path / "notes.tur") << "Mes notes : jouer le 7 dimanche.\n";
    ToolRun notes = RunTool(BuiltTool("sg-race"), work,
                            "importer " + work.Quoted("notes.tur") + " --du 05/03/2024 --source '" +
                                Service.string() + "'");
    EXPECT_EQ(notes.status, 1);
    EXPECT_NE(notes.err.find("notes.tur"), std::string::npos) << notes.err;
    EXPECT_EQ(Contents(work.path / "notes.tur"), "Mes notes : jouer le 7 dimanche.\n");

    ToolRun usage = RunTool(BuiltTool("sg-race"), work, "");
    EXPECT_NE(usage.err.find("sg-race importer FICHIER --du JJ/MM/AAAA"), std::string::npos);

    // From a folder: read in place, no cache, no network.
    ToolRun folder = RunTool(BuiltTool("sg-race"), work,
                             "importer " + file + " --du 05/03/2024 --au 06/03/2024 --source '" +
                                 Service.string() + "'");
    EXPECT_EQ(folder.status, 0) << folder.err;
    EXPECT_NE(folder.out.find("Documents : 18 lus dans le dossier\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(work.path / "c.tur.cache"));
}

} // namespace
} // namespace sg
