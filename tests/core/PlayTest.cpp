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

TEST(Play, BooksTheStakeAndTheReturnIntoTheBalance) {
    struct Case {
        RaceRecord race;
        char separator;
        std::int64_t won;
        const char *gagne, *bilan;
        bool yellow; // the mark, otherwise red
    } cases[] = {
        {Result("8", "4.5"), '.', 68, "68.00", "BILAN: GAINS de 33.00", true},
        {Result("8", "4.5"), ',', 68, "68,00", "BILAN: GAINS de 33,00", true},
        {Result("5", "6.2"), '.', 0, ".00", "BILAN: PERTES de -35.00", false},
        {Result("", "4.5"), '.', 0, ".00", "BILAN: PERTES de -35.00", false}, // no winner
        {Result("8", ""), '.', 0, ".00",
         "BILAN NON DISPONIBLE (cette course n'a pas de rapports insérés)", false},
    };
    for (const auto& c : cases) {
        LedgerState ledger;
        PlayOutcome outcome = Play(ledger, TwoHorses(), c.race, c.separator);
        ASSERT_EQ(outcome.kind, Kind::Played) << c.bilan;
        EXPECT_EQ(outcome.won, c.won) << c.bilan;
        EXPECT_EQ(ledger.TotalStakes, 35) << c.bilan;
        EXPECT_EQ(outcome.texts.lblGagne, "Montant gagné cette fois: " + std::string(c.gagne));
        EXPECT_EQ(outcome.texts.lblBilan, c.bilan);
        EXPECT_EQ(outcome.mark.green, c.yellow ? 255 : 0) << c.bilan;
        EXPECT_EQ(outcome.mark.red, 255) << c.bilan;
    }
    LedgerState ledger;
    PlayOutcome won = Play(ledger, TwoHorses(), Result("8", "4.5"), '.');
    EXPECT_EQ(won.texts.lblMontantJoue, "Montant joué cette fois: 35.00");
    EXPECT_EQ(won.texts.lblTotalMises, "Ce qui porte le total des mises à: 35.00");
    EXPECT_EQ(won.texts.lblTotaldesgains, "Ce qui porte le total des gains à: 68.00");
}

TEST(Play, TotalsAddUpUntilTheResetAndEqualTotalsAreGains) {
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

    LedgerState level;
    bet.stakes[2] = "5.00";
    bet.stakeTotalWhole = 10;
    PlayOutcome equal = Play(level, bet, Result("8", "2"), '.');
    EXPECT_EQ(equal.texts.lblBilan, "BILAN: GAINS de .00");
    EXPECT_EQ(equal.mark.blue, 0);

    BalanceTexts reset = ResetLedger(ledger);
    EXPECT_EQ(ledger.TotalStakes + ledger.TotalGains, 0);
    EXPECT_EQ(reset.lblBilan, "BILAN mis à zéro");
    EXPECT_EQ(reset.lblTotaldesgains, "Ce qui porte le total des gains à: ");
    EXPECT_EQ(reset.lblMontantJoue, "Montant joué cette fois:");
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
