// The results window and the record: the arrival boxes, the payout boxes, and what a save
// puts into the record besides them (the runner count and, on request, the rows' odds).
#pragma once

#include "racefile/RaceRecord.h"
#include "racefile/RunnerRows.h"

#include <array>
#include <optional>
#include <string>

namespace sg {

using ArrivalTexts = std::array<std::string, ArrivalSlotCount + 1>; // boxes 1..5
using PayoutTexts = std::array<std::string, PayoutSlotCount>;       // boxes 0..3

struct ResultsWindowTexts {
    ArrivalTexts arrival; // the slots as stored, untrimmed
    PayoutTexts payouts;
    std::string caption;
};
ResultsWindowTexts ResultsWindowTextsOf(const RaceRecord& record, int currentRace);

// A 0 is never kept as a horse number: the text an arrival box must take instead, if any.
std::optional<std::string> ClearedArrivalText(const std::string& boxText);

// A box's text, trimmed, into its slot (arrival 1..5: two characters; payout 0..3: ten). A
// payout keeps a point wherever the box shows a comma ("3,4" is stored "3.4").
void StoreArrivalBox(RaceRecord& record, int index, const std::string& text);
void StorePayoutBox(RaceRecord& record, int index, const std::string& text);

// The odds of the rows 1 to the record's runner count into the set's field, each at the
// slot of the horse number its row shows. A row whose number reads 0 ends the rows stored; a
// number whose slot position cannot be computed stores nothing for its row.
void StoreOddsFromRows(RaceRecord& record, OddsSet set, const RowTexts& numbers,
                       const RowTexts& odds);

struct ResultsToSave {
    std::string runnerCountText;    // the main window's runner-count box
    std::optional<OddsSet> oddsSet; // the set the rows' odds go to; empty: odds not stored
    RowTexts numbers, odds;         // the main window's rows
    ArrivalTexts arrival;
    PayoutTexts payouts;
};

// Puts the runner count, the rows' odds when asked and the results into the record, ready to
// be written. False, with only the runner count changed, when that count reads 0.
bool PrepareSave(RaceRecord& record, const ResultsToSave& save);

} // namespace sg
