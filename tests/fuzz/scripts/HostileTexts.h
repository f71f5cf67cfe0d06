// Texts a careless or hostile user could type or paste, and values for scroll bars and the
// mouse, all drawn from the script's own random generator.
#pragma once

#include "Rng.h"

#include <string>

namespace sg {

// A text that may be anything but a line feed (a script line ends there): numbers written
// with `separator` or the other mark, fractions, huge and tiny exponents, thousands of
// commas, 100,000 characters, blanks, accents, quotes, control characters, broken UTF-8.
std::string HostileText(Rng& rng, char separator);

// A short text of the kind stored in a race record's slots.
std::string HostileSlotText(Rng& rng);

// A scroll-bar value as a script writes it: inside the range, at and past its ends, beyond
// a whole number, or no number at all.
std::string ScrollValueText(Rng& rng, int minimum, int maximum);

// A mouse coordinate in twips along a side of `size` twips: inside, negative or huge.
std::string CoordinateText(Rng& rng, int size);

} // namespace sg
