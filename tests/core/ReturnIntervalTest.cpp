// The intervals of a return: the normal one on a sample worked by hand, the bootstrap the same
// on every run and thread count, and the generator the standard one, so the numbers are the
// same on every machine.
#include "ledger/ReturnInterval.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

BacktestRow Played(std::int32_t staked, std::int64_t won) {
    BacktestRow row;
    row.staked = staked;
    row.won = won;
    return row;
}

TEST(ReturnInterval, TheNormalIntervalOfASampleWorkedByHand) {
    // Four races of 10 euros, two won back double, two lost: a return of 0, sample deviation
    // of the nets sqrt(400 / 3), standard error of the return sqrt(400 / 3) / 2 / 10, and
    // 1.6449 of them on each side: 94.97 %.
    ReturnMoments moments;
    for (auto [staked, won] : {std::pair{10, 20}, {10, 0}, {10, 20}, {10, 0}})
        moments.Add(staked, won);
    auto interval = moments.NormalInterval();
    ASSERT_TRUE(interval);
    EXPECT_NEAR(interval->low, -94.97, 0.01);
    EXPECT_NEAR(interval->high, 94.97, 0.01);
    EXPECT_TRUE(interval->HoldsZero());
    EXPECT_EQ(moments.ReturnPercent(), 0.0);

    // Stakes of different sizes weigh in proportion: the residuals are y - R s.
    ReturnMoments sure;
    for (int i = 0; i < 50; ++i) sure.Add(10 + i % 3, 12 + i % 3);
    ASSERT_TRUE(sure.NormalInterval());
    EXPECT_FALSE(sure.NormalInterval()->HoldsZero());
    EXPECT_GT(sure.NormalInterval()->low, 0);

    ReturnMoments one;
    one.Add(10, 20);
    EXPECT_FALSE(one.NormalInterval());
    EXPECT_FALSE(ReturnMoments().ReturnPercent());
}

TEST(ReturnInterval, TheBootstrapIsTheSameOnEveryRunAndThreadCount) {
    std::vector<BacktestRow> rows;
    SplitMix64 random(3);
    for (int i = 0; i < 500; ++i) {
        auto staked = static_cast<std::int32_t>(10 + random.Below(90));
        rows.push_back(Played(staked, random.Below(4) == 0 ? staked * 3 : 0));
        if (i % 7 == 0) rows.push_back(BacktestRow{0, SkipReason::NoResult});
    }
    auto once = BootstrapInterval(rows, 500, 42, 1);
    auto again = BootstrapInterval(rows, 500, 42, 2);
    ASSERT_TRUE(once && again);
    EXPECT_EQ(once->low, again->low);
    EXPECT_EQ(once->high, again->high);
    EXPECT_LT(once->low, once->high);
    auto otherSeed = BootstrapInterval(rows, 500, 43, 1);
    EXPECT_NE(once->low, otherSeed->low);

    EXPECT_FALSE(BootstrapInterval({Played(10, 20)}));
    EXPECT_FALSE(BootstrapInterval({Played(0, 0), Played(0, 5)})); // nothing staked
}

TEST(ReturnInterval, TheGeneratorGivesTheStandardSequence) {
    // splitmix64 from 0, as published with the algorithm.
    SplitMix64 random(0);
    EXPECT_EQ(random.Next(), 0xE220A8397B1DCDAFull);
    EXPECT_EQ(random.Next(), 0x6E789E6AA1B965F4ull);
    for (std::uint32_t bound : {1u, 2u, 7u, 32767u}) EXPECT_LT(random.Below(bound), bound);
}

} // namespace
} // namespace sg
