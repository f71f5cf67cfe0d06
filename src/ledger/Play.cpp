#include "ledger/Play.h"

#include "numbers/Numbers.h"
#include "racefile/RaceLoading.h"

#include <cmath>

namespace sg {

namespace {

constexpr Rgb Yellow{255, 255, 0};
constexpr Rgb Red{255, 0, 0};

// The winner's payout times the stake of the last played row that carries the winner.
std::optional<std::int64_t> AmountWon(const BetOnScreen& bet, double winner, double payout) {
    std::int64_t won = 0;
    for (int row = 1; row <= bet.playedHorses && row <= 9; ++row) {
        auto number = LeadingNumber(bet.numbers[row]);
        if (!number || *number == 0 || *number != winner) continue;
        auto returned = ReturnOfStake(payout, LeadingNumberOr0(bet.stakes[row]));
        if (!returned) return std::nullopt;
        won = *returned;
    }
    return won;
}

} // namespace

std::optional<std::int64_t> ReturnOfStake(double payout, double shownStake) {
    double rounded = RoundHalfEven(payout * shownStake);
    if (!std::isfinite(rounded) || std::fabs(rounded) >= 0x1p63) return std::nullopt;
    return static_cast<std::int64_t>(rounded);
}

BalanceTexts StartBalanceTexts() {
    return {"Montant joué cette fois:", "Ce qui porte le total des mises à:",
            "Montant gagné cette fois:", "Ce qui porte le total des gains à:",
            "Le BILAN actuel est de:"};
}

PlaySettlement SettlePlay(const BetOnScreen& bet, RaceFieldsView race) {
    return SettlePlay(bet, ParseArrival(race), WinnerPayout(race));
}

PlaySettlement SettlePlay(const BetOnScreen& bet, const ArrivalNumbers& arrival, double payout) {
    PlaySettlement settlement;
    // Refused exactly when the warning shows: the profit text is negative. Its value would
    // read -0 for "-0,50 Euros", the parse stopping at the decimal comma.
    if (!bet.profitText.empty() && bet.profitText[0] == '-') {
        settlement.kind = PlayOutcome::Kind::LosingBet;
        return settlement;
    }
    settlement.arrival = arrival;
    settlement.payout = payout;
    auto won = AmountWon(bet, settlement.arrival[1], settlement.payout);
    if (!won) {
        settlement.kind = PlayOutcome::Kind::BeyondLimits;
        return settlement;
    }
    settlement.staked = bet.stakeTotalWhole;
    settlement.won = *won;
    return settlement;
}

PlayOutcome Play(LedgerState& ledger, const BetOnScreen& bet, RaceFieldsView race, char separator) {
    PlayOutcome outcome;
    PlaySettlement settlement = SettlePlay(bet, race);
    if (settlement.kind == PlayOutcome::Kind::Played &&
        !BookPlay(ledger, settlement.staked, settlement.won))
        settlement.kind = PlayOutcome::Kind::BeyondLimits;
    if (settlement.kind != PlayOutcome::Kind::Played) {
        outcome.kind = settlement.kind;
        return outcome;
    }
    ledger.ArrivalNumbers = settlement.arrival;
    outcome.won = settlement.won;

    BalanceTexts& texts = outcome.texts;
    texts.lblMontantJoue =
        "Montant joué cette fois: " + WholeAmount(bet.stakeTotalWhole, separator);
    texts.lblTotalMises =
        "Ce qui porte le total des mises à: " + WholeAmount(ledger.TotalStakes, separator);
    texts.lblGagne = "Montant gagné cette fois: " + WholeAmount(settlement.won, separator);
    texts.lblTotaldesgains =
        "Ce qui porte le total des gains à: " + WholeAmount(ledger.TotalGains, separator);
    std::int64_t balance = ledger.TotalGains - ledger.TotalStakes;
    bool gainsAhead = ledger.TotalStakes <= ledger.TotalGains;
    texts.lblBilan =
        (gainsAhead ? "BILAN: GAINS de " : "BILAN: PERTES de ") + WholeAmount(balance, separator);
    outcome.mark = gainsAhead ? Yellow : Red;
    // The play still counts its stake when the race has no payout stored.
    if (settlement.payout == 0)
        texts.lblBilan = "BILAN NON DISPONIBLE (cette course n'a pas de rapports insérés)";
    return outcome;
}

BalanceTexts ResetLedger(LedgerState& ledger) {
    ledger.TotalStakes = ledger.TotalGains = 0;
    BalanceTexts texts = StartBalanceTexts();
    texts.lblTotaldesgains = "Ce qui porte le total des gains à: ";
    texts.lblBilan = "BILAN mis à zéro";
    return texts;
}

} // namespace sg
