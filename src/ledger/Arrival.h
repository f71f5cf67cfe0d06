// The arrival of the current race: the horses of the first five places, the message that
// names the winner, and the colours that mark the places on the runner rows.
#pragma once

#include "ledger/PlaceColours.h"
#include "racefile/RaceRecord.h"
#include "racefile/RunnerRows.h"

#include <array>
#include <string>

namespace sg {

using ArrivalNumbers = std::array<double, 6>; // places 1..5; 0 means no horse

// The arrival slots read as numbers; the fifth is rounded to a whole number, halves to even.
ArrivalNumbers ParseArrival(RaceFieldsView record);
// One place of it (1 to 5): the winner alone, say.
double PlaceNumber(RaceFieldsView record, int place);

// "Le 7 est arrivé 1er et a payé 4.5 Fr. pour 1 franc." (it has always spoken of francs).
std::string ArrivalMessage(const ArrivalNumbers& arrival, const std::string& winnerPayoutText);

struct RowColours {
    Rgb mark = NoPlaceColour; // the row's place mark
    Rgb box = NoPlaceColour;  // the background of its odds box: yellow for the winner only
};

// The colours of rows 1..22 from the numbers they show: nothing is marked while no winner is
// known; a number at two places keeps the later place's colour on its mark.
std::array<RowColours, RunnerRows + 1> ArrivalColours(const ArrivalNumbers& arrival,
                                                      const RowTexts& rowNumbers);

} // namespace sg
