// The number rules of the whole program: how text becomes a number, how numbers become
// text, how values are rounded, and single-precision steps that can fail.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace sg {

// The leading number of a text: blanks, tabs and line feeds are passed over wherever they
// stand, then an optional sign, digits, "." as the only decimal point and an optional
// exponent; the first other character ends the number. A text without a leading number reads
// 0. Empty when the number lies beyond the range of a double (the reading fails).
std::optional<double> LeadingNumber(std::string_view text);

// The leading number where a failed reading counts as 0 (for tests of presence and the like).
double LeadingNumberOr0(std::string_view text);

// The nearest whole number, halves to the even neighbour, as nearbyint gives it in the default
// rounding mode (a zero may lose its sign), without its cost: nearbyint saves and restores the
// floating-point state at every call. Infinity and NaN come back as they are.
// (These small steps are inline: every computation takes them many times.)
inline double RoundHalfEven(double value) {
    if (!(std::fabs(value) < 0x1p52)) return value; // whole already, or not a number
    // Added to 2^52, whose neighbours are 1 apart, the value is rounded by the addition itself.
    double shift = std::copysign(0x1p52, value);
    return (value + shift) - shift;
}

// Rounds to the nearest whole number, halves to the even neighbour; empty outside the type.
inline std::optional<std::int16_t> RoundHalfEvenInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double rounded = RoundHalfEven(value);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}
inline std::optional<std::int32_t> RoundHalfEvenInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double rounded = RoundHalfEven(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

// A double stored as a single-precision value; empty when it does not fit (or is not a number).
inline std::optional<float> ToSingle(double value) {
    // Halfway between the largest single and 2^128 rounds up to infinity. (One comparison,
    // false for infinity and NaN too.)
    if (!(std::fabs(value) < 0x1.ffffffp127)) return std::nullopt;
    return static_cast<float>(value);
}

// A double that must stay finite (a step of double-precision arithmetic).
inline std::optional<double> Finite(double value) {
    if (!(std::fabs(value) <= std::numeric_limits<double>::max())) return std::nullopt;
    return value;
}

// a / b in double precision; empty for a division by zero or an overflow.
inline std::optional<double> Divide(double a, double b) {
    if (b == 0) return std::nullopt;
    return Finite(a / b);
}

// The general number-to-text conversion: a blank before a non-negative number (a minus sign
// otherwise), up to 7 significant digits for a single-precision value (15 for a double), the
// point as decimal mark, no zero before the point below 1, and an exponent such as "E+20" for
// values too large or too small to write plainly.
std::string GeneralText(float value);
std::string GeneralText(double value);

// The shortest decimal form that reads back to the same value of its type ("4.5", "-1").
std::string ShortestText(float value);
std::string ShortestText(double value);

// The shortest digits that read back to the value, without exponent ("1e39" gives a 1 and 39
// zeros); the plain number-to-text conversion of the digits alone.
std::string PlainText(float value);
std::string PlainText(double value);

// The amount formats: the value rounded to two decimals, halves away from zero, written with
// the given decimal separator. ".00" writes the whole part only when it is not 0; "0.00"
// always writes it. A value that rounds to zero is written without a sign.
enum class AmountFormat { DotZeroZero, ZeroDotZeroZero };
std::string FormatAmount(double value, AmountFormat format, char decimalSeparator);
std::string FormatAmount(float value, AmountFormat format, char decimalSeparator);

// Convenience for the ".00" format, the one used almost everywhere.
inline std::string Amount(double value, char decimalSeparator) {
    return FormatAmount(value, AmountFormat::DotZeroZero, decimalSeparator);
}
inline std::string Amount(float value, char decimalSeparator) {
    return FormatAmount(value, AmountFormat::DotZeroZero, decimalSeparator);
}

// A whole number as plain digits with a leading "-" when negative.
std::string WholeText(long long value);

// A whole number of euros in an amount format, exactly whatever its size: 35 gives "35.00",
// -35 gives "-35.00", 0 gives ".00" (or "0.00").
std::string WholeAmount(std::int64_t euros, char decimalSeparator,
                        AmountFormat format = AmountFormat::DotZeroZero);

// Text helpers shared by the screens' rules.
std::string Trim(std::string_view text);               // spaces removed at both ends
bool ReplaceFirstComma(std::string& text);             // "," -> "."; false when there was none
std::string PointForEveryComma(std::string_view text); // "3,4" -> "3.4"

// The text with its control characters written visibly (\n, \r, \t, \x1B, \u0085), so that a
// message quoting what the user gave stays on one line.
std::string VisibleControls(std::string_view text);

} // namespace sg
