// Which races a comparison plays: each filter is optional and looks at the race as the
// strategy's own odds set shows it (its runners, its favourite, its book) or, for races the
// importer brought in, at their line in the index beside the race file.
#pragma once

#include "ledger/PreparedRace.h"
#include "racefile/RaceIndex.h"

#include <optional>
#include <string>
#include <vector>

namespace sg {

// From low to high, both included.
template <typename T> struct Bounds {
    T low{}, high{};
    bool Holds(T value) const { return value >= low && value <= high; }
};

// A date range open at either end: from the first date, or to the last (as DateKey).
inline constexpr int FirstDateKey = 0, LastDateKey = 99999999;
inline Bounds<int> DatesBetween(std::optional<int> from, std::optional<int> to) {
    return {from.value_or(FirstDateKey), to.value_or(LastDateKey)};
}

struct RaceFilters {
    std::optional<Bounds<int>> runners;          // the runner count
    std::optional<Bounds<double>> favouriteOdds; // the odds of row 1 (as stored, offset added)
    std::optional<Bounds<double>> bookPercent;   // PreparedOdds::bookPercent
    std::optional<Bounds<int>> dates;            // DateKey of the index's date
    std::vector<std::string> hippodromes;        // any of them; empty: any hippodrome
    std::vector<std::string> disciplines;        // any of them; empty: any discipline

    bool Any() const;
    // Whether a filter reads the index: races without an index line are then left out.
    bool NeedsIndex() const;
    // Whether the race is played with the odds set; `entry` is its index line, if any.
    bool Keeps(const PreparedOdds& odds, const RaceIndexEntry* entry) const;
};

// Names compared as a user types them: blanks at both ends and the case of ASCII letters do
// not count ("vincennes " is "VINCENNES").
bool SameName(const std::string& a, const std::string& b);

} // namespace sg
