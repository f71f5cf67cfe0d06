// The races of a race file, open or built in memory: of each race only the used fields are
// read, a few hundred bytes, so a pass over thousands of races reads a small part of the file.
#pragma once

#include "racefile/Platform.h"
#include "racefile/RaceFieldsView.h"

#include <array>
#include <cstdint>
#include <span>

namespace sg {

// Room for the used fields of a race read from a file, or cut short by the end of the bytes,
// completed with zeros.
struct PartialRace {
    std::array<std::uint8_t, UsedFieldsEnd> bytes{};
};

class RaceSource {
  public:
    RaceSource() = default;
    // Races in memory, read in place.
    explicit RaceSource(std::span<const std::uint8_t> bytes)
        : bytes_(bytes), length_(bytes.size()) {}
    // Races of an open file of that length, read with positioned reads into `partial`.
    RaceSource(os::FileHandle file, std::uint64_t length) : file_(file), length_(length) {}

    // The length in records, halves to even, as the race file counts it.
    std::int32_t RaceCount() const;

    // Whether any byte of race n lies in the file.
    bool Holds(int race) const;

    // The used fields of race n (from 1). A race cut short by the end of the file, as a race
    // file reads it, is its bytes and then zeros; a race wholly past the end reads as zero
    // bytes. The view reads in place, or in `partial` where the bytes were copied.
    RaceFieldsView Race(int race, PartialRace& partial) const;

    // Asks the processor to fetch the used fields of race n of the odds set ahead of their
    // reading, in memory: the records lie far apart, beyond what it foresees by itself.
    void Prefetch(int race, RaceField oddsField) const;

  private:
    std::span<const std::uint8_t> bytes_;
    os::FileHandle file_ = os::NoFile;
    std::uint64_t length_ = 0;
};

} // namespace sg
