// "JOUER": the bet on screen played against the stored result of the current race, and the
// running balance of every play since the start or the last reset.
#pragma once

#include "ledger/Arrival.h"
#include "ledger/LedgerState.h"
#include "ledger/PlaceColours.h"
#include "racefile/RaceRecord.h"

#include <array>
#include <cstdint>
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

// Books the play into the ledger (only when played) and says what the window shows. The
// stake is the rounded total; the return is the winner's payout times the shown stake of the
// row that carries the winner, rounded halves to even. A row whose number reads 0 never wins.
PlayOutcome Play(LedgerState& ledger, const BetOnScreen& bet, const RaceRecord& race,
                 char decimalSeparator);

// "Mettre les comptes à zéro": the totals back to 0 and the labels to their captions.
BalanceTexts ResetLedger(LedgerState& ledger);

// The labels' captions before any play.
BalanceTexts StartBalanceTexts();

} // namespace sg
