#include "racefile/RaceSlots.h"

namespace sg {

RaceSlot RunnerCountSlot() {
    return {RaceField::RunnerCount, 1, LayoutOf(RaceField::RunnerCount).width};
}

std::optional<RaceSlot> PayoutSlot(int index) {
    if (index < 0 || index >= PayoutSlotCount) return std::nullopt;
    return RaceSlot{RaceField::Payouts, 10 * index + 1, 10};
}

std::optional<RaceSlot> ArrivalSlot(int index) {
    if (index < 1 || index > ArrivalSlotCount) return std::nullopt;
    return RaceSlot{RaceField::ArrivalOrder, 2 * index, 2};
}

std::optional<RaceSlot> OddsSlot(RaceField oddsField, int horse) {
    if (oddsField != RaceField::OddsPMU && oddsField != RaceField::OddsPMH) return std::nullopt;
    if (horse < 1 || horse > OddsHorseCount) return std::nullopt;
    return RaceSlot{oddsField, 5 * horse, 5};
}

RaceField OddsFieldOf(OddsSet set) {
    return set == OddsSet::PMH ? RaceField::OddsPMH : RaceField::OddsPMU;
}

const char* OddsSetName(OddsSet set) {
    return set == OddsSet::PMH ? "PMH" : "PMU";
}

} // namespace sg
