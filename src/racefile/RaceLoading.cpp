#include "racefile/RaceLoading.h"

#include "numbers/Numbers.h"

#include <algorithm>

namespace sg {

namespace {

// The runner count of the record as a whole number; 0 when it cannot be read.
int RecordRunnerCount(const RaceRecord& record) {
    auto count = record.FieldNumber(RaceField::RunnerCount);
    auto rounded = count ? RoundHalfEvenInt16(*count) : std::nullopt;
    return rounded.value_or(0);
}

} // namespace

RunnerRowsFill SortRunners(const RaceRecord& record, OddsSet set,
                           std::array<float, RunnerRows + 1>& storedOdds) {
    RunnerRowsFill fill;
    int runners = std::clamp(RecordRunnerCount(record), 0, RunnerRows);
    RaceField field = OddsFieldOf(set);
    for (int horse = 1; horse <= runners; ++horse)
        storedOdds[horse] = record.OddsValue(field, horse).value_or(0.0f);

    fill.clearedRows = fill.filledRows = runners;
    for (int row = 1; row <= runners; ++row) {
        int chosen = 0;
        float minimum = PlacedMark;
        for (int horse = 1; horse <= runners; ++horse) {
            float& odds = storedOdds[horse];
            if (odds == 0) odds = NoOddsMark;
            if (odds < minimum) {
                minimum = odds;
                chosen = horse;
            }
        }
        if (chosen) storedOdds[chosen] = PlacedMark;
        fill.numbers[row] = GeneralText(static_cast<double>(chosen));
        if (minimum != PlacedMark) {
            std::string odds = GeneralText(minimum);
            fill.odds[row] = !odds.empty() && odds.front() == ' ' ? odds.substr(1) : odds;
        }
    }
    return fill;
}

std::string RaceNumberCaption(int race) {
    return "Course actuelle: " + GeneralText(static_cast<double>(race));
}

std::string RunnerCountText(const RaceRecord& record) {
    return record.FieldText(RaceField::RunnerCount);
}

std::string WinnerPayoutText(const RaceRecord& record) {
    return Trim(record.SlotText(*PayoutSlot(0)));
}

} // namespace sg
