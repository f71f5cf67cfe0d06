#include "calc/StakeComputation.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

struct Bet {
    CalculatorState state;
    StakeTexts texts;
    char separator;

    Bet(std::initializer_list<float> odds, float target, char decimalSeparator = '.')
        : separator(decimalSeparator) {
        int i = 1;
        for (float o : odds) state.OddsTable[i++] = o;
        state.TargetProfit = target;
        state.PlayedHorseCount = static_cast<std::int16_t>(odds.size());
        for (auto& label : texts.Label2) label = "???";
        texts.Label4 = "EUROS (FS, etc.)";
        texts.lblRapport = "(ratio)";
    }
    std::vector<std::string> Stakes(int count) const {
        return {texts.Label2.begin() + 1, texts.Label2.begin() + 1 + count};
    }
};

using Stakes = std::vector<std::string>;

TEST(ComputeStakes, TheExampleBetInEveryRoundingMode) {
    struct Case {
        RoundingMode mode;
        char separator;
        Stakes stakes;
        const char* total;
        int whole;
        const char* profit;
        const char* ratio;
    } cases[] = {
        {RoundingMode::Decimals,
         '.',
         {"20.40", "55.64", "19.13", "7.65"},
         "TOTAL DES MISES 102.82",
         103,
         "203.21 Euros",
         "0.51 fois supérieur."},
        {RoundingMode::Decimals,
         ',',
         {"20.40", "55.64", "19.13", "7.65"},
         "TOTAL DES MISES 102,82",
         103,
         "203,21 Euros",
         "0,51 fois supérieur."},
        {RoundingMode::WholeUnits,
         '.',
         {"20", "55", "19", "7"},
         "TOTAL DES MISES 101.00",
         101,
         "193.81 Euros",
         "0.52 fois supérieur."},
        {RoundingMode::UpToTen,
         '.',
         {"20", "60", "20", "10"},
         "TOTAL DES MISES 110.00",
         110,
         "234.69 Euros",
         "0.47 fois supérieur."},
    };
    for (const auto& c : cases) {
        Bet bet({14, 4.5f, 15, 39}, 4, c.separator);
        ComputeStakes(bet.state, 4, c.mode, bet.separator, bet.texts);
        EXPECT_EQ(bet.Stakes(4), c.stakes);
        EXPECT_EQ(bet.texts.Label2[5], "aucun");
        EXPECT_EQ(bet.texts.Label19, c.total);
        EXPECT_EQ(bet.state.StakeTotalWhole, c.whole);
        EXPECT_EQ(bet.texts.Label4, c.profit);
        EXPECT_EQ(bet.texts.lblRapport, c.ratio);
        EXPECT_EQ(bet.state.WorkingTarget, 4.0f);
    }
    Bet bet({14, 4.5f, 15, 39}, 4);
    ComputeStakes(bet.state, 4, RoundingMode::Decimals, bet.separator, bet.texts);
    EXPECT_FLOAT_EQ(bet.state.ComputedProfit, 203.21365f);
    EXPECT_DOUBLE_EQ(bet.state.StakeTotal, 102.82);
}

TEST(ComputeStakes, SmallBetsAndTheRedCase) {
    struct Case {
        std::vector<float> odds;
        Stakes stakes;
        const char* total;
        const char* profit;
        const char* ratio;
        char separator = '.';
    } cases[] = {
        {{4}, {"10.00", "aucun"}, "TOTAL DES MISES 10.00", "40.00 Euros", "0.25 fois supérieur."},
        {{1, 1}, {"20.00", "20.00", "aucun"}, "TOTAL DES MISES 40.00", ".00 Euros", "(ratio)"},
        {{1, 1, 1},
         {"30.00", "30.00", "30.00"},
         "TOTAL DES MISES 90.00",
         "-30.00 Euros",
         "(ratio)"},
        {{1, 3},
         {"30.00", "15.00"},
         "TOTAL DES MISES 45.00",
         "15.00 Euros",
         "3.00 fois supérieur."},
        // The order of the payout sum of four horses decides its last bit, and so the first
        // stake's half cent; the ratio divides the exact total by the profit as shown (34).
        {{2.2f, 7.9f, 3.3f, 4.4f},
         {"68.13", "24.49", "50.70", "40.37"},
         "TOTAL DES MISES 183,69",
         "34,31 Euros",
         "5,40 fois supérieur.",
         ','},
    };
    for (const auto& c : cases) {
        Bet bet({}, 10, c.separator);
        for (std::size_t i = 0; i < c.odds.size(); ++i) bet.state.OddsTable[i + 1] = c.odds[i];
        int k = static_cast<int>(c.odds.size());
        bet.state.PlayedHorseCount = static_cast<std::int16_t>(k);
        ComputeStakes(bet.state, k, RoundingMode::Decimals, bet.separator, bet.texts);
        EXPECT_EQ(bet.Stakes(static_cast<int>(c.stakes.size())), c.stakes);
        EXPECT_EQ(bet.texts.Label19, c.total);
        EXPECT_EQ(bet.texts.Label4, c.profit);
        EXPECT_EQ(bet.texts.lblRapport, c.ratio);
    }
}

TEST(ComputeStakes, BeforeAnySelectionTheThirdModeLeavesTheOtherRowsAlone) {
    Bet bet({4}, 10);
    bet.state.PlayedHorseCount = 9; // start-up value while "1 cheval" is selected
    ComputeStakes(bet.state, 1, RoundingMode::UpToTen, bet.separator, bet.texts);
    EXPECT_EQ(bet.Stakes(3), (Stakes{"10", "???", "???"}));
    ComputeStakes(bet.state, 1, RoundingMode::Decimals, bet.separator, bet.texts);
    EXPECT_EQ(bet.Stakes(3), (Stakes{"10.00", "aucun", "aucun"}));
}

TEST(ComputeStakes, AFailedStepKeepsWhatItWouldHaveWritten) {
    // Odds of -1 make the payout sum 0: no weight, no stake, the old texts stay.
    Bet bet({-1}, 10);
    bet.texts.Label2[1] = "12.00";
    bet.state.ComputedProfit = 7;
    ComputeStakes(bet.state, 1, RoundingMode::Decimals, bet.separator, bet.texts);
    EXPECT_EQ(bet.texts.Label2[1], "12.00");
    EXPECT_EQ(bet.texts.Label2[2], "aucun");
    EXPECT_FLOAT_EQ(bet.state.ComputedProfit, 0.0f); // nothing staked, nothing returned

    // A target beyond the range of the stakes.
    Bet huge({1, 1}, 3e38f);
    ComputeStakes(huge.state, 2, RoundingMode::Decimals, huge.separator, huge.texts);
    EXPECT_EQ(huge.texts.Label2[1], "???");
    EXPECT_EQ(huge.texts.Label19, "TOTAL DES MISES .00");
}

TEST(StakeText, WholeUnitsCutAndTheThirdModeRaisesTheWholePartToTen) {
    struct Case {
        float stake;
        RoundingMode mode;
        const char* expected;
    } cases[] = {
        {55.64f, RoundingMode::WholeUnits, "55"}, {20.40f, RoundingMode::UpToTen, "20"},
        {20.99f, RoundingMode::UpToTen, "20"},    {21.00f, RoundingMode::UpToTen, "30"},
        {7.65f, RoundingMode::UpToTen, "10"},     {30.0f, RoundingMode::UpToTen, "30"},
        {0.5f, RoundingMode::Decimals, ".50"},    {-0.5f, RoundingMode::WholeUnits, "-1"},
    };
    for (const auto& c : cases) EXPECT_EQ(StakeText(c.stake, c.mode, '.'), c.expected) << c.stake;
}

TEST(PreviewStakes, RecomputesSilently) {
    struct Case {
        RoundingMode mode;
        Stakes stakes;
        float profit;
    } cases[] = {
        {RoundingMode::Decimals, {"30.00", "15.00"}, 15},
        {RoundingMode::UpToTen, {"30", "20"}, 25},
    };
    for (const auto& c : cases) {
        Bet bet({1, 3}, 10);
        PreviewStakes(bet.state, 2, c.mode, bet.separator, bet.texts);
        EXPECT_EQ(bet.Stakes(3), (Stakes{c.stakes[0], c.stakes[1], "???"}));
        EXPECT_EQ(bet.state.StakeTotal, 45.0 + (c.mode == RoundingMode::UpToTen ? 5 : 0));
        EXPECT_FLOAT_EQ(bet.state.ComputedProfit, c.profit);
        EXPECT_EQ(bet.texts.Label4, "EUROS (FS, etc.)");
        EXPECT_EQ(bet.texts.lblRapport, "(ratio)");
    }
    // One horse: column 2 shows what horse 2 would get but counts nowhere.
    Bet one({4, 1}, 10);
    one.state.PlayedHorseCount = 1;
    PreviewStakes(one.state, 1, RoundingMode::Decimals, one.separator, one.texts);
    EXPECT_EQ(one.Stakes(3), (Stakes{"10.00", "25.00", "???"}));
    EXPECT_FLOAT_EQ(one.state.ComputedProfit, 40);
    EXPECT_EQ(one.state.StakeTotal, 10);

    // With a decimal comma the preview leaves the commas: only whole euros count.
    Bet french({14, 4.5f, 15, 39}, 4, ',');
    PreviewStakes(french.state, 4, RoundingMode::Decimals, french.separator, french.texts);
    EXPECT_EQ(french.Stakes(4), (Stakes{"20,40", "55,64", "19,13", "7,65"}));
    EXPECT_EQ(french.texts.Label19, "TOTAL DES MISES 101,00");
    EXPECT_FLOAT_EQ(french.state.ComputedProfit, 193.81364f); // as with whole units
}

TEST(RoundStakesToMultiple, RaisesEveryStakeToTheNextMultiple) {
    struct Case {
        Stakes before;
        const char* multiple;
        Stakes after;
        const char* total;
        int whole;
    } cases[] = {
        {{"12.35", "7.65", "aucun"}, "1.5", {" 13.5", " 9", "aucun"}, "TOTAL DES MISES 22.50", 22},
        {{"15.00", "12.50", "aucun"}, "5", {"15.00", " 15", "aucun"}, "TOTAL DES MISES 30.00", 30},
        {{"12,35", "3.2", "0.3"}, "1.5", {" 13.5", " 4.5", " 1.5"}, "TOTAL DES MISES 18.00", 18},
        {{"12.35", "7.65", "4"}, "", {"12.35", "7.65", "4"}, "TOTAL DES MISES 20.00", 20},
        {{"12", "12.3", "aucun"}, "-5", {" 10", " 10", "aucun"}, "TOTAL DES MISES 20.00", 20},
        // 1e39 / 0.5 is beyond a single: that column stays; the total is too large to round.
        {{"12.3", "1e39", "aucun"},
         "0.5",
         {" 12.5", "1e39", "aucun"},
         "TOTAL DES MISES 1000000000000000000000000000000000000000.00",
         12},
    };
    for (const auto& c : cases) {
        Bet bet({}, 10);
        bet.state.PlayedHorseCount = 2;
        bet.state.StakeTotalWhole = 0;
        for (std::size_t i = 0; i < c.before.size(); ++i) bet.texts.Label2[i + 1] = c.before[i];
        RoundStakesToMultiple(bet.state, bet.texts, c.multiple, bet.separator);
        EXPECT_EQ(bet.Stakes(3), c.after) << c.multiple;
        EXPECT_EQ(bet.texts.Label19, c.total) << c.multiple;
        EXPECT_EQ(bet.state.StakeTotalWhole, c.whole) << c.multiple;
        EXPECT_EQ(bet.texts.Label4, "EUROS (FS, etc.)");
    }
}

} // namespace
} // namespace sg
