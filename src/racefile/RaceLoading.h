// How a race's record fills the main window: the runners sorted by their stored odds,
// favourite first, the runner count and the race number.
#pragma once

#include "racefile/RaceRecord.h"
#include "racefile/RunnerRows.h"

#include <array>
#include <optional>
#include <string>

namespace sg {

// Odds values the sort writes over the stored odds: no odds, and a horse already placed.
// Both lie above any odds the sort picks.
inline constexpr float NoOddsMark = 999.0f;
inline constexpr float PlacedMark = 998.0f;

struct RunnerRowsFill {
    int runners = 0;     // the runner count of the record, 0 to 22
    int clearedRows = 0; // the odds boxes of rows 1..clearedRows are emptied first,
    int filledRows = 0;  // then rows 1..filledRows take a horse number and its odds
    RowTexts numbers;    // " 7" (" 0" when no horse was left)
    std::array<int, RunnerRows + 1> horses{}; // the same numbers, 0 when no horse was left
    RowTexts odds;                            // "4.5"; empty when no horse with odds was left
};

// Reads the odds of horses 1 to the runner count (at most 22) of the set into storedOdds
// (indexed by horse number; an odds slot that cannot be read counts as no odds), then places
// the horses by ascending odds, ties to the lower number. storedOdds keeps the marks the sort
// leaves. A fraction stored as "9/2" comes back as 4.5. Only the first rowsWanted rows are
// filled when fewer are wanted; they are the same as in a full sort.
RunnerRowsFill SortRunners(RaceFieldsView record, OddsSet set,
                           std::array<float, RunnerRows + 1>& storedOdds,
                           int rowsWanted = RunnerRows);

// The two halves of that sort as numbers, for passes over many races. The first reads the odds
// and returns the runner count (0 to 22).
int ReadStoredOdds(RaceFieldsView record, OddsSet set,
                   std::array<float, RunnerRows + 1>& storedOdds);

struct RunnerRanking {
    int filledRows = 0;                                    // rows 1..filledRows take a horse number
    std::array<int, RunnerRows + 1> horses{};              // 0 when no horse was left
    std::array<std::optional<float>, RunnerRows + 1> odds; // empty when no horse with odds was left
};
RunnerRanking RankRunners(std::array<float, RunnerRows + 1>& storedOdds, int runners,
                          int rowsWanted);

// "Course actuelle: " and the race number with the blank of the general conversion.
std::string RaceNumberCaption(int race);

// The runner-count field exactly as stored ("8 "; empty for zero bytes).
std::string RunnerCountText(RaceFieldsView record);

// The winner's payout for 1 euro as stored, trimmed of spaces.
std::string WinnerPayoutText(RaceFieldsView record);

// That payout read as a number, a decimal comma as a point; 0 when none is stored or it cannot
// be read.
double WinnerPayout(RaceFieldsView record);

} // namespace sg
