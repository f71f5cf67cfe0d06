// What an import tells the user: a line a day while it runs, a summary at the end, and the line
// that stops it. sg-race prints them and the program's import window reads them back, so both
// show the same French texts.
#pragma once

#include "pmu/Calendar.h"
#include "pmu/ImportedRace.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

// How many of something, and where the first few were ("05/03/2024 R1 C3 (24 partants)").
struct Examples {
    static constexpr std::size_t Kept = 3;
    int count = 0;
    std::vector<std::string> first;
    void Add(std::string where);
    // "2 (05/03/2024 R1 C3, 06/03/2024 R2 C1)", "7 (..., ..., ... et 4 autres)"
    std::string Text() const;
};

struct DayCounts {
    int programmed = 0; // races in the day's programme
    int added = 0, updated = 0, unchanged = 0, refused = 0, leftAlone = 0;
};

struct ImportSummary {
    DayCounts races;                                 // all days together
    std::array<Examples, RaceRefusalCount> refusals; // by reason
    Examples leftAlone;                              // races changed since by another program
    Examples withoutResult; // imported without arrival and payouts (not published yet)
    Examples deadHeats;
    Examples emptyValues; // values left empty
    Examples otherNotes;  // meetings or races the programme numbers wrongly, days unreadable
    int fetched = 0;      // documents from the service (or read from the source folder)
    int fromCache = 0;
    bool sourceIsFolder = false;
    std::optional<int> firstRace; // the first race of the period in the file
};

// Why an import stopped before its end.
enum class ImportFailure {
    RaceFileUnusable,  // cannot be opened, or not a regular file
    AlreadyImporting,  // another import writes into the same file
    IndexUnreadable,   // there is an index, but it cannot be read
    RaceFileWrite,     // a record could not be written
    IndexWrite,        // the index could not be written
    SourceUnreachable, // the service does not answer, or refuses the day's programme
    FileFull,          // 32767 races
};

struct ImportError {
    ImportFailure failure;
    std::string detail;             // the reason given by the system or the source
    std::optional<CalendarDay> day; // the day it stopped at, when it had started one
    std::string Message() const;
};

// "05/03/2024 : 6 courses au programme ; 3 ajoutées, 3 refusées"
std::string DayLine(CalendarDay day, const DayCounts& counts);
// "05/03/2024 : programme non publié"
std::string DayLineWithout(CalendarDay day, const std::string& why);

// The closing summary, one line per kind of outcome that happened.
std::vector<std::string> SummaryLines(const ImportSummary& summary);

// The day a progress line is about; empty for a line of the summary.
std::optional<CalendarDay> DayOfLine(std::string_view line);

// The race "Première course importée : 12" names; empty for any other line.
std::optional<int> FirstRaceOfLine(std::string_view line);

// About how long an import of that many days takes: documents are fetched one at a time with a
// pause between two, while a folder is read at once.
double EstimatedImportSeconds(int days, bool network, double pauseSeconds);

// "moins d'une minute", "environ 12 min", "environ 3 h 05 min", "environ 9 jours"
std::string DurationText(double seconds);

} // namespace sg
