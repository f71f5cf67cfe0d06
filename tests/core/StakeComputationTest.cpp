#include "calc/StakeComputation.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

using enum RoundingMode;

struct Bet {
    CalculatorState state;
    StakeTexts texts;
    char separator;

    Bet(std::vector<float> odds, float target, char decimalSeparator = '.')
        : separator(decimalSeparator) {
        for (std::size_t i = 0; i < odds.size(); ++i) state.OddsTable[i + 1] = odds[i];
        state.TargetProfit = target;
        state.PlayedHorseCount = static_cast<std::int16_t>(odds.size());
        texts.Label2.fill("???");
        texts.Label4 = "EUROS (FS, etc.)";
        texts.lblRapport = "(ratio)";
    }
    // Columns 1 to `count`, separated by blanks.
    std::string Stakes(int count) const {
        std::string shown = texts.Label2[1];
        for (int i = 2; i <= count; ++i) shown += " " + texts.Label2[i];
        return shown;
    }
};

// The worked example in its three modes is the example scenario's, the small bets the stakes
// scenario's. Here, the order of the payout sum of four horses decides its last bit, and so the
// first stake's half cent; the ratio divides the exact total by the profit as shown (34).
TEST(ComputeStakes, SumsThePayoutFactorsInOrderAndDividesTheExactTotal) {
    Bet bet({2.2f, 7.9f, 3.3f, 4.4f}, 10, ',');
    ComputeStakes(bet.state, 4, Decimals, bet.separator, bet.texts);
    EXPECT_EQ(bet.Stakes(5), "68.13 24.49 50.70 40.37 aucun");
    EXPECT_EQ(bet.texts.Label19, "TOTAL DES MISES 183,69");
    EXPECT_EQ(bet.texts.Label4, "34,31 Euros");
    EXPECT_EQ(bet.texts.lblRapport, "5,40 fois supérieur.");
}

TEST(ComputeStakes, AFailedStepKeepsWhatItWouldHaveWritten) {
    // Odds of -1 make the payout sum 0: no weight, no stake, the old texts stay.
    Bet bet({-1}, 10);
    bet.texts.Label2[1] = "12.00";
    bet.state.ComputedProfit = 7;
    ComputeStakes(bet.state, 1, Decimals, bet.separator, bet.texts);
    EXPECT_EQ(bet.Stakes(2), "12.00 aucun");
    EXPECT_FLOAT_EQ(bet.state.ComputedProfit, 0.0f); // nothing staked, nothing returned
    // A target beyond the range of the stakes.
    Bet huge({1, 1}, 3e38f);
    ComputeStakes(huge.state, 2, Decimals, huge.separator, huge.texts);
    EXPECT_EQ(huge.texts.Label2[1], "???");
    EXPECT_EQ(huge.texts.Label19, "TOTAL DES MISES .00");
}

TEST(StakeText, WholeUnitsCutAndTheThirdModeRaisesTheWholePartToTen) {
    struct Case {
        float stake;
        RoundingMode mode;
        const char* expected;
    } cases[] = {
        {55.64f, WholeUnits, "55"}, {20.40f, UpToTen, "20"},   {20.99f, UpToTen, "20"},
        {21.00f, UpToTen, "30"},    {7.65f, UpToTen, "10"},    {30.0f, UpToTen, "30"},
        {0.5f, Decimals, ".50"},    {-0.5f, WholeUnits, "-1"},
    };
    for (const auto& c : cases) EXPECT_EQ(StakeText(c.stake, c.mode, '.'), c.expected) << c.stake;
}

TEST(PreviewStakes, RecomputesSilently) {
    struct Case {
        std::vector<float> odds;
        float target;
        int k;
        RoundingMode mode;
        char separator;
        const char *stakes, *total;
        float profit;
    } cases[] = {
        {{1, 3}, 10, 2, Decimals, '.', "30.00 15.00 ??? ???", "45.00", 15},
        {{1, 3}, 10, 2, UpToTen, '.', "30 20 ??? ???", "50.00", 25},
        // One horse: column 2 shows what horse 2 would get but counts nowhere.
        {{4, 1}, 10, 1, Decimals, '.', "10.00 25.00 ??? ???", "10.00", 40},
        // With a decimal comma the preview leaves the commas: only whole euros count.
        {{14, 4.5f, 15, 39}, 4, 4, Decimals, ',', "20,40 55,64 19,13 7,65", "101,00", 193.81364f},
    };
    for (const auto& c : cases) {
        Bet bet(c.odds, c.target, c.separator);
        bet.state.PlayedHorseCount = static_cast<std::int16_t>(c.k);
        PreviewStakes(bet.state, c.k, c.mode, bet.separator, bet.texts);
        EXPECT_EQ(bet.Stakes(4), c.stakes);
        EXPECT_EQ(bet.texts.Label19, "TOTAL DES MISES " + std::string(c.total));
        EXPECT_FLOAT_EQ(bet.state.ComputedProfit, c.profit);
        EXPECT_EQ(bet.texts.Label4 + bet.texts.lblRapport, "EUROS (FS, etc.)(ratio)");
    }
}

TEST(RoundStakesToMultiple, RaisesEveryStakeToTheNextMultiple) {
    struct Case {
        std::vector<std::string> before;
        const char *multiple, *after;
        std::string total;
        int whole;
    } cases[] = {
        {{"12.35", "7.65", "aucun"}, "1.5", " 13.5  9 aucun", "22.50", 22},
        // A multiple typed with a decimal comma counts in full.
        {{"12.35", "7.65", "aucun"}, "1,5", " 13.5  9 aucun", "22.50", 22},
        {{"30.00", "15.00", "aucun"}, " 4,5 ", " 31.5  18 aucun", "49.50", 50},
        {{"15.00", "12.50", "aucun"}, "5", "15.00  15 aucun", "30.00", 30},
        {{"12,35", "3.2", "0.3"}, "1.5", " 13.5  4.5  1.5", "18.00", 18},
        {{"12", "12.3", "aucun"}, "-5", " 10  10 aucun", "20.00", 20},
        // 1e39 / 0.5 is beyond a single: that column stays; the total is too large to round.
        {{"12.3", "1e39", "aucun"},
         "0.5",
         " 12.5 1e39 aucun",
         "1" + std::string(39, '0') + ".00",
         12},
    };
    for (const auto& c : cases) {
        Bet bet({}, 10);
        bet.state.PlayedHorseCount = 2;
        for (std::size_t i = 0; i < c.before.size(); ++i) bet.texts.Label2[i + 1] = c.before[i];
        RoundStakesToMultiple(bet.state, bet.texts, c.multiple, bet.separator);
        EXPECT_EQ(bet.Stakes(3), c.after) << c.multiple;
        EXPECT_EQ(bet.texts.Label19, "TOTAL DES MISES " + c.total) << c.multiple;
        EXPECT_EQ(bet.state.StakeTotalWhole, c.whole) << c.multiple;
        EXPECT_EQ(bet.texts.Label4, "EUROS (FS, etc.)");
    }
}

} // namespace
} // namespace sg
