// Journal entries the journal's tests write.
#pragma once

#include "ledger/Journal.h"

#include <string>

namespace sg {

inline const DateAndTime Noon{"07/12/2025", "12:00:00"};

inline JournalEntry Play(const std::string& date, const std::string& file, std::int64_t staked,
                         std::int64_t won) {
    JournalEntry entry;
    entry.when = {date, "10:00:00"};
    entry.raceFile = file;
    entry.race = file.empty() ? 0 : 1;
    entry.horses = "n° 1";
    entry.stakedCents = staked * 100;
    entry.wonCents = won * 100;
    return entry;
}

} // namespace sg
