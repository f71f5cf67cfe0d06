#include "numbers/Numbers.h"

#include <algorithm>

#include <array>
#include <charconv>
#include <cmath>

namespace sg {

namespace {

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal exponent of the first significant digit of a mantissa such as "0012.5" or ".003".
long long LeadingDigitExponent(std::string_view mantissa) {
    long long beforePoint = 0;
    bool seenPoint = false, seenSignificant = false;
    long long zerosAfterPoint = 0;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
        } else if (!seenPoint) {
            if (c != '0' || seenSignificant) {
                seenSignificant = true;
                ++beforePoint;
            }
        } else if (!seenSignificant) {
            if (c == '0') {
                ++zerosAfterPoint;
            } else {
                seenSignificant = true;
            }
        }
    }
    return beforePoint > 0 ? beforePoint - 1 : -(zerosAfterPoint + 1);
}

// The shortest digits that read back to a finite non-negative value, and the power of ten of
// the first one: 4.5 gives "45" and 0, 1e39 gives "1" and 39.
struct ShortestDigits {
    std::array<char, 32> digits{};
    int count = 0;
    int exponent = 0;

    // The digit of weight 10^power, 0 outside the digits.
    char DigitAt(long long power) const {
        long long index = exponent - power;
        return index >= 0 && index < count ? digits[static_cast<std::size_t>(index)] : '0';
    }
};

template <typename T> ShortestDigits ShortestDigitsOf(T value) {
    ShortestDigits shortest;
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific);
    if (ec != std::errc()) return shortest;
    const char* c = buffer.data();
    for (; c < end && *c != 'e'; ++c) {
        if (IsDigit(*c)) shortest.digits[static_cast<std::size_t>(shortest.count++)] = *c;
    }
    if (c == end) return ShortestDigits{};
    ++c;
    if (c < end && *c == '+') ++c;
    std::from_chars(c, end, shortest.exponent);
    return shortest;
}

// The shortest digits that read back to the value, written without an exponent (1e39 gives
// a 1 and 39 zeros rather than the binary value's noise digits).
// Infinity and NaN have no digits to write: they give an empty text.
template <typename T> std::string ShortestFixed(T value) {
    if (!std::isfinite(value)) return "";
    ShortestDigits shortest = ShortestDigitsOf(value);
    if (shortest.count == 0) return "";
    // From the first whole digit ("0" below 1) to the last significant one.
    long long lowest = std::min(shortest.exponent - shortest.count + 1, 0);
    std::string text;
    for (long long power = std::max(shortest.exponent, 0); power >= lowest; --power) {
        text += shortest.DigitAt(power);
        if (power == 0 && lowest < 0) text += '.';
    }
    return text;
}

// The amount formats from the shortest digits of the value, rounded to two decimals halves
// away from zero: the rounding looks at the third decimal of that writing.
template <typename T> std::string FormatAmountOf(T value, AmountFormat format, char separator) {
    if (!std::isfinite(value)) return "";
    ShortestDigits shortest = ShortestDigitsOf(std::fabs(value));
    if (shortest.count == 0) shortest.exponent = -1; // no digits: zero
    // The whole part (at least one digit) and two decimals, then the carry of the rounding.
    std::string all;
    for (long long power = std::max(shortest.exponent, 0); power >= -2; --power)
        all += shortest.DigitAt(power);
    if (shortest.DigitAt(-3) >= '5') {
        auto i = static_cast<long long>(all.size()) - 1;
        for (; i >= 0 && all[static_cast<std::size_t>(i)] == '9'; --i)
            all[static_cast<std::size_t>(i)] = '0';
        if (i < 0) {
            all.insert(all.begin(), '1');
        } else {
            ++all[static_cast<std::size_t>(i)];
        }
    }
    bool isZero = all.find_first_not_of('0') == std::string::npos;
    std::size_t wholeLength = all.size() - 2;
    // Leading zeros cannot arise except for the single "0" of values below 1.
    if (wholeLength == 1 && all[0] == '0' && format == AmountFormat::DotZeroZero) wholeLength = 0;
    std::string text;
    if (value < 0 && !isZero) text += '-';
    text.append(all, all.size() - 2 - wholeLength, wholeLength);
    text += separator;
    text.append(all, all.size() - 2, 2);
    return text;
}

// Whole values below 10^precision are written by %g as their digits alone.
template <typename T> std::optional<std::string> WholeGeneralText(T value, int precision) {
    constexpr double Powers[] = {1e7, 1e15};
    double limit = precision == 7 ? Powers[0] : precision == 15 ? Powers[1] : 0;
    if (!(std::fabs(value) < limit) || value != std::trunc(value)) return std::nullopt;
    auto whole = static_cast<long long>(value);
    if (whole == 0) return " 0";
    std::string text = std::to_string(whole);
    return whole < 0 ? text : " " + text;
}

template <typename T> std::string GeneralTextOf(T value, int precision) {
    if (!std::isfinite(value)) return "";
    if (auto whole = WholeGeneralText(value, precision)) return *whole;
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::general, precision);
    if (ec != std::errc()) return "";
    std::string text(buffer.data(), end);
    bool negative = !text.empty() && text[0] == '-';
    if (negative) text.erase(0, 1);
    if (text.size() > 1 && text[0] == '0' && text[1] == '.') text.erase(0, 1);
    if (auto e = text.find('e'); e != std::string::npos) text[e] = 'E';
    if (text == "0" && negative) negative = false;
    return (negative ? "-" : " ") + text;
}

template <typename T> std::string ShortestTextOf(T value) {
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec != std::errc()) return "";
    return std::string(buffer.data(), end);
}

template <typename T> std::string PlainTextOf(T value) {
    std::string text = ShortestFixed(std::fabs(value));
    if (value < 0 && !text.empty()) text.insert(0, 1, '-');
    return text;
}

// The usual texts (a few digits, a point, no exponent) read without building the number's
// text: up to 15 significant digits and 22 decimals, the digits and the power of ten are both
// exact doubles, so their one quotient is the correctly rounded value that the general reading
// gives too. Empty for any other text, which the general reading takes.
std::optional<double> ShortLeadingNumber(std::string_view text) {
    static constexpr double PowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::uint64_t digits = 0;
    int significant = 0, decimals = 0;
    bool negative = false, seenPoint = false, anyDigit = false;
    std::size_t i = 0;
    while (i < text.size() && IsSkipped(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (IsSkipped(c)) continue;
        if (IsDigit(c)) {
            anyDigit = true;
            if (digits == 0 && c == '0') {
                decimals += seenPoint; // a leading zero only moves the point
                continue;
            }
            if (++significant > 15) return std::nullopt;
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            decimals += seenPoint;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) return std::nullopt;
    if (decimals > 22) return std::nullopt;
    double value = static_cast<double>(digits);
    if (decimals > 0) value /= PowersOfTen[decimals];
    return negative ? -value : value;
}

} // namespace

std::optional<double> LeadingNumber(std::string_view text) {
    if (auto value = ShortLeadingNumber(text)) return value;
    std::string mantissa, exponent;
    bool negative = false, seenPoint = false, anyDigit = false;
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && IsSkipped(text[i])) ++i;
    };
    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    for (;; ++i) {
        skip();
        if (i >= text.size()) break;
        char c = text[i];
        if (IsDigit(c)) {
            mantissa += c;
            anyDigit = true;
        } else if (c == '.' && !seenPoint) {
            mantissa += c;
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        std::string candidate;
        while (j < text.size() && IsSkipped(text[j])) ++j;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) candidate += text[j++];
        for (;; ++j) {
            while (j < text.size() && IsSkipped(text[j])) ++j;
            if (j >= text.size() || !IsDigit(text[j])) break;
            candidate += text[j];
        }
        if (!candidate.empty() && IsDigit(candidate.back())) exponent = candidate;
    }
    std::string number = mantissa + (exponent.empty() ? "" : "e" + exponent);
    double value = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) {
        if (mantissa.find_first_not_of("0.") == std::string::npos) return 0.0;
        long long power = 0;
        bool powerNegative = !exponent.empty() && exponent[0] == '-';
        for (char c : exponent) {
            if (IsDigit(c) && power < 1000000000LL) power = power * 10 + (c - '0');
        }
        long long magnitude = LeadingDigitExponent(mantissa) + (powerNegative ? -power : power);
        if (magnitude >= 0) return std::nullopt; // beyond the range of a double
        return 0.0;                              // too small to hold: reads as 0
    }
    if (ec != std::errc()) return 0.0;
    return negative ? -value : value;
}

double LeadingNumberOr0(std::string_view text) {
    return LeadingNumber(text).value_or(0.0);
}

std::string PlainText(float value) {
    return PlainTextOf(value);
}
std::string PlainText(double value) {
    return PlainTextOf(value);
}

std::string GeneralText(float value) {
    return GeneralTextOf(value, 7);
}
std::string GeneralText(double value) {
    return GeneralTextOf(value, 15);
}
std::string ShortestText(float value) {
    return ShortestTextOf(value);
}
std::string ShortestText(double value) {
    return ShortestTextOf(value);
}

std::string FormatAmount(double value, AmountFormat format, char decimalSeparator) {
    return FormatAmountOf(value, format, decimalSeparator);
}
std::string FormatAmount(float value, AmountFormat format, char decimalSeparator) {
    return FormatAmountOf(value, format, decimalSeparator);
}

std::string WholeText(long long value) {
    return std::to_string(value);
}

std::string WholeAmount(std::int64_t euros, char decimalSeparator, AmountFormat format) {
    bool noWhole = euros == 0 && format == AmountFormat::DotZeroZero;
    return (noWhole ? "" : std::to_string(euros)) + decimalSeparator + "00";
}

std::string Trim(std::string_view text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return "";
    auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string VisibleControls(std::string_view text) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte == '\n') {
            out += "\\n";
        } else if (byte == '\r') {
            out += "\\r";
        } else if (byte == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            out += {'\\', 'x', Hex[byte >> 4], Hex[byte & 15]};
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            // The C1 controls of UTF-8 (a line break U+0085 among them).
            out += {'\\', 'u', '0', '0', Hex[next >> 4], Hex[next & 15]};
            ++i;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

std::string PointForEveryComma(std::string_view text) {
    std::string pointed(text);
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    return pointed;
}

bool ReplaceFirstComma(std::string& text) {
    auto comma = text.find(',');
    if (comma == std::string::npos) return false;
    text[comma] = '.';
    return true;
}

} // namespace sg
