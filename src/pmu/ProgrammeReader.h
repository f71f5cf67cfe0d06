// The day's programme as the service publishes it: its meetings, their races, and what the
// importer needs of each race (name, start, runners declared, arrival, whether it was run).
#pragma once

#include "pmu/DocumentResult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

struct ProgrammeCourse {
    int number = 0; // C
    std::string name;
    std::string discipline;
    std::optional<std::int64_t> startMilliseconds; // since 1970, UTC
    std::optional<long long> declaredRunners;
    bool cancelled = false;
    bool winBetOffered = false; // SIMPLE_GAGNANT or E_SIMPLE_GAGNANT among its bets
    // The arrival as published, one list a place ([[4, 7], [2]]: a dead heat for the first
    // place); empty until the race is run.
    std::vector<std::vector<long long>> arrival;
    bool arrivalDamaged = false; // an arrival that is not a list of lists of whole numbers
};

struct ProgrammeMeeting {
    int number = 0; // R
    std::string hippodrome;
    std::vector<ProgrammeCourse> courses; // by C number
};

struct DayProgramme {
    std::vector<ProgrammeMeeting> meetings; // by R number
    std::vector<std::string> notes;         // meetings or races left out, and why
};

// The programme document: an object whose "programme" holds "reunions". A meeting or race
// without a usable number (1 to 99), or numbered twice, is left out with a note.
DocumentResult<DayProgramme> ReadProgramme(std::string_view json);

// Every race has its arrival or is cancelled: the programme will not change any more.
bool IsFinalProgramme(const DayProgramme& programme);

} // namespace sg
