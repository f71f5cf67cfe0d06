#include "ledger/Arrival.h"
#include "racefile/ResultsEntry.h"

#include <gtest/gtest.h>

namespace sg {
namespace {

std::string Bytes(const RaceRecord& record, RaceField field, int from, int count) {
    auto offset = LayoutOf(field).offset + from - 1;
    return std::string(record.Raw().begin() + offset, record.Raw().begin() + offset + count);
}

RaceRecord Filled(char byte) {
    RaceRecord record;
    record.Raw().fill(static_cast<std::uint8_t>(byte));
    return record;
}

TEST(ResultsEntry, BoxesGoIntoTheirSlotsTrimmedAndCut) {
    RaceRecord record = Filled('#');
    StorePayoutBox(record, 0, " 12.50 ");
    StoreArrivalBox(record, 1, "7");
    StoreArrivalBox(record, 3, "123");
    StoreArrivalBox(record, 5, "07");
    EXPECT_EQ(Bytes(record, RaceField::Payouts, 1, 11), "12.50     #");
    EXPECT_EQ(Bytes(record, RaceField::ArrivalOrder, 1, 12), "#7 ##12##07#");
    EXPECT_EQ(ClearedArrivalText(" 0 "), "");
    EXPECT_FALSE(ClearedArrivalText("07").has_value());
    EXPECT_FALSE(ClearedArrivalText("").has_value());

    ResultsWindowTexts texts = ResultsWindowTextsOf(record, 12);
    EXPECT_EQ(texts.payouts[0], "12.50     ");
    EXPECT_EQ(texts.arrival[3], "12");
    EXPECT_EQ(texts.caption, "Rapports et arrivée de la course 12");
}

TEST(ResultsEntry, RowsOddsGoToTheSlotOfTheirHorseUntilANumberReadsZero) {
    struct Case {
        const char* name;
        std::string runners;
        std::vector<std::string> numbers, odds;
        std::string expected; // characters 1..115 of the field
    } cases[] = {
        {"a zero stops",
         "6",
         {"2", "4", "5", "1", " 0", "6"},
         {"9/2", "3", "", "12.5", "7", "8"},
         "####12.5 9/2  #####3         " + std::string(86, '#')},
        {"the later row wins", "2", {"1", "1"}, {"5", "6"}, "####6    " + std::string(106, '#')},
        {"numbers beyond the field",
         "3",
         {"23", "24", "1e400"},
         {"77", "88", "99"},
         std::string(114, '#') + "7"},
        {"a half number", "1", {"0.5"}, {"abcdef"}, "#abcde" + std::string(109, '#')},
        {"no runner count", "", {"1"}, {"5"}, std::string(115, '#')},
    };
    for (const auto& c : cases) {
        RaceRecord record = Filled('#');
        record.SetField(RaceField::RunnerCount, c.runners);
        RowTexts numbers, odds;
        for (std::size_t i = 0; i < c.numbers.size(); ++i) {
            numbers[i + 1] = c.numbers[i];
            odds[i + 1] = c.odds[i];
        }
        StoreOddsFromRows(record, OddsSet::PMU, numbers, odds);
        EXPECT_EQ(Bytes(record, RaceField::OddsPMU, 1, 115), c.expected) << c.name;
        EXPECT_EQ(Bytes(record, RaceField::OddsPMH, 1, 115), std::string(115, '#')) << c.name;
    }
}

TEST(ResultsEntry, ASaveNeedsARunnerCountAndStoresOddsOnlyWhenAsked) {
    ResultsToSave save;
    save.numbers[1] = "3";
    save.odds[1] = "9/2";
    save.arrival[1] = "3";
    save.payouts[0] = "5.5";
    struct Case {
        std::string count;
        std::optional<OddsSet> odds;
        bool ready;
        std::string runnerCount, horse3;
    } cases[] = {
        {"22 ?", OddsSet::PMH, true, "22", "9/2  "},
        {"8", std::nullopt, true, "8 ", "#####"},
        {"  ", OddsSet::PMH, false, "  ", "#####"},
        {"abc", OddsSet::PMH, false, "ab", "#####"},
    };
    for (const auto& c : cases) {
        RaceRecord record = Filled('#');
        save.runnerCountText = c.count;
        save.oddsSet = c.odds;
        EXPECT_EQ(PrepareSave(record, save), c.ready) << c.count;
        EXPECT_EQ(Bytes(record, RaceField::RunnerCount, 1, 2), c.runnerCount) << c.count;
        EXPECT_EQ(Bytes(record, RaceField::OddsPMH, 15, 5), c.horse3) << c.count;
        EXPECT_EQ(Bytes(record, RaceField::Payouts, 1, 1), c.ready ? "5" : "#") << c.count;
    }
}

TEST(Arrival, ParsedPlacesTheMessageAndTheRowColours) {
    RaceRecord record;
    const char* places[] = {"", "7", "3", "12", "", "4.5"};
    for (int i = 1; i <= 5; ++i) record.SetSlot(*ArrivalSlot(i), places[i]);
    ArrivalNumbers arrival = ParseArrival(record);
    EXPECT_EQ(arrival, (ArrivalNumbers{0, 7, 3, 12, 0, 4})); // only the fifth is rounded
    EXPECT_EQ(ArrivalMessage(arrival, "4.5"),
              "Le 7 est arrivé 1er et a payé 4.5 Fr. pour 1 franc.");
    EXPECT_EQ(ArrivalMessage(ParseArrival(RaceRecord{}), ""),
              "Le 0 est arrivé 1er et a payé  Fr. pour 1 franc.");

    RowTexts rows;
    const char* shown[] = {"", " 7", " 3", "12", "?", "", " 0", "4", "07"};
    for (int i = 1; i <= 8; ++i) rows[i] = shown[i];
    auto colours = ArrivalColours(arrival, rows);
    const Rgb yellow = PlaceColours[1], green = PlaceColours[2], cyan = PlaceColours[3],
              brown = PlaceColours[5], white = NoPlaceColour;
    struct Expected {
        int row;
        Rgb mark, box;
    } expected[] = {{1, yellow, yellow}, {2, green, white}, {3, cyan, white},  {4, white, white},
                    {5, white, white},   {6, white, white}, {7, brown, white}, {8, yellow, yellow}};
    for (const auto& e : expected) {
        EXPECT_EQ(colours[e.row].mark.red, e.mark.red) << e.row;
        EXPECT_EQ(colours[e.row].mark.green, e.mark.green) << e.row;
        EXPECT_EQ(colours[e.row].mark.blue, e.mark.blue) << e.row;
        EXPECT_EQ(colours[e.row].box.green, e.box.green) << e.row;
    }
    // No winner known: nothing is marked, whatever the other places say.
    ArrivalNumbers noWinner{0, 0, 3, 0, 0, 0};
    EXPECT_EQ(ArrivalColours(noWinner, rows)[2].mark.red, 255);
    // A horse at two places keeps the later place's colour on its mark.
    ArrivalNumbers twice{0, 7, 7, 0, 0, 0};
    EXPECT_EQ(ArrivalColours(twice, rows)[1].mark.red, green.red);
    EXPECT_EQ(ArrivalColours(twice, rows)[1].box.blue, yellow.blue);
}

} // namespace
} // namespace sg
