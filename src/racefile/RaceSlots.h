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
inline RaceSlot RunnerCountSlot() {
    return {RaceField::RunnerCount, 1, LayoutOf(RaceField::RunnerCount).width};
}

// Payout slot 0 to 3: characters 10i + 1 to 10i + 10 of Payouts. Empty for another index, so
// that the reserved characters after the fourth slot cannot be reached.
inline std::optional<RaceSlot> PayoutSlot(int index) {
    if (index < 0 || index >= PayoutSlotCount) return std::nullopt;
    return RaceSlot{RaceField::Payouts, 10 * index + 1, 10};
}

// Arrival slot 1 to 5: characters 2i and 2i + 1 of ArrivalOrder. Empty for another index.
inline std::optional<RaceSlot> ArrivalSlot(int index) {
    if (index < 1 || index > ArrivalSlotCount) return std::nullopt;
    return RaceSlot{RaceField::ArrivalOrder, 2 * index, 2};
}

// The odds of horse 1 to 22: characters 5n to 5n + 4 of OddsPMU or OddsPMH. Empty for another
// horse or field. A position computed from another number goes through
// RaceRecord::SetSlot(field, start, 5, text) and its edge rules instead.
inline std::optional<RaceSlot> OddsSlot(RaceField oddsField, int horse) {
    if (oddsField != RaceField::OddsPMU && oddsField != RaceField::OddsPMH) return std::nullopt;
    if (horse < 1 || horse > OddsHorseCount) return std::nullopt;
    return RaceSlot{oddsField, 5 * horse, 5};
}

// The two odds sets a race keeps: the final odds (PMH) and the intermediate odds (PMU).
enum class OddsSet { PMH, PMU };

// The odds field of a set, and the set's name as the options show it ("PMH", "PMU").
RaceField OddsFieldOf(OddsSet set);
const char* OddsSetName(OddsSet set);

} // namespace sg
