// libFuzzer target over the core's text rules: a text read as a number, numbers written as
// texts, the amount formats, odds texts, the slots of a race record and Windows-1252. Every
// rule runs on each input and is checked against what it promises, not only for crashes.
//
// An input is six bytes of parameters (a field, a slot's start and width, a horse) followed by
// the text; its bytes also fill the race record.
#include "numbers/Numbers.h"
#include "numbers/OddsText.h"
#include "racefile/OddsSlotValue.h"
#include "racefile/RaceRecord.h"
#include "racefile/Windows1252.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <span>
#include <string>

namespace {

using namespace sg;

// A broken promise aborts: libFuzzer keeps the input that shows it.
void Check(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

bool Same(std::optional<double> a, std::optional<double> b) {
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void CheckLeadingNumber(const std::string& text) {
    auto value = LeadingNumber(text);
    if (value) Check(std::isfinite(*value), "a leading number is finite");
    Check(LeadingNumberOr0(text) == value.value_or(0.0), "a failed reading counts as 0");
    Check(Same(LeadingNumber(text + "x"), value), "the first other character ends the number");
    Check(Same(LeadingNumber(" \t\n" + text), value), "leading blanks are passed over");
    auto first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos || (text[first] != '+' && text[first] != '-')) {
        auto negated = LeadingNumber("-" + text);
        Check(Same(negated, value ? std::optional(-*value) : std::nullopt),
              "a minus sign negates the number");
    }
}

// A double as a single; beyond the largest single, an infinity (the plain cast is undefined).
float AsSingle(double value) {
    if (std::fabs(value) > std::numeric_limits<float>::max())
        return std::signbit(value) ? -std::numeric_limits<float>::infinity()
                                   : std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// The text reads back as the same value of its type.
template <typename T> bool ReadsBack(const std::string& text, T value) {
    auto back = LeadingNumber(text);
    if (!back) return false;
    if constexpr (sizeof(T) == sizeof(float)) {
        return AsSingle(*back) == value;
    } else {
        return *back == value;
    }
}

// The distance from a value to its next neighbour away from zero.
template <typename T> double Ulp(T value) {
    T magnitude = std::fabs(value);
    return double(std::nextafter(magnitude, std::numeric_limits<T>::infinity())) -
           double(magnitude);
}

void CheckRounding(double value) {
    auto check = [&](auto whole) {
        if (!whole) return;
        double distance = std::fabs(double(*whole) - value);
        Check(distance <= 0.5, "rounding moves by half a unit at most");
        if (distance == 0.5) Check(*whole % 2 == 0, "a half rounds to the even neighbour");
    };
    check(RoundHalfEvenInt16(value));
    check(RoundHalfEvenInt32(value));
    if (std::isfinite(value) && std::fabs(value) < 32767)
        Check(RoundHalfEvenInt16(value).has_value(), "a value inside the type rounds");
    if (auto single = ToSingle(value)) Check(std::isfinite(*single), "a single is finite");
}

// "-?D*SEPDD": the whole part (without leading zeros), the separator, two decimals.
template <typename T> void CheckAmount(T value, AmountFormat format, char separator) {
    std::string text = FormatAmount(value, format, separator);
    if (!std::isfinite(value)) {
        Check(text.empty(), "an amount of no number is empty");
        return;
    }
    bool negative = !text.empty() && text[0] == '-';
    std::string body = text.substr(negative ? 1 : 0);
    Check(body.size() >= 3 && body[body.size() - 3] == separator &&
              IsDigit(body[body.size() - 2]) && IsDigit(body.back()),
          "an amount ends with the separator and two decimals");
    std::string whole = body.substr(0, body.size() - 3);
    Check(std::all_of(whole.begin(), whole.end(), IsDigit), "the whole part is digits");
    if (format == AmountFormat::ZeroDotZeroZero) {
        Check(!whole.empty() && (whole == "0" || whole[0] != '0'), "0.00 writes one whole part");
    } else {
        Check(whole.empty() || whole[0] != '0', ".00 writes no zero before the separator");
    }
    bool zero = body.find_first_not_of(std::string("0") + separator) == std::string::npos;
    Check(negative == (value < 0 && !zero), "the sign is that of a value not rounded to zero");

    std::string dotted = text;
    std::replace(dotted.begin(), dotted.end(), separator, '.');
    auto back = LeadingNumber(dotted);
    Check(back && std::fabs(*back - double(value)) <=
                      0.005 * (1 + 1e-9) + 2 * Ulp(value) + 2 * Ulp(*back),
          "an amount is the value rounded to two decimals");
    if (separator != '.') {
        Check(dotted == FormatAmount(value, format, '.'), "the separator is the only change");
    }
}

template <typename T> void CheckNumberTexts(T value, double generalPrecision) {
    for (AmountFormat format : {AmountFormat::DotZeroZero, AmountFormat::ZeroDotZeroZero}) {
        for (char separator : {'.', ','}) CheckAmount(value, format, separator);
    }
    if (!std::isfinite(value)) {
        Check(GeneralText(value).empty() && PlainText(value).empty(), "no number has no text");
        return;
    }
    Check(ReadsBack(ShortestText(value), value), "shortest text reads back");
    std::string plain = PlainText(value);
    Check(plain.find_first_of("eE") == std::string::npos, "plain text has no exponent");
    Check(ReadsBack(plain, value), "plain text reads back");
    std::string general = GeneralText(value);
    Check(!general.empty() && (general[0] == ' ' || general[0] == '-'),
          "general text starts with a blank or a minus");
    Check(general.compare(1, 2, "0.") != 0, "general text has no zero before the point");
    auto back = LeadingNumber(general);
    // Rounded to its digits, the largest doubles write a number just beyond the type.
    bool nearLimit = std::fabs(double(value)) >= std::numeric_limits<double>::max() * (1 - 1e-14);
    Check(nearLimit || (back && std::fabs(*back - double(value)) <=
                                    std::fabs(double(value)) * generalPrecision),
          "general text keeps its significant digits");
}

void CheckOdds(const std::string& text) {
    auto odds = ConvertOddsText(text);
    auto slash = text.find('/');
    if (slash == std::string::npos) {
        Check(Same(odds, LeadingNumber(text)), "odds without a fraction are the leading number");
    } else if (odds) {
        Check(double(AsSingle(*odds)) == *odds, "a fraction's odds are a single-precision value");
    }
    if (IsPickerText(text)) Check(text.find_first_of(",./") == std::string::npos, "picker text");
    if (auto slot = OddsSlotValue(text)) Check(std::isfinite(*slot), "slot odds are finite");

    for (int offset : {0, -1}) {
        OddsBoxChange change = OddsTextChanged(text, offset);
        if (!text.empty() && text.back() == ',') {
            Check(change.rewrite && !change.odds && !change.picker, "a trailing comma rewrites");
            const std::string& rewrite = *change.rewrite;
            Check(rewrite.size() == text.size() && rewrite.find(',') == std::string::npos,
                  "a rewrite turns every comma into a point");
            for (std::size_t i = 0; i < text.size(); ++i) {
                Check(rewrite[i] == (text[i] == ',' ? '.' : text[i]), "a rewrite keeps the rest");
            }
            Check(!OddsTextChanged(rewrite, offset).rewrite, "a rewrite needs no second one");
        } else {
            Check(!change.rewrite, "only a trailing comma rewrites");
            if (change.picker) Check(*change.picker >= 1 && *change.picker <= 120, "picker 1-120");
            if (change.odds) Check(std::isfinite(*change.odds), "stored odds are finite");
        }
    }
}

void CheckWindows1252(std::span<const std::uint8_t> bytes, const std::string& text) {
    std::string raw(bytes.begin(), bytes.end());
    Check(EncodeWindows1252(DecodeWindows1252(bytes)) == raw, "bytes survive decode and encode");
    std::string encoded = EncodeWindows1252(text);
    if (encoded.find('?') == std::string::npos) {
        auto* first = reinterpret_cast<const std::uint8_t*>(encoded.data());
        Check(DecodeWindows1252({first, encoded.size()}) == text,
              "a text that encodes without ? decodes back");
    }
}

// The bytes of a record from `from` up to the first zero byte within `length`.
std::string Stored(const RaceRecord& record, std::size_t from, std::size_t length) {
    auto begin = record.Raw().begin() + static_cast<std::ptrdiff_t>(from);
    auto end = std::find(begin, begin + static_cast<std::ptrdiff_t>(length), std::uint8_t{0});
    return std::string(begin, end);
}

void CheckUnchangedOutside(const RaceRecord& before, const RaceRecord& after, std::size_t from,
                           std::size_t length, const char* promise) {
    const auto& a = before.Raw();
    const auto& b = after.Raw();
    Check(std::equal(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(from), b.begin()) &&
              std::equal(a.begin() + static_cast<std::ptrdiff_t>(from + length), a.end(),
                         b.begin() + static_cast<std::ptrdiff_t>(from + length)),
          promise);
}

void CheckRecord(std::span<const std::uint8_t> input, RaceField field, int start, int width,
                 int horse, const std::string& text) {
    RaceRecord record;
    if (!input.empty()) {
        for (std::size_t i = 0; i < record.Raw().size(); ++i)
            record.Raw()[i] = input[i % input.size()];
    }
    auto layout = LayoutOf(field);
    bool inField = start >= 1 && width >= 1 && start <= layout.width;
    std::size_t from = inField ? layout.offset + std::size_t(start) - 1 : 0;
    std::size_t length = inField ? std::min<std::size_t>(width, layout.width - start + 1) : 0;

    std::string read = record.SlotText(field, start, width);
    Check(EncodeWindows1252(read) == (inField ? Stored(record, from, length) : ""),
          "a slot reads its bytes up to a zero byte");
    Check(record.FieldText(field) == record.SlotText(field, 1, layout.width),
          "a field reads as its whole slot");

    RaceRecord before = record;
    record.SetSlot(field, start, width, text);
    CheckUnchangedOutside(before, record, from, length, "a slot write stays in the slot");
    if (inField) {
        std::string expected = EncodeWindows1252(Trim(text));
        expected.resize(length, ' ');
        Check(std::equal(expected.begin(), expected.end(), record.Raw().begin() + from,
                         [](char c, std::uint8_t b) { return std::uint8_t(c) == b; }),
              "a slot holds the trimmed text, padded or cut");
    }

    before = record;
    record.SetField(field, text);
    CheckUnchangedOutside(before, record, layout.offset, layout.width,
                          "a field write stays in the field");
    std::string expected = EncodeWindows1252(text);
    expected.resize(layout.width, ' ');
    Check(Stored(record, layout.offset, layout.width) == expected.substr(0, expected.find('\0')),
          "a field holds the text, padded or cut");

    for (RaceField odds : {RaceField::OddsPMU, RaceField::OddsPMH, field}) {
        auto value = record.OddsValue(odds, horse);
        bool slot = (odds == RaceField::OddsPMU || odds == RaceField::OddsPMH) && horse >= 1 &&
                    horse <= OddsHorseCount;
        if (!slot) Check(!value, "only horses 1-22 of an odds field have odds");
        if (value) Check(std::isfinite(*value), "slot odds are finite");
    }
}

constexpr RaceField UsedFields[] = {RaceField::RunnerCount, RaceField::Payouts,
                                    RaceField::ArrivalOrder, RaceField::OddsPMU,
                                    RaceField::OddsPMH};
constexpr std::size_t ParameterBytes = 6;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t parameters[ParameterBytes] = {};
    std::memcpy(parameters, data, std::min(size, ParameterBytes));
    std::span<const std::uint8_t> bytes(data, size);
    std::span<const std::uint8_t> textBytes = bytes.subspan(std::min(size, ParameterBytes));
    std::string text(textBytes.begin(), textBytes.end());

    CheckLeadingNumber(text);
    CheckOdds(text);
    CheckWindows1252(textBytes, text);

    double values[3] = {LeadingNumberOr0(text), ConvertOddsText(text).value_or(0), 0};
    if (textBytes.size() >= sizeof(double))
        std::memcpy(&values[2], textBytes.data(), sizeof(double));
    for (double value : values) {
        CheckRounding(value);
        CheckNumberTexts(value, 1e-14);
        CheckNumberTexts(AsSingle(value), 1e-6);
    }

    RaceField field = UsedFields[parameters[0] % std::size(UsedFields)];
    auto start = static_cast<std::int16_t>(parameters[1] | parameters[2] << 8);
    auto width = static_cast<std::int16_t>(parameters[3] | parameters[4] << 8);
    auto horse = static_cast<std::int8_t>(parameters[5]);
    CheckRecord(bytes, field, start, width, horse, text);
    return 0;
}
