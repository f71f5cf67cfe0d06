#include "numbers/OddsText.h"

#include "numbers/Numbers.h"

#include <algorithm>

namespace sg {

std::optional<double> ConvertOddsText(std::string_view text) {
    auto slash = text.find('/');
    if (slash == std::string_view::npos) return LeadingNumber(text);
    auto denominator = LeadingNumber(text.substr(slash + 1));
    auto numerator = LeadingNumber(text.substr(0, slash));
    if (!denominator || !numerator) return std::nullopt;
    if (*denominator > 0) {
        auto quotient = Divide(*numerator, *denominator);
        if (!quotient) return std::nullopt;
        auto single = ToSingle(*quotient);
        if (!single) return std::nullopt;
        return *single;
    }
    if (*denominator == 0) {
        auto single = ToSingle(*numerator);
        if (!single) return std::nullopt;
        return *single;
    }
    return 0.0;
}

bool IsPickerText(std::string_view text) {
    return text.find_first_of(",./") == std::string_view::npos;
}

namespace {

std::optional<int> PickerValueOf(std::optional<double> number) {
    if (!number) return std::nullopt;
    auto rounded = RoundHalfEvenInt16(*number);
    if (!rounded || *rounded < 1 || *rounded > 120) return std::nullopt;
    return *rounded;
}

} // namespace

std::optional<int> PickerValueFor(std::string_view text) {
    return PickerValueOf(LeadingNumber(text));
}

OddsBoxChange OddsTextChanged(std::string_view text, int oddsOffset) {
    OddsBoxChange change;
    if (!text.empty() && text.back() == ',') {
        // Each rewrite replaces the first comma and, while the text still ends with one, is
        // itself corrected again: the chain ends once every comma is a point. One rewrite does
        // it, so a pasted text of thousands of commas costs one change, not one per comma.
        std::string corrected(text);
        std::replace(corrected.begin(), corrected.end(), ',', '.');
        change.rewrite = std::move(corrected);
        return change;
    }
    // A plain text is its leading number, which the picker reads too: read once.
    auto number = LeadingNumber(text);
    auto value = text.find('/') == std::string_view::npos ? number : ConvertOddsText(text);
    if (value) change.odds = StoredOddsOf(*value, oddsOffset);
    change.picker = PickerValueOf(number);
    return change;
}

std::optional<float> StoredOddsOf(double value, int oddsOffset) {
    auto single = ToSingle(value);
    if (!single) return std::nullopt;
    return ToSingle(double(*single) + oddsOffset);
}

} // namespace sg
