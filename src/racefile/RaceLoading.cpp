#include "racefile/RaceLoading.h"

#include "numbers/Numbers.h"

#include <algorithm>

namespace sg {

namespace {

// The runner count of the record as a whole number; 0 when it cannot be read.
int RecordRunnerCount(RaceFieldsView record) {
    auto count = record.FieldNumber(RaceField::RunnerCount);
    auto rounded = count ? RoundHalfEvenInt16(*count) : std::nullopt;
    return rounded.value_or(0);
}

} // namespace

int ReadStoredOdds(RaceFieldsView record, OddsSet set,
                   std::array<float, RunnerRows + 1>& storedOdds) {
    int runners = std::clamp(RecordRunnerCount(record), 0, RunnerRows);
    RaceField field = OddsFieldOf(set);
    for (int horse = 1; horse <= runners; ++horse)
        storedOdds[horse] = record.OddsValue(field, horse).value_or(0.0f);
    return runners;
}

RunnerRanking RankRunners(std::array<float, RunnerRows + 1>& storedOdds, int runners,
                          int rowsWanted) {
    RunnerRanking ranking;
    ranking.filledRows = std::clamp(rowsWanted, 0, runners);
    for (int row = 1; row <= ranking.filledRows; ++row) {
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
        ranking.horses[row] = chosen;
        if (minimum != PlacedMark) ranking.odds[row] = minimum;
    }
    return ranking;
}

RunnerRowsFill SortRunners(RaceFieldsView record, OddsSet set,
                           std::array<float, RunnerRows + 1>& storedOdds, int rowsWanted) {
    RunnerRowsFill fill;
    fill.runners = ReadStoredOdds(record, set, storedOdds);
    fill.clearedRows = fill.runners;
    RunnerRanking ranking = RankRunners(storedOdds, fill.runners, rowsWanted);
    fill.filledRows = ranking.filledRows;
    for (int row = 1; row <= fill.filledRows; ++row) {
        fill.horses[row] = ranking.horses[row];
        fill.numbers[row] = GeneralText(static_cast<double>(ranking.horses[row]));
        if (ranking.odds[row]) {
            std::string odds = GeneralText(*ranking.odds[row]);
            fill.odds[row] = !odds.empty() && odds.front() == ' ' ? odds.substr(1) : odds;
        }
    }
    return fill;
}

std::string RaceNumberCaption(int race) {
    return "Course actuelle: " + GeneralText(static_cast<double>(race));
}

std::string RunnerCountText(RaceFieldsView record) {
    return record.FieldText(RaceField::RunnerCount);
}

std::string WinnerPayoutText(RaceFieldsView record) {
    return Trim(record.SlotText(*PayoutSlot(0)));
}

double WinnerPayout(RaceFieldsView record) {
    // Loading a race turns a stored "3,4" into 3.4 for "JOUER" (the results window keeps a
    // point): a pass over the file reads it the same way.
    return LeadingNumber(PointForEveryComma(record.SlotText(*PayoutSlot(0)))).value_or(0);
}

} // namespace sg
