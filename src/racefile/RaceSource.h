// The races of a race file's bytes, whether mapped into memory or built in memory: each race's
// used fields are read in place, so a pass over thousands of races touches a few hundred bytes
// of each and copies nothing.
#pragma once

#include "racefile/RaceFieldsView.h"

#include <array>
#include <cstdint>
#include <span>

namespace sg {

// Room for the used fields of a race cut short by the end of the file, completed with zeros.
struct PartialRace {
    std::array<std::uint8_t, UsedFieldsEnd> bytes{};
};

class RaceSource {
  public:
    RaceSource() = default;
    explicit RaceSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // The length in records, halves to even, as the race file counts it.
    std::int32_t RaceCount() const;

    // Whether any byte of race n lies in the file.
    bool Holds(int race) const;

    // The used fields of race n (from 1). A race cut short by the end of the file, as a race
    // file reads it, is its bytes and then zeros: those few bytes are copied into `partial`,
    // which the view then reads. A race wholly past the end reads as zero bytes.
    RaceFieldsView Race(int race, PartialRace& partial) const;

    // Asks the processor to fetch the used fields of race n of the odds set ahead of their
    // reading: the records lie far apart, beyond what it foresees by itself.
    void Prefetch(int race, RaceField oddsField) const;

  private:
    std::span<const std::uint8_t> bytes_;
};

} // namespace sg
