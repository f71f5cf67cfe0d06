// What the texts of the number-to-text conversions read back as, found without writing them:
// a back-test plays every race as the windows do, where each odds and each stake goes through
// a text and back, and writing millions of texts would cost most of its time. Each function
// gives exactly the leading number of the text; where a quick test cannot be sure of the last
// digit, it writes the text and reads it. The quick tests are inline: a comparison of
// strategies takes them millions of times.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

namespace sg {

// LeadingNumber(GeneralText(value)): the value to seven significant digits, read as a double.
double GeneralTextValue(float value);

// The slow halves of the functions below: the text written and read.
double WholeTextValueFromText(float value);
std::optional<std::int64_t> AmountCentsFromText(float value);

// LeadingNumber(PlainText(value)) for a whole value, 0 written for a zero of either sign.
inline double WholeTextValue(float value) {
    // Whole numbers below 2^24 are single-precision values written with all their digits.
    if (std::fabs(value) < 16777216.0f &&
        value == static_cast<float>(static_cast<std::int32_t>(value)))
        return value == 0 ? 0.0 : value;
    return WholeTextValueFromText(value);
}

// The cents that the amount formats round |value| to (two decimals, from the shortest digits,
// halves away from zero); empty for infinity, NaN or an amount beyond 2^53 cents.
inline std::optional<std::int64_t> AmountCents(float value) {
    float magnitude = std::fabs(value);
    if (magnitude == 0) return 0;
    int exponent = static_cast<int>(std::bit_cast<std::uint32_t>(magnitude) >> 23);
    if (exponent > 0 && magnitude < 8192.0f) {
        // The shortest digits lie within half a unit in the last place of the value, less
        // than half a thousandth below 8192: when no thousandth lies that close, their
        // thousandths are the value's, whole; a value of whole thousandths is its own shortest
        // writing. (The product of 24 bits by 1000 is exact.)
        double thousandths = static_cast<double>(magnitude) * 1000.0;
        auto whole = static_cast<std::int64_t>(thousandths); // positive: cut is floor
        double fraction = thousandths - static_cast<double>(whole);
        double halfUnit =
            1000.0 * std::bit_cast<double>(static_cast<std::uint64_t>(exponent - 151 + 1023) << 52);
        if (fraction == 0 || (fraction > halfUnit && fraction < 1.0 - halfUnit))
            return (whole + 5) / 10;
    }
    return AmountCentsFromText(value);
}

// LeadingNumber(Amount(value, separator)) once a decimal comma is read as a point.
double AmountValueFromText(float value);
inline double AmountValue(float value) {
    if (auto cents = AmountCents(value)) {
        double read = static_cast<double>(*cents) / 100.0;
        return value < 0 && *cents != 0 ? -read : read;
    }
    return AmountValueFromText(value);
}

// Whether Amount(value, separator) starts with a minus sign: a negative value that does not
// round to zero.
inline bool AmountIsNegative(float value) {
    if (!std::isfinite(value) || !(value < 0)) return false;
    auto cents = AmountCents(value);
    return !cents || *cents != 0;
}

} // namespace sg
