#include "racefile/ResultsEntry.h"

#include "numbers/Numbers.h"

#include <algorithm>

namespace sg {

ResultsWindowTexts ResultsWindowTextsOf(const RaceRecord& record, int currentRace) {
    ResultsWindowTexts texts;
    for (int i = 0; i < PayoutSlotCount; ++i) texts.payouts[i] = record.SlotText(*PayoutSlot(i));
    for (int i = 1; i <= ArrivalSlotCount; ++i) texts.arrival[i] = record.SlotText(*ArrivalSlot(i));
    texts.caption = "Rapports et arrivée de la course " + WholeText(currentRace);
    return texts;
}

std::optional<std::string> ClearedArrivalText(const std::string& boxText) {
    if (Trim(boxText) == "0") return std::string();
    return std::nullopt;
}

void StoreArrivalBox(RaceRecord& record, int index, const std::string& text) {
    if (auto slot = ArrivalSlot(index)) record.SetSlot(*slot, text);
}

void StorePayoutBox(RaceRecord& record, int index, const std::string& text) {
    // The sibling programs and every reader of the payout stop at a comma: "3,4" would pay 3.
    if (auto slot = PayoutSlot(index)) record.SetSlot(*slot, PointForEveryComma(text));
}

void StoreOddsFromRows(RaceRecord& record, OddsSet set, const RowTexts& numbers,
                       const RowTexts& odds) {
    auto count = record.FieldNumber(RaceField::RunnerCount);
    auto rows = count ? RoundHalfEvenInt16(*count) : std::nullopt;
    int last = std::min<int>(rows.value_or(0), RunnerRows);
    for (int row = 1; row <= last; ++row) {
        auto number = LeadingNumber(numbers[row]);
        if (number && *number == 0) return;
        auto position = number ? RoundHalfEvenInt32(5 * *number) : std::nullopt;
        if (!position) continue;
        record.SetSlot(OddsFieldOf(set), *position, 5, odds[row]);
    }
}

bool PrepareSave(RaceRecord& record, const ResultsToSave& save) {
    record.SetField(RaceField::RunnerCount, Trim(save.runnerCountText));
    if (LeadingNumber(record.FieldText(RaceField::RunnerCount)).value_or(0) == 0) return false;
    if (save.oddsSet) StoreOddsFromRows(record, *save.oddsSet, save.numbers, save.odds);
    for (int i = 0; i < PayoutSlotCount; ++i) StorePayoutBox(record, i, save.payouts[i]);
    for (int i = 1; i <= ArrivalSlotCount; ++i) StoreArrivalBox(record, i, save.arrival[i]);
    return true;
}

} // namespace sg
