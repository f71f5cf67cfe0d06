// "JOUER": the bet on screen played against the stored result of the current race, and the
// running balance of every play since the start or the last reset.
#pragma once

#include "ledger/Arrival.h"
#include "ledger/LedgerState.h"
#include "ledger/PlaceColours.h"
#include "racefile/RaceRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sg {

// What the main window shows once its computation has run again.
struct BetOnScreen {
    std::string profitText;              // the profit label
    std::int32_t stakeTotalWhole = 0;    // the total of the shown stakes, rounded
    int playedHorses = 0;                // rows 1..playedHorses are played
    std::array<std::string, 10> numbers; // the PMU numbers of rows 1..9
    std::array<std::string, 10> stakes;  // the shown stakes of rows 1..9
};

struct BalanceTexts {
    std::string lblMontantJoue, lblTotalMises, lblGagne, lblTotaldesgains, lblBilan;
};

struct PlayOutcome {
    enum class Kind {
        Played,
        LosingBet,    // the profit shown is negative: nobody plays to lose money
        BeyondLimits, // amounts the balance cannot count: nothing is booked
    } kind = Kind::Played;
    std::int64_t won = 0;
    BalanceTexts texts;
    Rgb mark; // the options window's mark: yellow for gains, red for losses
};

// The play of a bet against a race before anything is booked: refused (LosingBet, or
// BeyondLimits when the return cannot be counted), or what it stakes and wins. The stake is the
// rounded total; the return is the winner's payout times the shown stake of the row that
// carries the winner, rounded halves to even. A row whose number reads 0 never wins.
struct PlaySettlement {
    PlayOutcome::Kind kind = PlayOutcome::Kind::Played;
    std::int32_t staked = 0;
    std::int64_t won = 0;
    ArrivalNumbers arrival{};
    double payout = 0; // the winner's payout as read; 0 when none is stored
};
PlaySettlement SettlePlay(const BetOnScreen& bet, RaceFieldsView race);
// What the winner's row returns: the payout times its shown stake, rounded halves to even;
// empty beyond 64 bits.
std::optional<std::int64_t> ReturnOfStake(double payout, double shownStake);
// The same with the race's arrival and winner's payout already read.
PlaySettlement SettlePlay(const BetOnScreen& bet, const ArrivalNumbers& arrival, double payout);

// Adds a play's stake and return to the ledger's totals; false, leaving them as they were,
// when a total or the balance would not fit in 64 bits. (Inline: a comparison books millions.)
inline bool BookPlay(LedgerState& ledger, std::int64_t staked, std::int64_t won) {
    std::int64_t stakes = 0, gains = 0, balance = 0;
    if (__builtin_add_overflow(ledger.TotalStakes, staked, &stakes) ||
        __builtin_add_overflow(ledger.TotalGains, won, &gains) ||
        __builtin_sub_overflow(gains, stakes, &balance))
        return false;
    ledger.TotalStakes = stakes;
    ledger.TotalGains = gains;
    return true;
}

// Settles the play, books it into the ledger (only when played) and says what the window
// shows.
PlayOutcome Play(LedgerState& ledger, const BetOnScreen& bet, RaceFieldsView race,
                 char decimalSeparator);

// "Mettre les comptes à zéro": the totals back to 0 and the labels to their captions.
BalanceTexts ResetLedger(LedgerState& ledger);

// The labels' captions before any play.
BalanceTexts StartBalanceTexts();

} // namespace sg
