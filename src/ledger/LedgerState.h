// The arrival of the current race and the running balance of the plays, shared by every
// window for the whole run.
#pragma once

#include <array>
#include <cstdint>

namespace sg {

struct LedgerState {
    std::int64_t TotalStakes = 0;           // staked by every play since start or the last reset
    std::int64_t TotalGains = 0;            // returned by those plays
    std::array<double, 6> ArrivalNumbers{}; // horse numbers of places 1..5; 0 means no horse
};

} // namespace sg
