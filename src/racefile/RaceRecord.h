// One race: the 17000-byte record of a race file, kept as raw bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace sg {

inline constexpr std::size_t RaceRecordSize = 17000;

class RaceRecord {
  public:
    std::array<std::uint8_t, RaceRecordSize> bytes{};
};

} // namespace sg
