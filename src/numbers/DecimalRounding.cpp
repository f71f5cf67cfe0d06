#include "numbers/DecimalRounding.h"

#include "numbers/Numbers.h"

#include <cmath>

namespace sg {

std::optional<std::string> RoundedDecimalText(double value, int decimals) {
    if (!std::isfinite(value) || decimals < 0 || decimals > 15) return std::nullopt;
    std::string digits = PlainText(std::fabs(value)); // "12.345", "105", "0.5"
    std::size_t point = digits.find('.');
    if (point == std::string::npos) point = digits.size();
    std::string whole = digits.substr(0, point);
    std::string fraction = point < digits.size() ? digits.substr(point + 1) : "";
    if (fraction.size() > static_cast<std::size_t>(decimals)) {
        std::string rest = fraction.substr(static_cast<std::size_t>(decimals));
        fraction.resize(static_cast<std::size_t>(decimals));
        bool above = rest[0] > '5' ||
                     (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
        bool half = rest[0] == '5' && !above;
        std::string kept = whole + fraction;
        bool odd = (kept.back() - '0') % 2 == 1;
        if (above || (half && odd)) {
            // The carry runs from the last kept digit towards the first.
            std::size_t i = kept.size();
            while (i > 0 && kept[i - 1] == '9') kept[--i] = '0';
            if (i == 0)
                kept.insert(0, 1, '1');
            else
                ++kept[i - 1];
        }
        whole = kept.substr(0, kept.size() - fraction.size());
        fraction = kept.substr(kept.size() - fraction.size());
    }
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    std::string text = fraction.empty() ? whole : whole + "." + fraction;
    bool zero = text.find_first_not_of("0.") == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + text;
}

} // namespace sg
