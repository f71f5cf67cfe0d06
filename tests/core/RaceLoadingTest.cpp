#include "racefile/RaceLoading.h"
#include "racefile/Navigation.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

RaceRecord Race(const std::string& runners, OddsSet set, std::vector<std::string> odds) {
    RaceRecord record;
    record.SetField(RaceField::RunnerCount, runners);
    for (std::size_t i = 0; i < odds.size(); ++i)
        record.SetSlot(*OddsSlot(OddsFieldOf(set), static_cast<int>(i) + 1), odds[i]);
    return record;
}

TEST(SortRunners, PlacesTheHorsesByAscendingOddsTiesToTheLowerNumber) {
    struct Case {
        const char* name;
        RaceRecord record;
        OddsSet set;
        int rows;
        std::vector<std::string> numbers, odds; // the first rows
    } cases[] = {
        {"example",
         Race("6", OddsSet::PMH, {"5", "3", "0", "3", "9/2", "12"}),
         OddsSet::PMH,
         6,
         {" 2", " 4", " 5", " 1", " 6", " 0"},
         {"3", "3", "4.5", "5", "12", ""}},
        {"other set blank",
         Race("6", OddsSet::PMH, {"5", "3", "0", "3", "9/2", "12"}),
         OddsSet::PMU,
         6,
         {" 0", " 0", " 0", " 0", " 0", " 0"},
         {"", "", "", "", "", ""}},
        {"fractions and halves",
         Race("3 ", OddsSet::PMU, {"1/3", ".5", "9.5/2"}),
         OddsSet::PMU,
         3,
         {" 1", " 2", " 3"},
         {".3333333", ".5", "5"}},
        {"odds beyond the marks stay out",
         Race("3", OddsSet::PMH, {"998", "abc", "-2"}),
         OddsSet::PMH,
         3,
         {" 3", " 0", " 0"},
         {"-2", "", ""}},
        {"a count beyond the rows",
         Race("40", OddsSet::PMH, {"7"}),
         OddsSet::PMH,
         22,
         {" 1", " 0"},
         {"7", ""}},
        {"no count, no rows", Race("", OddsSet::PMH, {"7"}), OddsSet::PMH, 0, {}, {}},
    };
    for (const auto& c : cases) {
        std::array<float, RunnerRows + 1> stored{};
        RunnerRowsFill fill = SortRunners(c.record, c.set, stored);
        for (std::size_t i = 0; i < c.numbers.size(); ++i) {
            EXPECT_EQ(fill.numbers[i + 1], c.numbers[i]) << c.name << " row " << i + 1;
            EXPECT_EQ(fill.odds[i + 1], c.odds[i]) << c.name << " row " << i + 1;
        }
        EXPECT_EQ(fill.filledRows, c.rows) << c.name;
        EXPECT_EQ(fill.clearedRows, c.rows) << c.name;
    }
    // The same record sorts the same way every time, whatever the marks left before.
    std::array<float, RunnerRows + 1> stored{};
    RaceRecord example = Race("6", OddsSet::PMH, {"5", "3", "0", "3", "9/2", "12"});
    RunnerRowsFill first = SortRunners(example, OddsSet::PMH, stored);
    EXPECT_EQ(stored[1], PlacedMark);
    EXPECT_EQ(stored[3], NoOddsMark);
    EXPECT_EQ(SortRunners(example, OddsSet::PMH, stored).numbers, first.numbers);
}

TEST(RaceDisplayTexts, RaceNumberRunnerCountAndWinnersPayout) {
    RaceRecord record;
    EXPECT_EQ(RunnerCountText(record), ""); // zero bytes end the text at once
    record.SetField(RaceField::RunnerCount, "8");
    EXPECT_EQ(RunnerCountText(record), "8 ");
    record.SetSlot(*PayoutSlot(0), "  4.5 ");
    EXPECT_EQ(WinnerPayoutText(record), "4.5");
    EXPECT_EQ(RaceNumberCaption(7), "Course actuelle:  7");
}

TEST(Navigation, ZonesAndTheRaceEachMoveLeadsTo) {
    struct Zone {
        int x, y;
        NavigationZone zone;
    } zones[] = {
        {0, 0, NavigationZone::Previous},   {379, 300, NavigationZone::Previous},
        {380, 100, NavigationZone::None},   {381, 164, NavigationZone::Number},
        {381, 165, NavigationZone::Last},   {1079, 0, NavigationZone::Number},
        {1080, 0, NavigationZone::Next},    {1514, 389, NavigationZone::Next},
        {700, -50, NavigationZone::Number}, {-5, 100, NavigationZone::Previous},
    };
    for (const auto& z : zones) EXPECT_EQ(ZoneAt(z.x, z.y), z.zone) << z.x << "," << z.y;

    EXPECT_EQ(PreviousRaceOf(1), 1);
    EXPECT_EQ(PreviousRaceOf(0), 1);
    EXPECT_EQ(PreviousRaceOf(9), 8);
    EXPECT_EQ(NextRaceOf(5, 5), 6);
    EXPECT_EQ(NextRaceOf(6, 5), 6); // one past the last at most
    EXPECT_EQ(NextRaceOf(32767, 40000), 32767);
    EXPECT_EQ(LastRaceOf(0), 1);
    EXPECT_EQ(LastRaceOf(5), 5);
    EXPECT_EQ(LastRaceOf(40000), 32767);
}

TEST(Navigation, TheAnswerToTheRaceNumberQuestion) {
    using Kind = RaceNumberAnswer::Kind;
    struct Case {
        std::optional<std::string> answer;
        Kind kind;
        int race;
    } cases[] = {
        {std::nullopt, Kind::ReloadOnly, 0},
        {"", Kind::ReloadOnly, 0},
        {"0", Kind::ReloadOnly, 0},
        {"-3", Kind::ReloadOnly, 0},
        {"deux", Kind::ReloadOnly, 0},
        {"12abc", Kind::ReloadOnly, 0},
        {"4,5", Kind::ReloadOnly, 0},
        {"0.4", Kind::ReloadOnly, 0},
        {"40", Kind::Go, 40},
        {" 7 ", Kind::Go, 7},
        {"2.5", Kind::Go, 2},
        {"3.5", Kind::Go, 4},
        {"1e2", Kind::Go, 100},
        {"32767", Kind::Go, 32767},
        {"32767.5", Kind::KeepCurrent, 0},
        {"40000", Kind::KeepCurrent, 0},
        {"1e400", Kind::KeepCurrent, 0},
    };
    for (const auto& c : cases) {
        RaceNumberAnswer answer = AnswerToRaceNumber(c.answer);
        EXPECT_EQ(answer.kind, c.kind) << c.answer.value_or("(cancel)");
        if (c.kind == Kind::Go) {
            EXPECT_EQ(answer.race, c.race) << *c.answer;
        }
    }
}

} // namespace
} // namespace sg
