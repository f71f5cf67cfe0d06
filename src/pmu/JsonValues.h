// The few ways the PMU readers look into a parsed document: members that may be missing, and
// numbers and texts that may be of another type. Only the readers' sources include it.
#pragma once

#include "pmu/DocumentResult.h"

#include <nlohmann/json.hpp>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace sg {

using Json = nlohmann::json;

// The parsed document, or where its JSON breaks off. Only the members a reader uses are kept:
// those of the root object, and deeper ones whose key is listed; the others are read past
// without being built, which spares most of the work on the service's larger documents.
DocumentResult<Json> ParseJson(std::string_view text,
                               std::initializer_list<std::string_view> keptKeys);

// The member of an object; null when the value is no object or has no such member.
const Json* Member(const Json* object, const char* key);

// A whole number: an integer, or a number without fraction; empty for anything else.
std::optional<long long> WholeNumber(const Json* value);

// Whether the value is missing or null.
inline bool Absent(const Json* value) {
    return value == nullptr || value->is_null();
}

// A text; empty for anything else.
std::string Text(const Json* value);

// The list of bets of a payouts or pools document: the document itself when it is a list, or
// the first list among its members whose entries carry a "typePari"; null for neither.
const Json* BetList(const Json& document);

} // namespace sg
