#include "racefile/RaceSession.h"

#include "WorkFolder.h"

#include <gtest/gtest.h>

#include <random>

namespace sg {
namespace {

class RaceSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::mt19937 random(11);
        for (auto& byte : bytes) byte = static_cast<char>(random());
        Put(bytes, 1, RaceField::RunnerCount, 1, "12"); // a race file, whatever the rest holds
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static void Put(std::string& file, int race, RaceField field, int at, const std::string& text) {
        file.replace((race - 1) * RaceRecordSize + LayoutOf(field).offset + at - 1, text.size(),
                     text);
    }

    WorkFolder folder;
    std::string path = folder.File("courses.tur");
    std::string bytes = std::string(2 * RaceRecordSize, '\0');
};

// The open scenario (race_open) refuses pipes and folders through the dialog, keeping the file
// that was open, and creates a new file empty.
TEST_F(RaceSessionTest, AFailedOpenOrLoadLeavesTheOpenFileAndRaceCurrent) {
    RaceSession session;
    EXPECT_TRUE(session.NoRaceFileOpen());
    EXPECT_EQ(session.RaceFilePath(), "Fi");
    ASSERT_TRUE(session.Open(path));
    EXPECT_TRUE(session.NoRaceFileOpen()); // the dialog never gave a path
    session.ChosenFilePath = path;
    EXPECT_FALSE(session.NoRaceFileOpen());
    ASSERT_TRUE(session.Load(2));
    RaceRecord second = session.RaceRecord;
    EXPECT_FALSE(session.Open(folder.File("absent/x.tur")));
    EXPECT_FALSE(session.Load(0));
    EXPECT_FALSE(session.Load(LastRace + 1));
    EXPECT_EQ(session.RaceFilePath(), path);
    EXPECT_EQ(session.CurrentRace, 2);
    EXPECT_TRUE(session.RaceRecord == second);
    EXPECT_TRUE(session.Load(7)); // past the end: an empty race
    EXPECT_TRUE(session.RaceRecord == RaceRecord{});
}

TEST_F(RaceSessionTest, ASaveKeepsWhatAnotherProgramWroteMeanwhile) {
    RaceSession session;
    ASSERT_TRUE(session.Open(path));
    ASSERT_TRUE(session.Load(2));
    session.RaceRecord.SetSlot(*PayoutSlot(0), "4.5");
    session.RaceRecord.SetSlot(*ArrivalSlot(1), "7");

    // A sibling program rewrites race 2 meanwhile: a reserved field, the PMU odds of horse 5
    // and the third place's payout, none of which this program changed.
    std::string sibling = bytes;
    Put(sibling, 2, RaceField::OddsPMU, 25, "13/2 ");
    Put(sibling, 2, RaceField::Payouts, 31, "2.2       ");
    Put(sibling, 2, static_cast<RaceField>(1), 1, "PRIX DE VINCENNES");
    {
        RaceFile other;
        ASSERT_TRUE(other.Open(path, RaceFileAccess::ReadWrite));
        RaceRecord record;
        std::copy(sibling.begin() + RaceRecordSize, sibling.end(), record.Raw().begin());
        ASSERT_TRUE(other.Write(2, record));
    }
    ASSERT_TRUE(session.Save());
    std::string expected = sibling;
    Put(expected, 2, RaceField::Payouts, 1, "4.5       ");
    Put(expected, 2, RaceField::ArrivalOrder, 2, "7 ");
    EXPECT_EQ(Contents(path), expected);
    ASSERT_TRUE(session.Save()); // a second save changes nothing
    EXPECT_EQ(Contents(path), expected);
}

TEST_F(RaceSessionTest, TheDialogsChecksOfAPath) {
    EXPECT_TRUE(HasRaceFileExtension("/a/vincenne.TuR"));
    EXPECT_FALSE(HasRaceFileExtension("tur") || HasRaceFileExtension("/a/b.turf"));
    EXPECT_TRUE(ProbeRaceFilePath(path));
    EXPECT_FALSE(ProbeRaceFilePath(folder.File("absent/x.tur")));
    EXPECT_EQ(Contents(path), bytes);
}

// Sibling programs leave zero bytes in a race without runners: such a file is a race file.
TEST_F(RaceSessionTest, ARunnerCountOfDigitsBlanksOrZeroBytesMakesARaceFile) {
    for (auto [count, isRaceFile] : {std::pair<std::string, bool>{" 9", true},
                                     {std::string(2, '\0'), true},
                                     {"-1", false},
                                     {"a", false}}) {
        Put(bytes, 1, RaceField::RunnerCount, 1, count);
        std::ofstream(path, std::ios::binary) << bytes;
        RaceFile file;
        ASSERT_TRUE(file.Open(path, RaceFileAccess::ReadOnly));
        EXPECT_EQ(CheckRaceFileContent(file).Ok(), isRaceFile) << count;
    }
}

} // namespace
} // namespace sg
