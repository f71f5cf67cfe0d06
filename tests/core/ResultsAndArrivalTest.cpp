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

// A place's colour by its name; white is no place.
std::string Name(Rgb c) {
    const char* names[] = {"white", "yellow", "green", "cyan", "orange", "brown"};
    for (int i = 0; i < 6; ++i) {
        const Rgb& place = PlaceColours[i];
        if (place.red == c.red && place.green == c.green && place.blue == c.blue) return names[i];
    }
    return "other";
}

// The results scenario saves payouts and places through the window and reads them back.
TEST(ResultsEntry, RowsOddsGoToTheSlotOfTheirHorseUntilANumberReadsZero) {
    const std::string hashes(115, '#');
    struct Case {
        std::string runners;
        std::vector<std::string> numbers, odds;
        std::string expected; // characters 1..115 of the field
    } cases[] = {
        {"6",
         {"2", "4", "5", "1", " 0", "6"},
         {"9/2", "3", "", "12.5", "7", "8"},
         "####12.5 9/2  #####3         " + hashes.substr(29)},         // a zero stops
        {"2", {"1", "1"}, {"5", "6"}, "####6    " + hashes.substr(9)}, // the later row wins
        {"3", {"23", "24", "1e400"}, {"77", "88", "99"}, hashes.substr(1) + "7"}, // no such horse
        {"1", {"0.5"}, {"abcdef"}, "#abcde" + hashes.substr(6)},                  // half a number
        {"", {"1"}, {"5"}, hashes},                                               // no runner count
    };
    for (const auto& c : cases) {
        RaceRecord record = Filled('#');
        record.SetField(RaceField::RunnerCount, c.runners);
        RowTexts numbers, odds;
        std::copy(c.numbers.begin(), c.numbers.end(), numbers.begin() + 1);
        std::copy(c.odds.begin(), c.odds.end(), odds.begin() + 1);
        StoreOddsFromRows(record, OddsSet::PMU, numbers, odds);
        EXPECT_EQ(Bytes(record, RaceField::OddsPMU, 1, 115), c.expected) << c.runners;
        EXPECT_EQ(Bytes(record, RaceField::OddsPMH, 1, 115), hashes) << c.runners;
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

TEST(ResultsEntry, APayoutTypedWithACommaIsStoredWithAPoint) {
    struct Case {
        const char *typed, *stored;
    } cases[] = {
        {"3,4", "3.4       "},   {" 12,50 ", "12.50     "}, {"1,2,3", "1.2.3     "},
        {"12.50", "12.50     "}, {"abc", "abc       "},     {"", "          "},
    };
    for (const auto& c : cases) {
        RaceRecord record;
        StorePayoutBox(record, 2, c.typed);
        EXPECT_EQ(Bytes(record, RaceField::Payouts, 21, 10), c.stored) << c.typed;

        // The save puts the four payouts in the same way.
        ResultsToSave save;
        save.runnerCountText = "8";
        save.payouts[0] = c.typed;
        ASSERT_TRUE(PrepareSave(record, save));
        EXPECT_EQ(Bytes(record, RaceField::Payouts, 1, 10), c.stored) << c.typed;
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
    std::copy(std::begin(shown), std::end(shown), rows.begin());
    // Rows 1 to 8, mark/box: a number is read as a whole number, " 0" is no horse.
    std::string marked;
    auto colours = ArrivalColours(arrival, rows);
    for (int row = 1; row <= 8; ++row)
        marked += Name(colours[row].mark) + "/" + Name(colours[row].box) + " ";
    EXPECT_EQ(marked, "yellow/yellow green/white cyan/white white/white white/white white/white "
                      "brown/white yellow/yellow ");
    // No winner known: nothing is marked, whatever the other places say.
    EXPECT_EQ(Name(ArrivalColours({0, 0, 3, 0, 0, 0}, rows)[2].mark), "white");
    // A horse at two places keeps the later place's colour on its mark.
    auto twice = ArrivalColours({0, 7, 7, 0, 0, 0}, rows);
    EXPECT_EQ(Name(twice[1].mark) + "/" + Name(twice[1].box), "green/yellow");
}

} // namespace
} // namespace sg
