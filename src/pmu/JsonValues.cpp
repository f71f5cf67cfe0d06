#include "pmu/JsonValues.h"

#include <cmath>

namespace sg {

DocumentResult<Json> ParseJson(std::string_view text) {
    try {
        return Json::parse(text);
    } catch (const Json::parse_error& error) {
        return DocumentError{DocumentProblem::Unreadable, "octet " + std::to_string(error.byte)};
    }
}

const Json* Member(const Json* object, const char* key) {
    if (object == nullptr || !object->is_object()) return nullptr;
    auto found = object->find(key);
    return found == object->end() ? nullptr : &*found;
}

std::optional<long long> WholeNumber(const Json* value) {
    if (value == nullptr) return std::nullopt;
    if (value->is_number_integer()) {
        if (value->is_number_unsigned() &&
            value->get<std::uint64_t>() > static_cast<std::uint64_t>(1LL << 53))
            return std::nullopt;
        return value->get<long long>();
    }
    if (value->is_number_float()) {
        double number = value->get<double>();
        if (!std::isfinite(number) || std::fabs(number) > 9e15 || std::trunc(number) != number)
            return std::nullopt;
        return static_cast<long long>(number);
    }
    return std::nullopt;
}

std::string Text(const Json* value) {
    return value != nullptr && value->is_string() ? value->get<std::string>() : std::string();
}

const Json* BetList(const Json& document) {
    if (document.is_array()) return &document;
    if (!document.is_object()) return nullptr;
    for (const auto& [key, value] : document.items()) {
        if (value.is_array() && !value.empty() && Member(&value.front(), "typePari")) return &value;
    }
    return nullptr;
}

} // namespace sg
