// One race of the PMU turned into the five fields of a race record: its runner count, the two
// odds of each horse, the arrival and the payouts; or why the record cannot hold it.
#pragma once

#include "pmu/ParticipantsReader.h"
#include "pmu/PayoutsReader.h"
#include "pmu/ProgrammeReader.h"
#include "racefile/RaceRecord.h"

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace sg {

// Why a race is not imported, each with its phrase for the report.
enum class RaceRefusal {
    Cancelled,
    NoWinBet,
    TooManyRunners, // the record holds horses 1 to 22
    RunnersNotPublished,
    RunnersUnavailable, // the service would not give them
    RunnersUnreadable,
    RunnersOfAnotherRace,
    BadHorseNumber,
    DuplicateHorse,
    NoRunner,
};
inline constexpr int RaceRefusalCount = 10;

// "course annulée", "plus de 22 partants"...
const char* RefusalText(RaceRefusal reason);

struct RaceProblem {
    RaceRefusal reason;
    std::string detail; // what was found: "n° 99", "le 5 deux fois"...
};

// The texts the five fields receive (slots of horses and places by their number).
struct ImportedFields {
    int runnerCount = 0;
    std::array<std::string, OddsHorseCount + 1> pmh{}, pmu{}; // horses 1 to 22
    std::array<std::string, ArrivalSlotCount + 1> arrival{};  // places 1 to 5
    std::array<std::string, PayoutSlotCount> payouts{};       // win, then places 1 to 3

    friend bool operator==(const ImportedFields&, const ImportedFields&) = default;
};

struct ImportedRace {
    ImportedFields fields;
    std::string channel;    // the pool of the win payout: "national", "internet", or none yet
    bool hasResult = false; // arrival and payouts published and written
    std::string deadHeat;   // "4 et 7 ex aequo, le 4 compté gagnant" for a dead heat at the top
    std::vector<std::string> notes; // each value left empty, and why
};

// A race the programme alone rules out: cancelled, no win bet, more than 22 runners declared.
std::optional<RaceProblem> RefusalFromProgramme(const ProgrammeCourse& course);

// The race from its programme entry, its runners and its payouts (null while not published).
// Non-runners and odds that cannot be written leave their slots empty; the arrival and the
// payouts are written together, once both are published.
std::variant<ImportedRace, RaceProblem> ImportRace(const ProgrammeCourse& course,
                                                   const RunnersDocument& runners,
                                                   const PayoutsDocument* payouts);

// Writes the texts into the five fields' slots; every other byte stays as it was.
void WriteImportedFields(RaceRecord& record, const ImportedFields& fields);

// 16 hexadecimal digits (FNV-1a, 64 bits) of the bytes the importer writes: the runner count
// and the slots of the payouts, the arrival and both odds.
std::string FieldsFingerprint(const RaceRecord& record);

// Whether two records hold the same bytes in those slots.
bool SameImportedBytes(const RaceRecord& a, const RaceRecord& b);

} // namespace sg
