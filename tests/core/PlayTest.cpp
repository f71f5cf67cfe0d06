#include "ledger/Play.h"
#include "calc/OddsVariation.h"
#include "numbers/OddsText.h"

#include <gtest/gtest.h>

#include <limits>

namespace sg {
namespace {

using Kind = PlayOutcome::Kind;

RaceRecord Result(const std::string& winner, const std::string& payout) {
    RaceRecord race;
    race.SetSlot(*ArrivalSlot(1), winner);
    race.SetSlot(*PayoutSlot(0), payout);
    return race;
}

// Two horses played: 20.00 on horse 3 and 15.00 on horse 8, 35 booked.
BetOnScreen TwoHorses() {
    BetOnScreen bet{"16.50 Euros", 35, 2, {}, {}};
    bet.numbers[1] = " 3";
    bet.numbers[2] = " 8";
    bet.stakes[1] = "20.00";
    bet.stakes[2] = "15.00";
    return bet;
}

// The plays of the scenarios (play_balance) book a won race, a lost one and one without a
// payout, and reset the totals.
TEST(Play, TotalsAddUpAndEqualTotalsAreGains) {
    LedgerState ledger;
    BetOnScreen bet = TwoHorses();
    bet.stakes[2] = "15.5555"; // the row's own shown stake: 4 x 15.5555 = 62.22, 62 won
    bet.stakeTotalWhole = 31;
    EXPECT_EQ(Play(ledger, bet, Result("8", "4"), '.').won, 62);
    PlayOutcome second = Play(ledger, bet, Result("3", "0.5"), '.'); // 10 won
    EXPECT_EQ(second.texts.lblBilan, "BILAN: GAINS de 10.00");
    PlayOutcome third = Play(ledger, bet, Result("5", "3"), '.');
    EXPECT_EQ(ledger.TotalStakes, 93);
    EXPECT_EQ(ledger.TotalGains, 72);
    EXPECT_EQ(third.texts.lblBilan, "BILAN: PERTES de -21.00");
    PlayOutcome noWinner = Play(ledger, bet, Result("", "4.5"), '.'); // a payout, no winner
    EXPECT_EQ(noWinner.won, 0);
    EXPECT_EQ(noWinner.texts.lblBilan, "BILAN: PERTES de -52.00");

    LedgerState level;
    bet.stakes[2] = "5.00";
    bet.stakeTotalWhole = 10;
    PlayOutcome equal = Play(level, bet, Result("8", "2"), '.');
    EXPECT_EQ(equal.texts.lblBilan, "BILAN: GAINS de .00");
    EXPECT_EQ(equal.mark.blue, 0);
}

TEST(Play, ALosingBetOrAmountsBeyondTheTotalsBookNothing) {
    struct Case {
        const char *profit, *payout;
        std::int64_t stakesBefore;
        Kind kind;
    } cases[] = {
        {"-30.00 Euros", "4.5", 0, Kind::LosingBet},
        {"-0,50 Euros", "4.5", 0, Kind::LosingBet},
        {"16.50 Euros", "1e300", 0, Kind::BeyondLimits},
        {"16.50 Euros", "4.5", std::numeric_limits<std::int64_t>::max(), Kind::BeyondLimits},
    };
    for (const auto& c : cases) {
        LedgerState ledger;
        ledger.TotalStakes = c.stakesBefore;
        BetOnScreen bet = TwoHorses();
        bet.profitText = c.profit;
        EXPECT_EQ(Play(ledger, bet, Result("8", c.payout), '.').kind, c.kind) << c.payout;
        EXPECT_EQ(ledger.TotalStakes, c.stakesBefore) << c.payout;
        EXPECT_EQ(ledger.TotalGains, 0) << c.payout;
    }
    // Far beyond a double's exact whole numbers, the amounts are still written exactly.
    LedgerState ledger;
    ledger.TotalStakes = ledger.TotalGains = 9007199254740993; // 2^53 + 1
    PlayOutcome outcome = Play(ledger, TwoHorses(), Result("5", "2"), '.');
    EXPECT_EQ(outcome.texts.lblTotalMises,
              "Ce qui porte le total des mises à: 9007199254741028.00");
}

TEST(OddsVariation, FirstAndLatestReadingsGiveTheMove) {
    struct Case {
        std::string first, last, text;
        int blue;
    } cases[] = {
        {"9/2", "4", "Moins  .5", 0}, {"5", "8", "Plus  3", 255},   {"5", "5", "Inchangée", 0},
        {"", "", "Inchangée", 0},     {"4,5", "4", "Inchangée", 0}, {"12", "2.5", "Moins  9.5", 0},
    };
    for (const auto& c : cases) {
        auto variation = OddsVariation(ConvertOddsText(c.first), ConvertOddsText(c.last));
        ASSERT_TRUE(variation) << c.first;
        EXPECT_EQ(variation->text, c.text) << c.first << " " << c.last;
        EXPECT_EQ(variation->green, 255);
        EXPECT_EQ(variation->blue, c.blue);
    }
    EXPECT_FALSE(OddsVariation(ConvertOddsText("1e400"), 5.0));
    EXPECT_FALSE(OddsVariation(1e39, 0.0));
}

} // namespace
} // namespace sg
