// The documents the PMU publishes for a day and for each of its races, and where each one
// lives: its path on the service and its file in a folder laid out the same way (the source
// folder or the cache).
#pragma once

#include "pmu/Calendar.h"

#include <string>

namespace sg {

enum class DocumentKind {
    Programme,    // the day's meetings and races, with arrivals
    Participants, // the runners of a race, with their odds
    Payouts,      // the official payouts of a race
    Pools,        // the amounts staked on each bet of a race
};

struct DocumentRef {
    DocumentKind kind = DocumentKind::Programme;
    CalendarDay day;
    int meeting = 0; // R, 1 to 99 (races only)
    int course = 0;  // C, 1 to 99 (races only)
};

// Meetings and races are numbered 1 to 99: only such numbers ever reach a path.
inline bool IsMeetingOrCourseNumber(long long number) {
    return number >= 1 && number <= 99;
}

// "programme/05032024", "programme/05032024/R1/C2/participants"...
std::string ServicePath(const DocumentRef& document);

// "05032024.json", "05032024/R1/C2/participants.json"...
std::string FolderPath(const DocumentRef& document);

// "le programme du 05/03/2024", "les partants de R1 C2"...: what a message calls it.
std::string DocumentName(const DocumentRef& document);

} // namespace sg
