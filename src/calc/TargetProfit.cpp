#include "calc/TargetProfit.h"

#include "numbers/Numbers.h"

#include <cmath>

namespace sg {

ProfitReaction ReactToProfitText(const std::string& profitText) {
    auto value = LeadingNumber(profitText);
    return {value && *value < 1, !profitText.empty() && profitText[0] == '-'};
}

std::optional<std::string> WantedProfitFromProfitText(const std::string& profitText) {
    auto value = LeadingNumber(profitText);
    if (!value) return std::nullopt;
    return GeneralText(std::floor(*value));
}

bool ShowsPositiveProfit(const std::string& profitText) {
    return LeadingNumberOr0(profitText) > 0;
}

} // namespace sg
