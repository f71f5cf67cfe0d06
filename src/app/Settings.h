// The settings of the options window, and the user's decimal separator. They last one run.
#pragma once

#include "racefile/RaceSlots.h"

#include <cstdint>

namespace sg {

struct Settings {
    std::int16_t OddsOffset = 0;         // 0: odds typed; -1: payouts including the stake
    OddsSet OddsKind = OddsSet::PMH;     // the odds set races are loaded from and saved to
    bool ShowArrivalOnRaceChange = true; // false: the arrival shows only after a play
    char DecimalSeparator = '.';         // the user's, for the amount formats
};

} // namespace sg
