#include "calc/OddsVariation.h"

#include "numbers/Numbers.h"

#include <cmath>

namespace sg {

std::optional<Variation> OddsVariation(std::optional<double> first, std::optional<double> last) {
    if (!first || !last) return std::nullopt;
    auto difference = ToSingle(*first - *last);
    if (!difference) return std::nullopt;
    float d = *difference;
    if (d == 0) return Variation{"Inchangée", 255, 255, 0};
    if (d > 0) return Variation{"Moins " + GeneralText(d), 0, 255, 0};
    return Variation{"Plus " + GeneralText(std::fabs(d)), 0, 255, 255};
}

} // namespace sg
