#include "racefile/RaceLoading.h"
#include "racefile/Navigation.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

RaceRecord Race(const std::string& runners, std::vector<std::string> pmhOdds) {
    RaceRecord record;
    record.SetField(RaceField::RunnerCount, runners);
    for (std::size_t i = 0; i < pmhOdds.size(); ++i)
        record.SetSlot(*OddsSlot(RaceField::OddsPMH, static_cast<int>(i) + 1), pmhOdds[i]);
    return record;
}

// The first `count` rows as "number=odds", separated by blanks.
std::string Rows(const RunnerRowsFill& fill, int count) {
    std::string rows;
    for (int i = 1; i <= count; ++i)
        rows += (i > 1 ? " " : "") + fill.numbers[i] + "=" + fill.odds[i];
    return rows;
}

TEST(SortRunners, PlacesTheHorsesByAscendingOddsTiesToTheLowerNumber) {
    const RaceRecord example = Race("6", {"5", "3", "0", "3", "9/2", "12"});
    struct Case {
        RaceRecord record;
        int rows;
        const char* first; // the first six rows, "number=odds"
    } cases[] = {
        {example, 6, " 2=3  4=3  5=4.5  1=5  6=12  0="},
        {Race("3 ", {"1/3", ".5", "9.5/2"}), 3, " 1=.3333333  2=.5  3=5"},
        {Race("3", {"998", "abc", "-2"}), 3, " 3=-2  0=  0="}, // beyond the marks: left out
        {Race("40", {"7"}), 22, " 1=7  0=  0=  0=  0=  0="},   // a count beyond the rows
        {Race("", {"7"}), 0, ""},
    };
    for (const auto& c : cases) {
        std::array<float, RunnerRows + 1> stored{};
        RunnerRowsFill fill = SortRunners(c.record, OddsSet::PMH, stored);
        EXPECT_EQ(Rows(fill, std::min(c.rows, 6)), c.first);
        EXPECT_EQ(fill.filledRows, c.rows) << c.first;
        EXPECT_EQ(fill.clearedRows, c.rows) << c.first;
    }
    // The same record sorts the same way every time, whatever the marks left before.
    std::array<float, RunnerRows + 1> stored{};
    RunnerRowsFill first = SortRunners(example, OddsSet::PMH, stored);
    EXPECT_EQ(stored[1], PlacedMark);
    EXPECT_EQ(stored[3], NoOddsMark);
    EXPECT_EQ(SortRunners(example, OddsSet::PMH, stored).numbers, first.numbers);
}

TEST(Navigation, ZonesAndTheRaceEachMoveLeadsTo) {
    using enum NavigationZone;
    struct Zone {
        int x, y;
        NavigationZone zone;
    } zones[] = {
        {0, 0, Previous},   {379, 300, Previous}, {380, 100, None}, {381, 164, Number},
        {381, 165, Last},   {1079, 0, Number},    {1080, 0, Next},  {1514, 389, Next},
        {700, -50, Number}, {-5, 100, Previous},
    };
    for (const auto& z : zones) EXPECT_EQ(ZoneAt(z.x, z.y), z.zone) << z.x << "," << z.y;

    // The moves from a race the file has are in the navigation scenario.
    EXPECT_EQ(PreviousRaceOf(0), 1);
    EXPECT_EQ(LastRaceOf(40000), 32767);
}

TEST(Navigation, TheAnswerToTheRaceNumberQuestion) {
    using enum RaceNumberAnswer::Kind;
    struct Case {
        std::optional<std::string> answer;
        RaceNumberAnswer::Kind kind;
        int race; // for Go
    } cases[] = {
        {{}, ReloadOnly, 0},
        {"0", ReloadOnly, 0},
        {"deux", ReloadOnly, 0},
        {"12abc", ReloadOnly, 0},
        {"4,5", ReloadOnly, 0},
        {"0.4", ReloadOnly, 0},
        {" 7 ", Go, 7},
        {"2.5", Go, 2},
        {"3.5", Go, 4},
        {"1e2", Go, 100},
        {"32767", Go, 32767},
        {"32767.5", KeepCurrent, 0},
        {"1e400", KeepCurrent, 0},
    };
    for (const auto& c : cases) {
        RaceNumberAnswer answer = AnswerToRaceNumber(c.answer);
        EXPECT_EQ(answer.kind, c.kind) << c.answer.value_or("(cancel)");
        EXPECT_EQ(answer.race, c.race) << c.answer.value_or("(cancel)");
    }
}

} // namespace
} // namespace sg
