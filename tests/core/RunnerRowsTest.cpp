#include "racefile/RunnerRows.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

// The runner rows scenario fills the number lists for 12, 4 and no runners, the race scenarios
// read "22 ?" and "17"; the widget tests fill 32767 and refuse 40000.
TEST(RunnerRows, TheCountBoxReadsAsAWholeNumber) {
    EXPECT_EQ(RunnerCountOf("12.5"), 12);
    EXPECT_EQ(RunnerCountOf("abc"), 0);
    EXPECT_TRUE(PmuNumberItems(-4).empty());
}

TEST(RunnerRows, DeletingARowMovesTheRowsBelowUpAndEmptiesRowN) {
    struct Case {
        int index, n;
        const char* after; // rows 1..12 as the row they came from, "-" when empty
    } cases[] = {
        {3, 10, "1 2 4 5 6 7 8 9 10 - 11 12"}, {5, 2, "1 - 3 4 5 6 7 8 9 10 11 12"},
        {1, 1, "- 2 3 4 5 6 7 8 9 10 11 12"},  {9, 40, "1 2 3 4 5 6 7 8 10 11 12 13"},
        {4, -3, "1 2 3 4 5 6 7 8 9 10 11 12"},
    };
    for (const auto& c : cases) {
        RowTexts odds, numbers;
        for (int i = 1; i <= RunnerRows; ++i) {
            odds[i] = std::to_string(i);
            numbers[i] = "#" + odds[i];
        }
        DeleteRunnerRow(odds, numbers, c.index, c.n);
        std::string after;
        for (int i = 1; i <= 12; ++i) {
            after += (i > 1 ? " " : "") + (odds[i].empty() ? "-" : odds[i]);
            EXPECT_EQ(numbers[i], odds[i].empty() ? "" : "#" + odds[i]) << i; // rows move whole
        }
        EXPECT_EQ(after, c.after) << c.index << "/" << c.n;
        if (c.n == 40) {
            EXPECT_EQ(odds[22], "22"); // nothing beyond row 22 moves into it
        }
    }
}

// The widget tests enable the rows of 14 runners and leave them for 5.
TEST(RunnerRows, ARacesRunnerCountEnablesItsRowsFromTheFifth) {
    EXPECT_FALSE(RowsEnabledForRunnerCount(14)[4].has_value());
    EXPECT_EQ(RowsEnabledForRunnerCount(99)[22], true);
    for (double small : {0.0, -3.0}) {
        for (const auto& row : RowsEnabledForRunnerCount(small)) EXPECT_FALSE(row.has_value());
    }
}

} // namespace
} // namespace sg
