// The official payouts of a race (rapports définitifs) and the amounts staked on its bets
// (masse d'enjeux), as the service publishes them: both are lists of bets by "typePari".
#pragma once

#include "pmu/DocumentResult.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

struct PmuPayout {
    std::vector<long long> horses;         // the combination ("7", ["7"] or [7]: horse 7)
    std::optional<long long> centsPerEuro; // dividendePourUnEuro, stake included
};

struct PmuBet {
    std::string type; // typePari: SIMPLE_GAGNANT, E_SIMPLE_PLACE...
    std::vector<PmuPayout> payouts;
};

struct PayoutsDocument {
    std::vector<PmuBet> bets;

    // The bet of that type; null when the document has none.
    const PmuBet* Find(std::string_view type) const;
};

// A list of bets, at the root or under a key, each with its "typePari".
DocumentResult<PayoutsDocument> ReadPayouts(std::string_view json);

struct PoolTotal {
    std::string type;
    std::int64_t cents = 0; // totalEnjeu
};

// The amounts staked, by bet: a list of bets at the root or under a key, each with "typePari"
// and "totalEnjeu" in cents. Entries without a usable total are passed over.
DocumentResult<std::vector<PoolTotal>> ReadPools(std::string_view json);

} // namespace sg
