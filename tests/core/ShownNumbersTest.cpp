// The values that number texts read back as, found without writing the texts, against writing
// and reading them: over values chosen at the edges of each quick test, and many drawn at
// random (odds as punters write them, stakes, profits, any bit pattern).
#include "numbers/ShownNumbers.h"
#include "calc/ShownBet.h"
#include "calc/StakeComputation.h"
#include "numbers/Numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace sg {
namespace {

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Values at the edges of the quick tests, then random ones of every kind.
std::vector<float> Values() {
    const float max = std::numeric_limits<float>::max(), inf = HUGE_VALF, nan = std::nanf("");
    std::vector<float> values = {
        0.0f,       -0.0f,      1.0f,        -1.0f,       0.5f,           0.125f,
        0.005f,     0.0049999f, 0.0050001f,  1.005f,      2.675f,         4.5f,
        10.0f / 3,  1e-5f,      9.9999e-6f,  1e-7f,       1.4e-45f,       9999999.0f,
        9999999.5f, 1e7f,       16777215.0f, 16777216.0f, 16777218.0f,    8191.999f,
        8192.0f,    8192.001f,  4095.9995f,  123456.789f, 3.4e38f,        -3.4e38f,
        max,        inf,        -inf,        nan,         0x1p23f - 0.5f, -0x1p23f + 0.5f};
    std::mt19937 random(17);
    for (int i = 0; i < 200000; ++i) {
        switch (i % 5) {
        case 0: // odds of a few decimals, and fractions
            values.push_back(static_cast<float>(random() % 100000) / 1000);
            break;
        case 1:
            values.push_back(static_cast<float>(random() % 60 + 1) /
                             static_cast<float>(random() % 9 + 1));
            break;
        case 2: // stakes and profits: a target times a ratio, either sign
            values.push_back((random() % 2 ? 1 : -1) * static_cast<float>(random() % 100000) /
                             static_cast<float>(random() % 997 + 1));
            break;
        case 3: // whole thousandths, which are their own shortest writing
            values.push_back(static_cast<float>(random() % 8192000) / 1000);
            break;
        default: { // any bit pattern
            auto bits = static_cast<std::uint32_t>(random());
            float value = 0;
            std::memcpy(&value, &bits, sizeof value);
            values.push_back(value);
        }
        }
    }
    return values;
}

TEST(ShownNumbers, ReadBackWhatTheWrittenTextsRead) {
    for (float value : Values()) {
        EXPECT_TRUE(SameBits(GeneralTextValue(value), LeadingNumberOr0(GeneralText(value))))
            << value << " " << GeneralText(value);
        std::string amount = Amount(value, ',');
        std::string read = amount;
        ReplaceFirstComma(read);
        EXPECT_TRUE(SameBits(AmountValue(value), LeadingNumberOr0(read))) << value << " " << amount;
        EXPECT_EQ(AmountIsNegative(value), !amount.empty() && amount[0] == '-') << value;
        float whole = std::isfinite(value) ? std::floor(value) : value;
        EXPECT_TRUE(
            SameBits(WholeTextValue(whole), LeadingNumberOr0(PlainText(whole == 0 ? 0.0f : whole))))
            << whole;
    }
}

TEST(ShownNumbers, WholeStakesAndHalfEvenRoundingAgreeWithTheirPlainRules) {
    std::mt19937_64 random(5);
    for (float stake : Values()) {
        if (!std::isfinite(stake)) continue;
        for (RoundingMode mode : {RoundingMode::WholeUnits, RoundingMode::UpToTen}) {
            // The rule: the whole part, raised to the next ten by its remainder in the third mode.
            float whole = std::floor(stake);
            float remainder = std::fmod(whole, 10.0f);
            std::optional<float> expected = whole;
            if (mode == RoundingMode::UpToTen && remainder != 0)
                expected = ToSingle(double(whole) + 10 - remainder);
            auto shown = WholeStake(stake, mode);
            ASSERT_EQ(shown.has_value(), expected.has_value()) << stake;
            if (shown) {
                EXPECT_EQ(*shown, *expected) << stake;
            }
            auto text = StakeText(stake, mode, '.');
            EXPECT_EQ(ShownStakeValue(stake, mode), text ? LeadingNumber(*text) : std::nullopt)
                << stake;
        }
    }
    std::vector<double> doubles = {0.5,    1.5,   2.5,     -0.5,         -2.5,         0x1p52 - 0.5,
                                   0x1p52, 1e300, -1e-300, 2147483647.5, -2147483648.5};
    for (int i = 0; i < 100000; ++i) {
        double value =
            std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 60));
        doubles.push_back(random() % 2 ? value : -value);
        doubles.push_back(std::floor(value) + 0.5); // an exact half
    }
    for (double value : doubles) {
        double rounded = RoundHalfEven(value);
        EXPECT_TRUE(rounded == std::nearbyint(value)) << value;
    }
}

} // namespace
} // namespace sg
