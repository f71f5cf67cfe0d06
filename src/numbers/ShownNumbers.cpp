#include "numbers/ShownNumbers.h"

#include "numbers/Numbers.h"

#include <charconv>
#include <string>

namespace sg {

namespace {

constexpr double PowersOfTen[] = {1e0, 1e1, 1e2, 1e3,  1e4,  1e5, 1e6,
                                  1e7, 1e8, 1e9, 1e10, 1e11, 1e12};

} // namespace

double GeneralTextValue(float value) {
    double magnitude = std::fabs(static_cast<double>(value));
    if (magnitude == 0) return 0.0;
    if (magnitude < 1e7 && value == static_cast<float>(static_cast<std::int32_t>(value)))
        return value; // a whole number is written as its digits
    if (std::isfinite(value) && magnitude >= 1e-5 && magnitude < 1e7) {
        // Seven significant digits: the value times 10^s lies in [10^6, 10^7). The product of
        // 24 bits and a power of five up to 5^12 is exact, so rounding it halves to even, as
        // the conversion rounds, gives the digits; their quotient by the power of ten is the
        // correctly rounded reading of the text, as the leading-number parse reads it.
        int shift = 0;
        if (magnitude >= 1) {
            int exponent = 0;
            while (exponent < 6 && magnitude >= PowersOfTen[exponent + 1]) ++exponent;
            shift = 6 - exponent;
        } else {
            shift = 7;
            while (magnitude * PowersOfTen[shift] < 1e6) ++shift; // at most 11 from 1e-5 up
        }
        double digits = RoundHalfEven(magnitude * PowersOfTen[shift]);
        double read = digits / PowersOfTen[shift];
        return value < 0 ? -read : read;
    }
    return LeadingNumberOr0(GeneralText(value));
}

double WholeTextValueFromText(float value) {
    return LeadingNumberOr0(PlainText(value == 0 ? 0.0f : value));
}

std::optional<std::int64_t> AmountCentsFromText(float value) {
    if (!std::isfinite(value)) return std::nullopt;
    std::string text = FormatAmount(std::fabs(value), AmountFormat::ZeroDotZeroZero, '.');
    text.erase(text.size() - 3, 1); // the point: whole cents
    std::int64_t cents = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), cents);
    if (ec != std::errc() || end != text.data() + text.size() || cents > (1LL << 53))
        return std::nullopt;
    return cents;
}

double AmountValueFromText(float value) {
    return LeadingNumberOr0(Amount(value, '.'));
}

} // namespace sg
