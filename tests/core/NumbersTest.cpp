#include "numbers/Numbers.h"
#include "numbers/OddsText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sg {
namespace {

using namespace std::string_literals;

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfATextAndFailsBeyondADouble) {
    const std::string nines(400, '9');
    struct Case {
        std::string text;
        std::optional<double> expected;
    } cases[] = {
        {"9/2", 9},    {"4,5", 4},     {"aucun", 0},          {"", 0},
        {"1 2", 12},   {"\t3\n4", 34}, {"  - 5", -5},         {"+7", 7},
        {".5", 0.5},   {"1.2.3", 1.2}, {"-3.5e2x", -350},     {"1e", 1},
        {"1e+", 1},    {"2E-1", 0.2},  {"12 abc", 12},        {"1e-400", 0},
        {"-", 0},      {".", 0},       {"203,21 Euros", 203}, {"1e39", 1e39},
        {"1e400", {}}, {nines, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(LeadingNumber(c.text), c.expected) << c.text;
    EXPECT_EQ(LeadingNumberOr0("-1e400"), 0.0);
}

TEST(Rounding, HalvesGoToTheEvenNeighbourAndOverflowFails) {
    EXPECT_EQ(RoundHalfEvenInt32(22.5), 22);
    EXPECT_EQ(RoundHalfEvenInt32(23.5), 24);
    EXPECT_EQ(RoundHalfEvenInt32(-2.5), -2);
    EXPECT_EQ(RoundHalfEvenInt16(32767.4), 32767);
    EXPECT_FALSE(RoundHalfEvenInt16(32767.5).has_value());
    EXPECT_FALSE(RoundHalfEvenInt32(3e9).has_value());
    EXPECT_TRUE(ToSingle(3.4e38).has_value());
    EXPECT_FALSE(ToSingle(3.5e38).has_value());
    EXPECT_FALSE(Divide(1, 0).has_value());
}

TEST(NumberTexts, AmountsRoundToTwoDecimalsAwayFromZeroWithTheUsersSeparator) {
    using enum AmountFormat;
    struct Case {
        double value;
        bool single;
        char separator;
        const char* expected;
    } cases[] = {
        {20.4, true, '.', "20.40"},      {20.4, true, ',', "20,40"},
        {0.5, false, '.', ".50"},        {0, false, '.', ".00"},
        {-30, false, '.', "-30.00"},     {19.125, true, '.', "19.13"},
        {-19.125, false, '.', "-19.13"}, {999.995, false, '.', "1000.00"},
        {-0.001, false, '.', ".00"},     {102.82000000000001, false, '.', "102.82"},
    };
    for (const auto& c : cases) {
        std::string text = c.single ? FormatAmount(float(c.value), DotZeroZero, c.separator)
                                    : FormatAmount(c.value, DotZeroZero, c.separator);
        EXPECT_EQ(text, c.expected) << c.value;
    }
    EXPECT_EQ(FormatAmount(1e20f, DotZeroZero, '.'), "100000000000000000000.00");
    EXPECT_EQ(FormatAmount(0.506, ZeroDotZeroZero, '.'), "0.51");
    EXPECT_EQ(FormatAmount(0.506, ZeroDotZeroZero, ','), "0,51");
    // Infinity and NaN give an empty text in every conversion, never an exception.
    for (double odd : {HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        EXPECT_EQ(PlainText(odd) + PlainText(float(odd)) + GeneralText(odd), "");
        EXPECT_EQ(Amount(odd, ',') + FormatAmount(float(odd), ZeroDotZeroZero, '.'), "");
    }
}

TEST(NumberTexts, GeneralPlainShortestAndVisibleTexts) {
    struct Case {
        float value;
        const char* expected;
    } cases[] = {
        {0.5f, " .5"}, {15.0f, " 15"}, {12.5f, " 12.5"},  {-0.5f, "-.5"},
        {0.0f, " 0"},  {4.5f, " 4.5"}, {1e20f, " 1E+20"}, {1234567.0f, " 1234567"},
    };
    for (const auto& c : cases) EXPECT_EQ(GeneralText(c.value), c.expected) << c.value;
    EXPECT_EQ(GeneralText(1.0f / 3), " .3333333");
    EXPECT_EQ(GeneralText(12345678.0f), " 1.234568E+07");
    EXPECT_EQ(GeneralText(203.0), " 203");
    EXPECT_EQ(PlainText(-1e39), "-1" + std::string(39, '0'));
    EXPECT_EQ(ShortestText(203.21365f), "203.21365");
    EXPECT_EQ(ShortestText(4.0f), "4");
    EXPECT_EQ(VisibleControls("a\nb\r\t\x1b\x7f\u0085é"), "a\\nb\\r\\t\\x1B\\x7F\\u0085é");
}

TEST(ConvertOddsText, ReadsPlainNumbersAndFractions) {
    struct Case {
        const char* text;
        std::optional<double> expected; // none beyond a double, or a fraction beyond a single
    } cases[] = {
        {"9/2", 4.5},  {"5/1", 5},     {"7/", 7},      {"3/-2", 0},    {"/4", 0},
        {"4.5", 4.5},  {"9/0", 9},     {"", 0},        {"9/2/3", 4.5}, {"4,5", 4},
        {"1e400", {}}, {"1e39/1", {}}, {"1e39", 1e39},
    };
    for (const auto& c : cases) EXPECT_EQ(ConvertOddsText(c.text), c.expected) << c.text;
    EXPECT_EQ(ConvertOddsText("1/3"), float(1.0 / 3));
}

TEST(OddsTextChanged, StoresTheOddsOnceWithTheOffsetAndPlacesThePicker) {
    struct Case {
        const char* text;
        int offset;
        std::optional<float> odds;
        std::optional<int> picker;
    } cases[] = {
        {"5", 0, 5.0f, 5},      {"5", -1, 4.0f, 5},   {"9/2", 0, 4.5f, 9},
        {"150", 0, 150.0f, {}}, {"", -1, -1.0f, {}},  {"9/-2", 0, 0.0f, 9},
        {"1e39", 0, {}, {}},    {"0.4", 0, 0.4f, {}}, {"120.4", 0, 120.4f, 120},
    };
    for (const auto& c : cases) {
        OddsBoxChange change = OddsTextChanged(c.text, c.offset);
        EXPECT_FALSE(change.rewrite.has_value()) << c.text;
        EXPECT_EQ(change.odds, c.odds) << c.text;
        EXPECT_EQ(change.picker, c.picker) << c.text;
    }
    // A trailing comma corrects every comma in one rewrite, as the repeated corrections would.
    for (std::string text : {"4,"s, "4,5,"s, ",,,"s, std::string(100000, ',')}) {
        std::string points = text;
        std::replace(points.begin(), points.end(), ',', '.');
        EXPECT_EQ(OddsTextChanged(text, 0).rewrite, points);
    }
    EXPECT_FALSE(OddsTextChanged("4,5", 0).rewrite.has_value());
    EXPECT_TRUE(IsPickerText("12"));
    EXPECT_FALSE(IsPickerText("4,5") || IsPickerText("9/2"));
}

} // namespace
} // namespace sg
