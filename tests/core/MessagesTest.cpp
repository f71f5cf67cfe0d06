// The messages around a failure: each says once what did not happen and once why, and the
// CSV export's failures read the same from the window and from the race tool.
#include "app/Messages.h"
#include "app/BacktestExport.h"
#include "app/BacktestTexts.h"
#include "racefile/RaceFileResult.h"

#include "WorkFolder.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(Messages, AFailedActionSaysOnceWhatDidNotHappenAndWhy) {
    struct Wrapper {
        const char* name;
        std::string (*message)(std::string_view reason);
        std::vector<std::string> saidOnce; // the action's own words
    } wrappers[] = {
        {"save", [](std::string_view r) { return Messages::CannotSave(6, r); }, {"enregistr"}},
        {"read",
         [](std::string_view r) { return Messages::CannotRead(6, r); },
         {" lue", "lecture d"}},
        {"open",
         [](std::string_view r) { return Messages::CannotOpen("/tmp/courses.tur", r); },
         {"être ouvert"}},
    };
    for (int kind = 0; kind <= static_cast<int>(RaceFileFailure::FileTooLarge); ++kind) {
        auto failure = static_cast<RaceFileFailure>(kind);
        for (const Wrapper& w : wrappers) {
            std::string message = w.message(FrenchMessage(failure));
            for (const std::string& words : w.saidOnce)
                EXPECT_LE(Occurrences(message, words), 1) << w.name << ": " << message;
        }
    }
    EXPECT_EQ(Messages::CannotSave(6, FrenchMessage(RaceFileFailure::MediumFull)),
              "La course 6 n'a pas été enregistrée. Le disque est plein.");
}

TEST(BacktestExport, TheCsvIsWrittenWholeOrNotAtAllWithOneMessageForBoth) {
    WorkFolder work;
    BacktestRow played;
    played.race = 1;
    played.horseCount = 2;
    played.horses = {7, 12};
    played.staked = 35;
    played.won = 68;
    std::vector<BacktestRow> rows = {played};

    std::string csv = work.File("bilan.csv");
    ASSERT_FALSE(ExportBacktestCsv(csv, rows, ','));
    EXPECT_EQ(Contents(csv), os::SpreadsheetText(BacktestCsv(rows, ',')));

    // A folder that is not there: nothing written, the reason given.
    std::string lost = work.File("absent/bilan.csv");
    EXPECT_EQ(ExportBacktestCsv(lost, rows, ','),
              Messages::CsvNotWritten(lost, "Le dossier est introuvable."));
    EXPECT_FALSE(fs::exists(lost));
    // Over a folder: the folder stays, with nothing beside it.
    fs::create_directory(work.path / "dossier.csv");
    EXPECT_TRUE(ExportBacktestCsv(work.File("dossier.csv"), rows, ','));
    EXPECT_TRUE(fs::is_directory(work.path / "dossier.csv"));
    EXPECT_EQ(std::distance(fs::directory_iterator(work.path), fs::directory_iterator()), 2);

    // Never over a race file, by its name or because it is the very file read.
    EXPECT_EQ(CsvPathRefused(work.File("x.TUR"), work.File("courses.tur")),
              Messages::CsvOnRaceFile(work.File("x.TUR")));
    // Another name of the same file: a link, or where there are none (Windows) a second name.
    std::error_code noLinks;
    fs::create_symlink(csv, work.path / "lien", noLinks);
    if (noLinks) fs::create_hard_link(csv, work.path / "lien");
    EXPECT_TRUE(CsvPathRefused(work.File("lien"), csv));
    EXPECT_FALSE(CsvPathRefused(csv, work.File("courses.tur")));
}

} // namespace
} // namespace sg
