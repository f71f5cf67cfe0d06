// The analysis of a bet against figures worked out by hand (the arithmetic is in the comments),
// never against the code under test.
#include "calc/BetAnalysis.h"
#include "app/BetAnalysisTexts.h"

#include <gtest/gtest.h>

#include <tuple>

namespace sg {
namespace {

constexpr double Cent = 1e-4; // amounts are compared to well within a cent

BetAnalysis Analysed(const std::variant<BetAnalysis, AnalysisRefusal>& result) {
    EXPECT_TRUE(std::holds_alternative<BetAnalysis>(result));
    const auto* analysis = std::get_if<BetAnalysis>(&result);
    return analysis ? *analysis : BetAnalysis{};
}

BetAnalysisInput Played(const std::vector<float>& odds, const std::vector<std::string>& stakes) {
    BetAnalysisInput input;
    for (std::size_t i = 0; i < odds.size(); ++i) input.played.push_back({odds[i], stakes[i]});
    return input;
}

double Of(double value) {
    return value;
}
double Of(const std::optional<double>& value) {
    return value.value_or(-1);
}

// Each item's `field`, within a cent of the figures given.
template <typename T, typename V>
void ExpectEach(const std::vector<T>& items, V T::*field, const std::vector<double>& expected) {
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(Of(items[i].*field), expected[i], Cent) << "item " << i + 1;
}

// The calculator's worked example: odds 14, 9/2, 15 and 39, target 4, stakes with decimals.
// Payout factors 15, 5.5, 16, 40; 1/15 + 1/5.5 + 1/16 + 1/40 = (176 + 480 + 165 + 66) / 2640
// = 887/2640.
TEST(BetAnalysis, WorkedExampleWithDecimals) {
    std::vector<float> odds = {14, 4.5f, 15, 39};
    auto stakes = ComputedStakeTexts(odds, 4, RoundingMode::Decimals);
    ASSERT_TRUE(stakes);
    EXPECT_EQ(*stakes, (std::vector<std::string>{"20.40", "55.64", "19.13", "7.65"}));
    BetAnalysisInput input = Played(odds, *stakes);
    input.budget = 100;
    BetAnalysis a = Analysed(AnalyseBet(input));

    // 20.40 + 55.64 + 19.13 + 7.65 = 102.82
    EXPECT_NEAR(a.total, 102.82, Cent);
    // 20.40 x 15 = 306.00; 55.64 x 5.5 = 306.02; 19.13 x 16 = 306.08; 7.65 x 40 = 306.00
    ExpectEach(a.horses, &HorseOutcome::payout, {306.00, 306.02, 306.08, 306.00});
    ExpectEach(a.horses, &HorseOutcome::net, {203.18, 203.20, 203.26, 203.18});
    // 102.82/20.40 - 1 = 4.040196; 102.82/55.64 - 1 = 0.847951; 102.82/19.13 - 1 = 4.374804;
    // 102.82/7.65 - 1 = 12.440523
    ExpectEach(a.horses, &HorseOutcome::breakEvenOdds, {4.040196, 0.847951, 4.374804, 12.440523});
    // 1 - 4.040196/14 = 0.711415; 1 - 0.847951/4.5 = 0.811566; 1 - 4.374804/15 = 0.708346;
    // 1 - 12.440523/39 = 0.681012
    ExpectEach(a.horses, &HorseOutcome::toleratedFall, {0.711415, 0.811566, 0.708346, 0.681012});

    // Every runner is played: both books are 887/2640 = 0.335985, all of the chances covered;
    // the expected result is 102.82 x 2640/887 - 102.82 = 102.82 x 1753/887 = 203.2057.
    EXPECT_NEAR(a.raceBook, 887.0 / 2640, 1e-9);
    EXPECT_NEAR(a.playedBook, 887.0 / 2640, 1e-9);
    EXPECT_NEAR(a.coveredShare, 1, 1e-12);
    EXPECT_NEAR(a.expectedResult, 203.2057, Cent);

    // -30 %: 20.40 x 10.8 = 220.32; 55.64 x 4.15 = 230.906; 19.13 x 11.5 = 219.995;
    // 7.65 x 28.3 = 216.495; less 102.82: lowest 113.675, highest 128.086.
    // +20 %: 20.40 x 17.8 = 363.12; 55.64 x 6.4 = 356.096; 19.13 x 19 = 363.47;
    // 7.65 x 47.8 = 365.67; less 102.82: lowest 253.276, highest 262.85.
    ASSERT_EQ(a.drift.size(), 5u);
    EXPECT_EQ(std::tuple(a.drift[0].percent, a.drift[4].percent), std::tuple(-30, 20));
    EXPECT_NEAR(a.drift[0].lowest, 113.675, Cent);
    EXPECT_NEAR(a.drift[0].highest, 128.086, Cent);
    EXPECT_NEAR(a.drift[4].lowest, 253.276, Cent);
    EXPECT_NEAR(a.drift[4].highest, 262.85, Cent);

    // Steps of 0.10 raise 55.64, 19.13 and 7.65 to 55.70, 19.20, 7.70: total 103.00;
    // 20.40 x 15 = 306.00, 55.70 x 5.5 = 306.35, 19.20 x 16 = 307.20, 7.70 x 40 = 308.00.
    ExpectEach(a.unitStakes, &PlacedStake::stake, {20.40, 55.70, 19.20, 7.70});
    EXPECT_NEAR(a.unitTotal, 103.00, Cent);
    ExpectEach(a.unitStakes, &PlacedStake::net, {203.00, 203.35, 204.20, 205.00});

    // 10000 cents x (176, 480, 165, 66)/887 = 1984.22, 5411.50, 1860.18, 744.08: the floors
    // leave one cent, to the largest remainder (the second horse).
    // 19.84 x 15 = 297.60; 54.12 x 5.5 = 297.66; 18.60 x 16 = 297.60; 7.44 x 40 = 297.60.
    ExpectEach(a.budgetStakes, &PlacedStake::stake, {19.84, 54.12, 18.60, 7.44});
    EXPECT_NEAR(a.budgetTotal, 100, Cent);
    ExpectEach(a.budgetStakes, &PlacedStake::net, {197.60, 197.66, 197.60, 197.60});
    EXPECT_TRUE(a.poolHorses.empty()); // no pool given
}

// Odds 7, 3, 12 played among 7, 3, 12, 4.5, 4.5 with stakes 31.25, 62.50, 19.23 (112.98), a
// win pool of 10000 and 14 % kept. Books: 1/8 + 1/4 + 1/13 + 2/11 = 933/1144 for the race,
// 517/1144 played, 517/933 = 0.554126 covered; expected 112.98 x 211/933 = 23838.78/933
// = 25.550675.
// Public stakes 8600/8 = 1075, 8600/4 = 2150, 8600/13 = 661.538; the pool becomes 10112.98,
// 0.86 x 10112.98 = 8697.1628 shared:
//   8697.1628 / 1106.25 - 1 = 6.861842 (fall 1.97 %), net 31.25 x 7.861842 - 112.98 = 132.7026
//   8697.1628 / 2212.50 - 1 = 2.930921 (fall 2.30 %: a warning), net 62.5 x 3.930921 - 112.98
//   8697.1628 / 680.7685 - 1 = 11.775508 (fall 1.87 %), net 19.23 x 12.775508 - 112.98 = 132.693
TEST(BetAnalysis, StakesInThePool) {
    BetAnalysisInput input = Played({7, 3, 12}, {"31.25", "62.50", "19.23"});
    input.others = {4.5f, 4.5f};
    input.pool = 10000;
    input.takeout = 0.14;
    BetAnalysis a = Analysed(AnalyseBet(input));

    EXPECT_NEAR(a.raceBook, 933.0 / 1144, 1e-9);
    EXPECT_NEAR(a.playedBook, 517.0 / 1144, 1e-9);
    EXPECT_NEAR(a.coveredShare, 0.554126, 1e-6);
    EXPECT_NEAR(a.expectedResult, 25.550675, Cent);
    ExpectEach(a.poolHorses, &PoolOutcome::finalOdds, {6.861842, 2.930921, 11.775508});
    ExpectEach(a.poolHorses, &PoolOutcome::fall, {0.019737, 0.023026, 0.018708});
    ExpectEach(a.poolHorses, &PoolOutcome::net, {132.7026, 132.7026, 132.693});
    ExpectEach(a.poolHorses, &PoolOutcome::warning, {0, 1, 0});
}

TEST(BetAnalysis, RefusesWhatCannotBeAnalysed) {
    struct Case {
        BetAnalysisInput input;
        AnalysisRefusal why;
    } cases[] = {
        {Played({}, {}), AnalysisRefusal::NoHorse},
        {Played({4, 5}, {"10.00", "aucun"}), AnalysisRefusal::NoStakes},
        {Played({4}, {"???"}), AnalysisRefusal::NoStakes},
        {Played({4}, {"-5"}), AnalysisRefusal::NoStakes},
        {Played({-1}, {"10"}), AnalysisRefusal::UnusableOdds}, // a payout factor of 0
    };
    for (const Case& c : cases) {
        auto result = AnalyseBet(c.input);
        ASSERT_TRUE(std::holds_alternative<AnalysisRefusal>(result));
        EXPECT_EQ(std::get<AnalysisRefusal>(result), c.why);
    }
}

TEST(BetAnalysis, ShareCentsAddsUpToTheBudget) {
    struct Case {
        long long cents;
        std::vector<double> weights;
        std::vector<long long> shares;
    } cases[] = {
        {100, {1, 1, 1}, {34, 33, 33}}, // the tie goes to the first
        {1, {1, 1}, {1, 0}},
        {0, {1}, {0}},
        {5, {0, 0}, {0, 0}}, // nothing to share by
    };
    for (const Case& c : cases) EXPECT_EQ(ShareCents(c.cents, c.weights), c.shares);
}

TEST(BetAnalysis, RunnerOddsAsTheBoxesStoreThem) {
    EXPECT_EQ(RunnerOdds({"7", "", "9/2", "aucun", "4,5", "0"}, 0),
              (std::vector<float>{7, 4.5f, 4})); // "4,5" reads 4 until the box is left
    EXPECT_EQ(RunnerOdds({"5", "2.5"}, -1), (std::vector<float>{4, 1.5f}));
}

TEST(BetAnalysisTexts, TypedValues) {
    struct Case {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"4,5", 4.5}, {" 12 ", 12}, {"0", 0},     {"1,000.5", {}}, {"abc", {}},
        {"inf", {}},  {"-1", {}},   {"", {}},     {"5x", {}},      {"101", {}},
        {"1e2", 100}, {"+3", {}},   {"4.5.", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(TypedNumber(c.text, 0, 100), c.value) << c.text;

    BetAnalysisInput input;
    auto notes = ReadAnalysisSettings({"10 000", "x", "", "2", "0,5"}, input);
    EXPECT_EQ(notes.size(), 2u); // the pool and the takeout
    EXPECT_FALSE(input.pool);    // no pool without a takeout
    EXPECT_FALSE(input.budget);
    EXPECT_EQ(input.minimumStake, 2);
    EXPECT_EQ(input.stakeStep, 0.5);
    notes = ReadAnalysisSettings({"125000,50", "15,6", "80", "1.50", "0.10"}, input);
    EXPECT_TRUE(notes.empty());
    EXPECT_EQ(input.pool, 125000.5);
    EXPECT_NEAR(input.takeout, 0.156, 1e-12);
    EXPECT_EQ(input.budget, 80);
}

} // namespace
} // namespace sg
