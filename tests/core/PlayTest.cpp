#include "ledger/Play.h"
#include "calc/OddsVariation.h"
#include "numbers/OddsText.h"

#include <gtest/gtest.h>

#include <limits>

namespace sg {
namespace {

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
    const Rgb yellow{255, 255, 0}, red{255, 0, 0};
    struct Case {
        const char* name;
        RaceRecord race;
        char separator;
        std::int64_t won;
        std::string gagne, bilan;
        Rgb mark;
    } cases[] = {
        {"horse 8 wins", Result("8", "4.5"), '.', 68, "Montant gagné cette fois: 68.00",
         "BILAN: GAINS de 33.00", yellow},
        {"with a comma", Result("8", "4.5"), ',', 68, "Montant gagné cette fois: 68,00",
         "BILAN: GAINS de 33,00", yellow},
        {"horse 5 wins", Result("5", "6.2"), '.', 0, "Montant gagné cette fois: .00",
         "BILAN: PERTES de -35.00", red},
        {"no payout stored", Result("8", ""), '.', 0, "Montant gagné cette fois: .00",
         "BILAN NON DISPONIBLE (cette course n'a pas de rapports insérés)", red},
        {"a payout but no winner", Result("", "4.5"), '.', 0, "Montant gagné cette fois: .00",
         "BILAN: PERTES de -35.00", red},
    };
    for (const auto& c : cases) {
        LedgerState ledger;
        PlayOutcome outcome = Play(ledger, TwoHorses(), c.race, c.separator);
        ASSERT_EQ(outcome.kind, PlayOutcome::Kind::Played) << c.name;
        EXPECT_EQ(outcome.won, c.won) << c.name;
        EXPECT_EQ(ledger.TotalStakes, 35) << c.name;
        EXPECT_EQ(outcome.texts.lblGagne, c.gagne) << c.name;
        EXPECT_EQ(outcome.texts.lblBilan, c.bilan) << c.name;
        EXPECT_EQ(outcome.mark.red, c.mark.red) << c.name;
        EXPECT_EQ(outcome.mark.green, c.mark.green) << c.name;
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
        const char* name;
        std::string profit, payout;
        std::int64_t stakesBefore;
        PlayOutcome::Kind kind;
    } cases[] = {
        {"negative profit", "-30.00 Euros", "4.5", 0, PlayOutcome::Kind::LosingBet},
        {"just below zero with a comma", "-0,50 Euros", "4.5", 0, PlayOutcome::Kind::LosingBet},
        {"a payout beyond any total", "16.50 Euros", "1e300", 0, PlayOutcome::Kind::BeyondLimits},
        {"totals at their limit", "16.50 Euros", "4.5", std::numeric_limits<std::int64_t>::max(),
         PlayOutcome::Kind::BeyondLimits},
    };
    for (const auto& c : cases) {
        LedgerState ledger;
        ledger.TotalStakes = c.stakesBefore;
        BetOnScreen bet = TwoHorses();
        bet.profitText = c.profit;
        EXPECT_EQ(Play(ledger, bet, Result("8", c.payout), '.').kind, c.kind) << c.name;
        EXPECT_EQ(ledger.TotalStakes, c.stakesBefore) << c.name;
        EXPECT_EQ(ledger.TotalGains, 0) << c.name;
    }
    // Far beyond a double's exact whole numbers, the amounts are still written exactly.
    LedgerState ledger;
    ledger.TotalStakes = 9007199254740993; // 2^53 + 1
    ledger.TotalGains = 9007199254740993;
    PlayOutcome outcome = Play(ledger, TwoHorses(), Result("5", "2"), '.');
    EXPECT_EQ(outcome.texts.lblTotalMises,
              "Ce qui porte le total des mises à: 9007199254741028.00");
}

TEST(OddsVariation, FirstAndLatestReadingsGiveTheMove) {
    struct Case {
        std::string first, last, text;
        int green, blue;
    } cases[] = {
        {"9/2", "4", "Moins  .5", 255, 0}, {"5", "8", "Plus  3", 255, 255},
        {"5", "5", "Inchangée", 255, 0},   {"", "", "Inchangée", 255, 0},
        {"4,5", "4", "Inchangée", 255, 0}, {"12", "2.5", "Moins  9.5", 255, 0},
    };
    for (const auto& c : cases) {
        auto variation = OddsVariation(ConvertOddsText(c.first), ConvertOddsText(c.last));
        ASSERT_TRUE(variation) << c.first;
        EXPECT_EQ(variation->text, c.text) << c.first << " " << c.last;
        EXPECT_EQ(variation->green, c.green);
        EXPECT_EQ(variation->blue, c.blue);
    }
    EXPECT_FALSE(OddsVariation(ConvertOddsText("1e400"), 5.0));
    EXPECT_FALSE(OddsVariation(1e39, 0.0));
}

} // namespace
} // namespace sg
