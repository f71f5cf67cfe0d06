#include "racefile/RaceSlots.h"

namespace sg {

RaceField OddsFieldOf(OddsSet set) {
    return set == OddsSet::PMH ? RaceField::OddsPMH : RaceField::OddsPMU;
}

const char* OddsSetName(OddsSet set) {
    return set == OddsSet::PMH ? "PMH" : "PMU";
}

} // namespace sg
