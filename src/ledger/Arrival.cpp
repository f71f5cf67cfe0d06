#include "ledger/Arrival.h"

#include "numbers/Numbers.h"

namespace sg {

ArrivalNumbers ParseArrival(RaceFieldsView record) {
    ArrivalNumbers arrival{};
    for (int place = 1; place <= ArrivalSlotCount; ++place)
        arrival[place] = PlaceNumber(record, place);
    return arrival;
}

double PlaceNumber(RaceFieldsView record, int place) {
    double number = record.SlotNumber(*ArrivalSlot(place)).value_or(0);
    return place == 5 ? RoundHalfEvenInt32(number).value_or(0) : number;
}

std::string ArrivalMessage(const ArrivalNumbers& arrival, const std::string& winnerPayoutText) {
    return "Le " + ShortestText(arrival[1]) + " est arrivé 1er et a payé " + winnerPayoutText +
           " Fr. pour 1 franc.";
}

std::array<RowColours, RunnerRows + 1> ArrivalColours(const ArrivalNumbers& arrival,
                                                      const RowTexts& rowNumbers) {
    std::array<RowColours, RunnerRows + 1> rows{};
    if (arrival[1] == 0) return rows;
    for (int row = 1; row <= RunnerRows; ++row) {
        auto shown = LeadingNumber(rowNumbers[row]);
        if (!shown) continue;
        for (int place = 1; place <= ArrivalSlotCount; ++place) {
            if (arrival[place] == 0 || arrival[place] != *shown) continue;
            rows[row].mark = PlaceColours[place];
            if (place == 1) rows[row].box = PlaceColours[1];
        }
    }
    return rows;
}

} // namespace sg
