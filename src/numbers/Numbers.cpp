#include "numbers/Numbers.h"

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

// Rounds the decimal writing of a non-negative value to two decimals, halves away from zero.
std::string RoundDecimalText(const std::string& digits) {
    auto point = digits.find('.');
    std::string all = digits.substr(0, point);
    if (all.empty()) all.push_back('0');
    std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);
    bool roundUp = fraction.size() > 2 && fraction[2] >= '5';
    fraction.resize(2, '0');
    all += fraction;
    if (roundUp) {
        int i = static_cast<int>(all.size()) - 1;
        for (; i >= 0 && all[i] == '9'; --i) all[i] = '0';
        if (i < 0) {
            all.insert(all.begin(), '1');
        } else {
            ++all[i];
        }
    }
    all.insert(all.size() - 2, 1, '.');
    return all;
}

// The shortest digits that read back to the value, written without an exponent (1e39 gives
// a 1 and 39 zeros rather than the binary value's noise digits).
// Infinity and NaN have no digits to write: they give an empty text.
template <typename T> std::string ShortestFixed(T value) {
    if (!std::isfinite(value)) return "";
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific);
    if (ec != std::errc()) return "";
    std::string text(buffer.data(), end);
    auto e = text.find('e');
    if (e == std::string::npos) return "";
    const char* exponentText = text.data() + e + 1;
    if (*exponentText == '+') ++exponentText;
    int exponent = 0;
    std::from_chars(exponentText, text.data() + text.size(), exponent);
    std::string digits;
    for (char c : text.substr(0, e)) {
        if (IsDigit(c)) digits += c;
    }
    if (exponent >= 0) {
        if (static_cast<int>(digits.size()) <= exponent + 1)
            return digits + std::string(exponent + 1 - digits.size(), '0');
        return digits.substr(0, exponent + 1) + "." + digits.substr(exponent + 1);
    }
    return "0." + std::string(-exponent - 1, '0') + digits;
}

template <typename T> std::string FormatAmountOf(T value, AmountFormat format, char separator) {
    if (!std::isfinite(value)) return "";
    std::string rounded = RoundDecimalText(ShortestFixed(std::fabs(value)));
    bool isZero = rounded.find_first_not_of("0.") == std::string::npos;
    auto point = rounded.find('.');
    std::string whole = rounded.substr(0, point);
    // Leading zeros cannot arise except for the single "0" of values below 1.
    if (whole == "0" && format == AmountFormat::DotZeroZero) whole.clear();
    std::string text = whole + separator + rounded.substr(point + 1);
    return (value < 0 && !isZero) ? "-" + text : text;
}

template <typename T> std::string GeneralTextOf(T value, int precision) {
    if (!std::isfinite(value)) return "";
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

} // namespace

std::optional<double> LeadingNumber(std::string_view text) {
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

std::optional<std::int16_t> RoundHalfEvenInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int32_t> RoundHalfEvenInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    double rounded = std::nearbyint(value);
    if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::optional<float> ToSingle(double value) {
    // Halfway between the largest single and 2^128 rounds up to infinity.
    if (!std::isfinite(value) || std::fabs(value) >= 0x1.ffffffp127) return std::nullopt;
    return static_cast<float>(value);
}

std::optional<double> Finite(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<double> Divide(double a, double b) {
    if (b == 0) return std::nullopt;
    return Finite(a / b);
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

std::string WholeAmount(std::int64_t euros, char decimalSeparator) {
    std::string whole = euros == 0 ? "" : std::to_string(euros);
    return whole + decimalSeparator + "00";
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

bool ReplaceFirstComma(std::string& text) {
    auto comma = text.find(',');
    if (comma == std::string::npos) return false;
    text[comma] = '.';
    return true;
}

} // namespace sg
