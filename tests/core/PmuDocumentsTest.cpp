// The PMU's documents read into the five fields: slot texts, times, and every broken document
// of tests/data/pmu/broken (each file one row, named by its fault).
#include "pmu/PmuDocuments.h"
#include "numbers/DecimalRounding.h"
#include "pmu/ImportedRace.h"
#include "pmu/SlotTexts.h"
#include "racefile/WholeFile.h"

#include "WorkFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace sg {
namespace {

const fs::path Data = fs::path(SG_TEST_DATA) / "pmu";

TEST(PmuSlotTexts, OddsFitFiveCharactersAndPayoutsAreEuros) {
    struct Case {
        double odds;
        const char* text; // "" when the slot stays empty
    } odds[] = {{2.3, "2.3"},      {12, "12"},         {12.25, "12.25"},  {105.5, "105.5"},
                {999, "999"},      {12.345, "12.34"},  {12.355, "12.36"}, {105.55, "105.6"},
                {105.45, "105.4"}, {1234.5, "1234"},   {1235.5, "1236"},  {99999.4, "99999"},
                {99999.5, ""},     {3.999, "4"},       {0.004, ""},       {0.005, ""},
                {0.015, "0.02"},   {0.025, "0.02"},    {0, ""},           {-3, ""},
                {1e9, ""},         {std::nan(""), ""}, {HUGE_VAL, ""}};
    for (const auto& c : odds) EXPECT_EQ(OddsSlotText(c.odds).value_or(""), c.text) << c.odds;

    struct Payout {
        long long cents;
        const char* text;
    } payouts[] = {{460, "4.6"},       {205, "2.05"}, {1250, "12.5"}, {100, "1"},
                   {7, "0.07"},        {0, ""},       {-460, ""},     {999999999900, "9999999999"},
                   {1000000000000, ""}};
    for (const auto& c : payouts)
        EXPECT_EQ(PayoutSlotText(c.cents).value_or(""), c.text) << c.cents;
    EXPECT_EQ(RoundedDecimalText(-2.5, 0), "-2");
    EXPECT_EQ(RoundedDecimalText(-0.004, 2), "0");
}

TEST(PmuCalendar, StartTimesInFrenchTimeAndDaysThatFollow) {
    struct Case {
        std::int64_t milliseconds;
        const char* clock;
    } cases[] = {
        {1709643000000, "13:50"}, // 5 March 2024, winter time
        {1711846799000, "01:59"}, // 31 March 2024 00:59:59 UTC, the last second of winter time
        {1711846800000, "03:00"}, // one second later: summer time
        {1729990799000, "02:59"}, // 27 October 2024 00:59:59 UTC, still summer time
        {1729990800000, "02:00"}, // the hour played twice
        {1719835200000, "14:00"}, // 1 July 2024 12:00 UTC
    };
    for (const auto& c : cases) EXPECT_EQ(FrenchClockText(c.milliseconds), c.clock) << c.clock;
    auto day = [](const char* text) { return *DayFromText(text); };
    EXPECT_EQ(NextDay(day("28/02/2024")), day("29/02/2024"));
    EXPECT_EQ(NextDay(day("31/12/2023")), day("01/01/2024"));
    EXPECT_EQ(DaysFromTo(day("01/01/2024"), day("31/12/2024")), 366);
    EXPECT_EQ(DaysFromTo(day("02/01/2024"), day("01/01/2024")), 0);
    EXPECT_EQ(ServiceDayText(day("05/03/2024")), "05032024");
    EXPECT_FALSE(DayFromText("30/02/2024"));
}

std::string Document(const fs::path& path) {
    return *ReadWholeFile((Data / "service" / path).string());
}

// The base race's documents, read as the service gives them.
struct BaseDocuments {
    ProgrammeCourse course;
    RunnersDocument runners;
    PayoutsDocument payouts;
};

BaseDocuments ReadBase() {
    BaseDocuments base;
    base.course = ReadProgramme(Document("05032024.json")).Value().meetings.at(0).courses.at(0);
    base.runners = ReadParticipants(Document("05032024/R1/C1/participants.json")).Value();
    base.payouts = ReadPayouts(Document("05032024/R1/C1/rapports-definitifs.json")).Value();
    return base;
}

TEST(PmuDocuments, TheBaseRaceFillsTheFiveFields) {
    BaseDocuments base = ReadBase();
    auto imported = ImportRace(base.course, base.runners, &base.payouts);
    ASSERT_TRUE(std::holds_alternative<ImportedRace>(imported));
    const ImportedRace& race = std::get<ImportedRace>(imported);
    EXPECT_EQ(race.fields.runnerCount, 12);
    EXPECT_EQ(race.fields.pmh[7], "3.6");
    EXPECT_EQ(race.fields.pmu[11], "13");
    EXPECT_EQ(race.fields.pmh[5], ""); // a non-runner, though the document gives it odds
    EXPECT_EQ(race.fields.arrival, (std::array<std::string, 6>{"", "7", "3", "12", "11", "1"}));
    // The national pool's payouts, though the internet pool's are there too.
    EXPECT_EQ(race.fields.payouts, (std::array<std::string, 4>{"4.6", "1.5", "1.8", "2.6"}));
    EXPECT_EQ(race.channel, "national");
    EXPECT_TRUE(race.notes.empty());

    // Without payouts published: runners and odds only.
    auto early = std::get<ImportedRace>(ImportRace(base.course, base.runners, nullptr));
    EXPECT_FALSE(early.hasResult);
    EXPECT_EQ(early.fields.arrival[1], "");
    EXPECT_EQ(early.fields.pmh, race.fields.pmh);

    RaceRecord record;
    record.Raw().fill('#');
    WriteImportedFields(record, race.fields);
    EXPECT_EQ(record.SlotText(*OddsSlot(RaceField::OddsPMH, 12)), "8.5  ");
    EXPECT_EQ(record.FieldText(RaceField::RunnerCount), "12");
    EXPECT_EQ(record.Raw()[LayoutOf(RaceField::Payouts).offset + 40], '#'); // reserved kept
    RaceRecord changed = record;
    changed.SetSlot(*ArrivalSlot(2), "4");
    EXPECT_NE(FieldsFingerprint(changed), FieldsFingerprint(record));
    EXPECT_FALSE(SameImportedBytes(changed, record));
    changed = record;
    changed.Raw()[0] = 'x'; // a reserved byte: not the importer's
    EXPECT_EQ(FieldsFingerprint(changed), FieldsFingerprint(record));
    EXPECT_EQ(FieldsFingerprint(record).size(), 16u);
}

TEST(PmuDocuments, EachBrokenDocumentIsRefusedOrLeavesItsValueEmpty) {
    using enum DocumentKind;
    using enum DocumentProblem;
    using enum RaceRefusal;
    struct Case {
        const char* file;
        DocumentKind kind;
        std::optional<DocumentProblem> problem; // the reader's
        std::optional<RaceRefusal> refusal;     // the race's
        const char* note = "";                  // within the notes when it is imported
    } cases[] = {
        {"programme-html-page.json", Programme, Unreadable, {}},
        {"programme-error-object.json", Programme, NotPmuDocument, {}},
        {"programme-reunions-not-a-list.json", Programme, WrongShape, {}},
        {"programme-truncated.json", Programme, Unreadable, {}},
        {"programme-numbers-out-of-range.json", Programme, {}, {}, "R2 figure deux fois"},
        {"participants-truncated.json", Participants, Unreadable, {}},
        {"participants-html-page.json", Participants, Unreadable, {}},
        {"participants-not-a-list.json", Participants, WrongShape, {}},
        {"participants-entry-not-an-object.json", Participants, WrongShape, {}},
        {"participants-horse-zero.json", Participants, {}, BadHorseNumber},
        {"participants-horse-99.json", Participants, {}, BadHorseNumber},
        {"participants-horse-number-text.json", Participants, {}, BadHorseNumber},
        {"participants-duplicate-number.json", Participants, {}, DuplicateHorse},
        {"participants-of-another-race.json", Participants, {}, RunnersOfAnotherRace},
        {"participants-winner-missing.json", Participants, {}, RunnersOfAnotherRace},
        {"participants-twenty-three-runners.json", Participants, {}, TooManyRunners},
        {"participants-odds-zero.json", Participants, {}, {}, "cote PMH du 2 laissée vide (0)"},
        {"participants-odds-negative.json", Participants, {}, {}, "PMH du 2 laissée vide (-3)"},
        {"participants-odds-huge.json", Participants, {}, {}, "PMH du 2 laissée vide (1000000000)"},
        {"participants-odds-text.json", Participants, {}, {}, "PMH du 2 laissée vide (pas un"},
        {"participants-odds-not-an-object.json", Participants, {}, {}, "cote PMU du 2 laissée"},
        {"payouts-truncated.json", Payouts, Unreadable, {}},
        {"payouts-error-object.json", Payouts, NotPmuDocument, {}},
        {"payouts-without-win-bet.json", Payouts, {}, {}, "pas de rapport simple gagnant"},
        {"payouts-winner-absent.json", Payouts, {}, {}, "gagnant du 7 laissé vide (absent)"},
        {"payouts-dividend-zero.json", Payouts, {}, {}, "gagnant du 7 laissé vide (0 centimes)"},
        {"payouts-dividend-text.json", Payouts, {}, {}, "gagnant du 7 laissé vide (illisible)"},
        {"pools-error-object.json", Pools, NotPmuDocument, {}},
        {"pools-total-text.json", Pools, {}, {}},
    };
    // Every file of the folder has its row, and every row its file.
    std::set<std::string> files, rows;
    for (const auto& entry : fs::directory_iterator(Data / "broken"))
        files.insert(entry.path().filename().string());
    for (const auto& c : cases) rows.insert(c.file);
    EXPECT_EQ(files, rows);

    BaseDocuments base = ReadBase();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        std::string text = *ReadWholeFile((Data / "broken" / c.file).string());
        std::optional<DocumentError> error;
        std::vector<std::string> notes;
        std::optional<RaceRefusal> refusal;
        auto import = [&](const RunnersDocument& runners, const PayoutsDocument& payouts) {
            auto race = ImportRace(base.course, runners, &payouts);
            if (auto* problem = std::get_if<RaceProblem>(&race)) {
                refusal = problem->reason;
                EXPECT_STRNE(RefusalText(problem->reason), "");
            } else {
                notes = std::get<ImportedRace>(race).notes;
            }
        };
        auto good = [&](const auto& read) {
            if (!read) error = read.Error();
            return bool(read);
        };
        if (auto programme = ReadProgramme(text); c.kind == Programme && good(programme))
            notes = programme.Value().notes;
        if (auto runners = ReadParticipants(text); c.kind == Participants && good(runners))
            import(runners.Value(), base.payouts);
        if (auto payouts = ReadPayouts(text); c.kind == Payouts && good(payouts))
            import(base.runners, payouts.Value());
        if (auto pools = ReadPools(text); c.kind == Pools && good(pools) && !pools.Value().empty())
            ADD_FAILURE() << "pools read from a broken document";
        EXPECT_EQ(error ? std::optional(error->problem) : std::nullopt, c.problem);
        EXPECT_TRUE(!error || !error->Message().empty());
        EXPECT_EQ(refusal, c.refusal);
        std::string all;
        for (const auto& note : notes) all += note + "\n";
        EXPECT_TRUE(*c.note ? all.find(c.note) != std::string::npos : all.empty()) << all;
    }
}

// A race of a programme imported with its own documents.
ImportedRace Imported(const ProgrammeCourse& course, const std::string& folder) {
    auto race =
        ImportRace(course, ReadParticipants(Document(folder + "/participants.json")).Value(),
                   &ReadPayouts(Document(folder + "/rapports-definitifs.json")).Value());
    return std::get<ImportedRace>(race);
}

TEST(PmuDocuments, DeadHeatsAndSmallFieldsAndTheProgrammeOrder) {
    auto programme = ReadProgramme(Document("06032024.json"));
    ASSERT_TRUE(programme);
    const auto& meetings = programme.Value().meetings;
    ASSERT_EQ(meetings.size(), 2u);
    EXPECT_EQ(meetings[0].number, 1); // listed after R3 by the service
    EXPECT_EQ(meetings[0].courses[0].number, 1);
    EXPECT_EQ(meetings[0].hippodrome, "CAGNES-SUR-MER");
    EXPECT_FALSE(IsFinalProgramme(programme.Value())); // R1 C2 not run yet

    auto first = ReadProgramme(Document("05032024.json"));
    EXPECT_TRUE(IsFinalProgramme(first.Value()));
    ImportedRace deadHeat = Imported(first.Value().meetings[0].courses[1], "05032024/R1/C2");
    EXPECT_EQ(deadHeat.fields.arrival, (std::array<std::string, 6>{"", "4", "7", "2", "9", "1"}));
    EXPECT_EQ(deadHeat.fields.payouts, (std::array<std::string, 4>{"3.2", "1.5", "2.1", "1.9"}));
    EXPECT_EQ(deadHeat.deadHeat, "4 et 7 ex aequo, le 4 compté gagnant");

    // Two places paid: the third slot stays empty without a note.
    ImportedRace two = Imported(meetings[1].courses[0], "06032024/R3/C1");
    EXPECT_EQ(two.fields.payouts, (std::array<std::string, 4>{"5.5", "1.9", "1.4", ""}));
    EXPECT_TRUE(two.notes.empty());
}

} // namespace
} // namespace sg
