// The runners of a race as the service publishes them: number, name, whether the horse runs,
// and its last direct and reference odds.
#pragma once

#include "pmu/DocumentResult.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sg {

// An odds value as the document gives it: none published yet, a number, or something else.
struct OddsReading {
    enum class State { Absent, Number, NotANumber } state = State::Absent;
    double value = 0;
};

struct PmuRunner {
    std::optional<long long> number; // numPmu, when a whole number
    std::string name;
    bool nonRunner = false; // statut NON_PARTANT
    OddsReading direct;     // dernierRapportDirect.rapport: the final odds
    OddsReading reference;  // dernierRapportReference.rapport: the intermediate odds
};

struct RunnersDocument {
    std::vector<PmuRunner> runners; // in the document's order
};

// The participants document: an object whose "participants" is the list of runners, or that
// list itself. Every runner must be an object.
DocumentResult<RunnersDocument> ReadParticipants(std::string_view json);

} // namespace sg
