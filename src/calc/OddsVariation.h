// How a horse's odds moved between the first and the latest reading of the variation window.
#pragma once

#include <optional>
#include <string>

namespace sg {

struct Variation {
    std::string text;     // "Inchangée", "Moins  .5", "Plus  3"
    int red, green, blue; // yellow unchanged, green fallen, cyan risen
};

// From the first and the latest odds text of a column, read as odds texts are (a fraction too,
// without the odds convention). Empty when either cannot be read or the difference cannot
// be held: the label then stays as it was.
std::optional<Variation> OddsVariation(std::optional<double> first, std::optional<double> last);

} // namespace sg
