// The core's text rules under libFuzzer: a text read as a number, numbers written as texts,
// the amount formats, odds texts, the slots of a race record and Windows-1252, each checked
// against what it promises. An input is six bytes of parameters (a field, a slot's start and
// width, a horse) followed by the text; its bytes also fill the race record. Without libFuzzer,
// the same checks replay the files of the folders given (the committed corpus, under ctest).
#include "numbers/Numbers.h"
#include "numbers/OddsText.h"
#include "racefile/RaceRecord.h"
#include "racefile/Windows1252.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

namespace {

using namespace sg;

// A broken promise aborts: libFuzzer keeps the input that shows it.
void Check(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

// A double rounded to a single; from halfway past the largest single, an infinity (the plain
// cast is undefined there).
float AsSingle(double value) {
    return std::fabs(value) >= 0x1.ffffffp127
               ? std::copysign(std::numeric_limits<float>::infinity(), value)
               : static_cast<float>(value);
}

template <typename T> bool ReadsBack(const std::string& text, T value) {
    auto back = LeadingNumber(text);
    return back && (sizeof(T) == sizeof(float) ? AsSingle(*back) == value : *back == value);
}

void CheckLeadingNumber(const std::string& text) {
    auto value = LeadingNumber(text);
    if (value) Check(std::isfinite(*value), "a leading number is finite");
    Check(LeadingNumber(text + "x") == value, "the first other character ends the number");
    auto first = text.find_first_not_of(" \t\n");
    if (first == std::string::npos || (text[first] != '+' && text[first] != '-'))
        Check(LeadingNumber("-" + text) == (value ? std::optional(-*value) : std::nullopt),
              "a minus sign negates the number");
}

void CheckRounding(double value) {
    auto check = [&](auto whole) {
        if (!whole) return;
        double distance = std::fabs(double(*whole) - value);
        Check(distance < 0.5 || (distance == 0.5 && *whole % 2 == 0), "halves round to even");
    };
    check(RoundHalfEvenInt16(value));
    check(RoundHalfEvenInt32(value));
    if (std::fabs(value) < 32767) Check(RoundHalfEvenInt16(value).has_value(), "inside rounds");
}

// "-?D*SEPDD", the value rounded to two decimals, whatever the separator.
template <typename T> void CheckAmount(T value, AmountFormat format, char separator) {
    std::string text = FormatAmount(value, format, separator);
    if (!std::isfinite(value)) return Check(text.empty(), "an amount of no number is empty");
    std::size_t digits = text.size() - 3, from = text[0] == '-' ? 1 : 0;
    Check(text.size() >= 3 && text[digits] == separator &&
              text.find_first_not_of("0123456789", from) == digits &&
              text.find_first_not_of("0123456789", digits + 1) == std::string::npos,
          "an amount is digits, the separator and two decimals");
    std::string dotted = text;
    std::replace(dotted.begin(), dotted.end(), separator, '.');
    if (separator != '.') Check(dotted == FormatAmount(value, format, '.'), "only the separator");
    double ulps = std::fabs(double(value)) * std::numeric_limits<T>::epsilon() * 4;
    Check(std::fabs(LeadingNumberOr0(dotted) - double(value)) <= 0.005 * (1 + 1e-9) + ulps,
          "an amount is the value rounded to two decimals");
}

template <typename T> void CheckNumberTexts(T value, double generalPrecision) {
    for (auto format : {AmountFormat::DotZeroZero, AmountFormat::ZeroDotZeroZero}) {
        CheckAmount(value, format, '.');
        CheckAmount(value, format, ',');
    }
    if (!std::isfinite(value)) return;
    Check(ReadsBack(ShortestText(value), value), "shortest text reads back");
    std::string plain = PlainText(value);
    Check(plain.find_first_of("eE") == std::string::npos && ReadsBack(plain, value),
          "plain text reads back without exponent");
    // Rounded to its digits, the largest doubles write a number just beyond the type.
    auto back = LeadingNumber(GeneralText(value));
    double size = std::fabs(double(value));
    Check(size >= std::numeric_limits<double>::max() * (1 - 1e-14) ||
              (back && std::fabs(*back - double(value)) <= size * generalPrecision),
          "general text keeps its significant digits");
}

void CheckOdds(const std::string& text) {
    auto odds = ConvertOddsText(text);
    if (text.find('/') == std::string::npos)
        Check(odds == LeadingNumber(text), "odds without a fraction are the leading number");
    else if (odds)
        Check(double(AsSingle(*odds)) == *odds, "a fraction's odds are a single");
    for (int offset : {0, -1}) {
        OddsBoxChange change = OddsTextChanged(text, offset);
        if (change.picker) Check(*change.picker >= 1 && *change.picker <= 120, "picker 1-120");
        if (text.empty() || text.back() != ',') {
            Check(!change.rewrite, "only a trailing comma rewrites");
            continue;
        }
        std::string points = text;
        std::replace(points.begin(), points.end(), ',', '.');
        Check(change.rewrite == points && !change.odds, "a trailing comma turns commas to points");
        Check(!OddsTextChanged(points, offset).rewrite, "a rewrite needs no second one");
    }
}

void CheckWindows1252(const std::string& raw) {
    auto* bytes = reinterpret_cast<const std::uint8_t*>(raw.data());
    Check(EncodeWindows1252(DecodeWindows1252({bytes, raw.size()})) == raw, "bytes survive");
    std::string encoded = EncodeWindows1252(raw);
    auto* back = reinterpret_cast<const std::uint8_t*>(encoded.data());
    if (encoded.find('?') == std::string::npos)
        Check(DecodeWindows1252({back, encoded.size()}) == raw, "a text without ? decodes back");
}

void CheckRecord(const std::uint8_t* data, std::size_t size, RaceField field, int start, int width,
                 int horse, const std::string& text) {
    RaceRecord record;
    for (std::size_t i = 0; size && i < record.Raw().size(); ++i) record.Raw()[i] = data[i % size];
    auto layout = LayoutOf(field);
    bool inField = start >= 1 && width >= 1 && start <= layout.width;
    std::size_t from = inField ? layout.offset + start - 1 : 0;
    std::size_t length = inField ? std::min(width, layout.width - start + 1) : 0;
    auto slot = record.Raw().begin() + std::ptrdiff_t(from);
    std::string stored(slot, std::find(slot, slot + std::ptrdiff_t(length), 0));
    Check(EncodeWindows1252(record.SlotText(field, start, width)) == stored,
          "a slot reads its bytes up to a zero byte");
    for (RaceField odds : {RaceField::OddsPMU, RaceField::OddsPMH}) {
        auto value = record.OddsValue(odds, horse);
        Check(!value || (horse >= 1 && horse <= 22 && std::isfinite(*value)), "odds of 1-22");
    }

    RaceRecord expected = record;
    std::string written = EncodeWindows1252(Trim(text));
    written.resize(length, ' ');
    std::copy(written.begin(), written.end(), expected.Raw().begin() + std::ptrdiff_t(from));
    record.SetSlot(field, start, width, text);
    Check(record == expected, "a slot write holds the trimmed text, padded or cut, and no more");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t Parameters = 6;
    std::uint8_t p[Parameters] = {};
    std::memcpy(p, data, std::min(size, Parameters));
    std::string text(data + std::min(size, Parameters), data + size);

    CheckLeadingNumber(text);
    CheckOdds(text);
    CheckWindows1252(text);
    double values[3] = {LeadingNumberOr0(text), ConvertOddsText(text).value_or(0), 0};
    if (text.size() >= sizeof(double)) std::memcpy(&values[2], text.data(), sizeof(double));
    for (double value : values) {
        CheckRounding(value);
        CheckNumberTexts(value, 1e-14);
        CheckNumberTexts(AsSingle(value), 1e-6);
    }
    constexpr RaceField Used[] = {RaceField::RunnerCount, RaceField::Payouts,
                                  RaceField::ArrivalOrder, RaceField::OddsPMU, RaceField::OddsPMH};
    CheckRecord(data, size, Used[p[0] % std::size(Used)], std::int16_t(p[1] | p[2] << 8),
                std::int16_t(p[3] | p[4] << 8), std::int8_t(p[5]), text);
    return 0;
}

#ifndef SG_LIBFUZZER
// Replays every file of the folders given, as libFuzzer would run them.
int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::string input(std::istreambuf_iterator<char>(in), {});
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()),
                                   input.size());
        }
    }
    return argc > 1 ? 0 : 1;
}
#endif
