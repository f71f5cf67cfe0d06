// Odds as the user types them: plain numbers or fractions such as "9/2".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sg {

// The odds text as a number: the leading number of a plain text; for a fraction n/d the
// quotient in single precision (n alone when d is 0, 0 when d is negative). Empty when the
// text holds a number beyond the range of its type.
std::optional<double> ConvertOddsText(std::string_view text);

// The odds picker is offered only for plain whole odds: no comma, point or slash in the text.
bool IsPickerText(std::string_view text);

// What one change of an odds box leads to.
struct OddsBoxChange {
    // A trailing comma typed is turned into a point at once, and so is every other comma (the
    // correction repeats while the text ends with a comma): write this text back into the box
    // and stop, since that write is itself a change that does the rest.
    std::optional<std::string> rewrite;
    std::optional<float> odds; // the value to store, offset included; empty keeps the old one
    std::optional<int> picker; // the picker's new value; empty keeps it (outside 1..120)
};
OddsBoxChange OddsTextChanged(std::string_view text, int oddsOffset);

// The odds an odds box stores for the value its text reads: in single precision, the offset
// added; empty when either step goes beyond single precision.
std::optional<float> StoredOddsOf(double value, int oddsOffset);

// The picker value for a text: its leading number rounded half to even, when within 1..120.
std::optional<int> PickerValueFor(std::string_view text);

} // namespace sg
