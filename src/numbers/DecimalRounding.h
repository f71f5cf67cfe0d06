// Numbers read from documents (odds, amounts) rounded on the decimal digits they were written
// with, halves to even, rather than on their nearest binary value: 12.345 rounds to 12.34.
#pragma once

#include <optional>
#include <string>

namespace sg {

// The value rounded to at most `decimals` decimals (0 to 15), halves to even on the shortest
// decimal writing that reads back to it, with a point and without trailing zeros ("12.25",
// "105.5", "999", "-0.5"). Empty for a value that is not a finite number.
std::optional<std::string> RoundedDecimalText(double value, int decimals);

} // namespace sg
