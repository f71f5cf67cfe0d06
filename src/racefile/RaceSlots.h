// The slots of the used fields: which characters of a field hold the runner count, each
// payout, each arrived horse and each horse's odds.
#pragma once

#include "racefile/RaceFields.h"

#include <optional>

namespace sg {

// Characters start to start + width - 1 of a field, counted from 1.
struct RaceSlot {
    RaceField field;
    int start;
    int width;
};

inline constexpr int PayoutSlotCount = 4;  // slots 0 to 3
inline constexpr int ArrivalSlotCount = 5; // slots 1 to 5
inline constexpr int OddsHorseCount = 22;  // horses 1 to 22

// The whole runner-count field (2 characters).
RaceSlot RunnerCountSlot();

// Payout slot 0 to 3: characters 10i + 1 to 10i + 10 of Payouts. Empty for another index, so
// that the reserved characters after the fourth slot cannot be reached.
std::optional<RaceSlot> PayoutSlot(int index);

// Arrival slot 1 to 5: characters 2i and 2i + 1 of ArrivalOrder. Empty for another index.
std::optional<RaceSlot> ArrivalSlot(int index);

// The odds of horse 1 to 22: characters 5n to 5n + 4 of OddsPMU or OddsPMH. Empty for another
// horse or field. A position computed from another number goes through
// RaceRecord::SetSlot(field, start, 5, text) and its edge rules instead.
std::optional<RaceSlot> OddsSlot(RaceField oddsField, int horse);

// The two odds sets a race keeps: the final odds (PMH) and the intermediate odds (PMU).
enum class OddsSet { PMH, PMU };

// The odds field of a set, and the set's name as the options show it ("PMH", "PMU").
RaceField OddsFieldOf(OddsSet set);
const char* OddsSetName(OddsSet set);

} // namespace sg
