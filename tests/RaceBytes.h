// Race files made by hand for a test: a race from its runner count, odds and result, and
// records' bytes one after the other.
#pragma once

#include "racefile/RaceRecord.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace sg {

// Horses 1, 2, ... take the odds given in `set`; the winner and its payout go in their slots.
inline RaceRecord MadeRace(const std::string& runners, const std::vector<std::string>& odds,
                           const std::string& winner = "", const std::string& payout = "",
                           RaceField set = RaceField::OddsPMH) {
    RaceRecord race;
    race.SetField(RaceField::RunnerCount, runners);
    for (std::size_t i = 0; i < odds.size(); ++i)
        race.SetSlot(*OddsSlot(set, static_cast<int>(i) + 1), odds[i]);
    race.SetSlot(*ArrivalSlot(1), winner);
    race.SetSlot(*PayoutSlot(0), payout);
    return race;
}

inline std::vector<std::uint8_t> FileOf(const std::vector<RaceRecord>& races) {
    std::vector<std::uint8_t> bytes;
    for (const RaceRecord& race : races)
        bytes.insert(bytes.end(), race.Raw().begin(), race.Raw().end());
    return bytes;
}

inline void WriteRaceFile(const std::filesystem::path& path, const std::vector<RaceRecord>& races) {
    auto bytes = FileOf(races);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace sg
