// The numeric value of a horse's odds slot, used to sort the runners by their stored odds.
#pragma once

#include <optional>
#include <string_view>

namespace sg {

// A text with "/" is a fraction: the leading number of the whole text (it stops at the "/")
// rounded to a whole number, halves to even, divided by the leading number of the text after
// the first "/", where a denominator of 0 counts as 1. Any other text is its leading number.
// The value is kept in single precision; 0 means no odds are stored.
// Empty when a step fails: a number beyond the range of a double, a numerator beyond a 32-bit
// whole number, or a value beyond single precision. The caller then passes over the horse.
std::optional<float> OddsSlotValue(std::string_view text);

} // namespace sg
