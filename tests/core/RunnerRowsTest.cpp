#include "racefile/RunnerRows.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

TEST(RunnerRows, TheCountBoxReadsAsAWholeNumber) {
    EXPECT_EQ(RunnerCountOf("18"), 18);
    EXPECT_EQ(RunnerCountOf("22 ?"), 22);
    EXPECT_EQ(RunnerCountOf("12.5"), 12);
    EXPECT_EQ(RunnerCountOf(""), 0);
    EXPECT_EQ(RunnerCountOf("abc"), 0);
    EXPECT_FALSE(RunnerCountOf("40000").has_value());
    EXPECT_EQ(PmuNumberItems(3), (std::vector<std::string>{" 1", " 2", " 3"}));
    EXPECT_TRUE(PmuNumberItems(-4).empty());
    EXPECT_EQ(PmuNumberItems(32767).back(), " 32767");
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

TEST(RunnerRows, ARacesRunnerCountEnablesItsRowsFromTheFifth) {
    auto rows = RowsEnabledForRunnerCount(14);
    EXPECT_FALSE(rows[4].has_value());
    EXPECT_EQ(rows[5], true);
    EXPECT_EQ(rows[14], true);
    EXPECT_EQ(rows[15], false);
    EXPECT_EQ(rows[22], false);
    for (double small : {5.0, 0.0, -3.0}) {
        for (const auto& row : RowsEnabledForRunnerCount(small)) EXPECT_FALSE(row.has_value());
    }
    EXPECT_EQ(RowsEnabledForRunnerCount(99)[22], true);
}

} // namespace
} // namespace sg
