#include "racefile/OddsSlotValue.h"

#include "numbers/Numbers.h"

namespace sg {

std::optional<float> OddsSlotValue(std::string_view text) {
    auto slash = text.find('/');
    if (slash == std::string_view::npos) {
        auto value = LeadingNumber(text);
        if (!value) return std::nullopt;
        return ToSingle(*value);
    }
    auto numeratorValue = LeadingNumber(text);
    if (!numeratorValue) return std::nullopt;
    auto numerator = RoundHalfEvenInt32(*numeratorValue);
    auto denominator = LeadingNumber(text.substr(slash + 1));
    if (!numerator || !denominator) return std::nullopt;
    auto quotient = Divide(*numerator, *denominator == 0 ? 1.0 : *denominator);
    if (!quotient) return std::nullopt;
    return ToSingle(*quotient);
}

} // namespace sg
