// The index beside a race file that the importer keeps (FILE.tur.index.csv): for each race it
// brought in, where the race comes from (date, meeting, race, hippodrome...) and a fingerprint
// of the five fields as it wrote them. Races without a line are races of the sibling programs
// or typed by hand.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

inline constexpr const char* RaceIndexHeader = "Course;Date;Réunion;Course PMU;Hippodrome;Nom;"
                                               "Discipline;Départ;Canal;Masse gagnant;Empreinte";

struct RaceIndexEntry {
    std::int32_t race = 0;  // the record number in the race file
    std::string date;       // JJ/MM/AAAA
    int meeting = 0;        // the R number of the day
    int course = 0;         // the C number of the meeting
    std::string hippodrome; // as the service names it
    std::string name;       // the race's name
    std::string discipline; // as the service names it (PLAT, ATTELE...)
    std::string start;      // HH:MM, local time; may be empty
    std::string channel;    // the pool whose payouts were used: "national" or "internet"
    std::optional<std::int64_t> winPoolCents; // the win pool's total, when the service gives it
    std::string fingerprint;                  // of the five fields as written

    friend bool operator==(const RaceIndexEntry&, const RaceIndexEntry&) = default;
};

// "FILE.tur" gives "FILE.tur.index.csv".
std::string RaceIndexPathOf(const std::string& raceFilePath);

// A date JJ/MM/AAAA as the number AAAAMMJJ, for ranges; empty for a date that does not exist.
std::optional<int> DateKey(std::string_view date);

// One line of the index (no line end), the win pool in euros with a decimal comma.
std::string RaceIndexLine(const RaceIndexEntry& entry);

// The entry of one line; empty when the line is damaged (fields missing, a race number or a
// date that cannot be, a quote left open...).
std::optional<RaceIndexEntry> ParseRaceIndexLine(std::string_view line);

struct RaceIndex {
    std::vector<RaceIndexEntry> entries; // by race number, one per race
    std::vector<std::string> notes;      // one French line per damaged line skipped

    // The race's entry, or none.
    const RaceIndexEntry* Find(std::int32_t race) const;
};

// The index of a text: the header line first (or none), then a line per race. A later line for
// a race replaces an earlier one, so updates can be appended; a damaged line (the last one cut
// short by a kill, say) is skipped with a note.
RaceIndex ParseRaceIndex(std::string_view content);

// The index beside the race file; empty (without notes) when there is none.
RaceIndex ReadRaceIndex(const std::string& raceFilePath);

// The whole text of an index: the header, then the entries in the order given.
std::string RaceIndexText(const std::vector<RaceIndexEntry>& entries);

} // namespace sg
