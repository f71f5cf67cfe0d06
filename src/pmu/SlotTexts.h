// How a value of the service becomes the text of a record's slot: odds in 5 characters, a
// payout in 10.
#pragma once

#include <optional>
#include <string>

namespace sg {

// Odds rounded, halves to even, to the most decimals (at most two) that fit in 5 characters,
// trailing zeros dropped: 2.3, 12, 12.25, 105.5, 999. Empty for odds that cannot fit, are not
// positive (or round to 0) or are not a number.
std::optional<std::string> OddsSlotText(double odds);

// A payout of so many cents for 1 euro, in euros with a point and no trailing zero: 460 gives
// "4.6", 205 "2.05", 1250 "12.5". Empty when not positive or longer than 10 characters.
std::optional<std::string> PayoutSlotText(long long centsPerEuro);

} // namespace sg
