#include "pmu/SlotTexts.h"

#include "numbers/DecimalRounding.h"

namespace sg {

namespace {

constexpr std::size_t OddsWidth = 5;
constexpr std::size_t PayoutWidth = 10;

} // namespace

std::optional<std::string> OddsSlotText(double odds) {
    if (!(odds > 0)) return std::nullopt; // NaN too
    for (int decimals = 2; decimals >= 0; --decimals) {
        auto text = RoundedDecimalText(odds, decimals);
        if (!text) return std::nullopt;
        if (text->size() > OddsWidth) continue;
        if (*text == "0") return std::nullopt;
        return text;
    }
    return std::nullopt;
}

std::optional<std::string> PayoutSlotText(long long centsPerEuro) {
    if (centsPerEuro <= 0) return std::nullopt;
    std::string text = std::to_string(centsPerEuro / 100);
    if (long long cents = centsPerEuro % 100; cents != 0) {
        text += cents < 10 ? ".0" + std::to_string(cents) : "." + std::to_string(cents);
        if (text.back() == '0') text.pop_back();
    }
    if (text.size() > PayoutWidth) return std::nullopt;
    return text;
}

} // namespace sg
