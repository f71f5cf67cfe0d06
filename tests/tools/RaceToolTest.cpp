// sg-race from a shell: its commands, its refusals, files that are no race files, and the
// demo file.
#include "ToolRun.h"

#include "racefile/RaceFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sys/stat.h>

namespace sg {
namespace {

TEST(RaceTool, CountsShowsAndSetsOneSlotAndRefusesBadArguments) {
    fs::path tool = BuiltTool("sg-race");
    WorkFolder work;
    std::string file = work.Quoted("c.tur");
    std::string race = std::string(17000, '\x93').replace(54, 2, "8 ");
    std::ofstream(work.path / "c.tur", std::ios::binary) << race;
    ASSERT_EQ(mkfifo((work.path / "tube.tur").c_str(), 0600), 0);
    // Files that are no race files are refused as the program refuses to save into them; a
    // race file whose last race is cut short is one.
    std::ofstream(work.path / "notes.tur") << "Mes notes sur les courses du jour";
    std::ofstream(work.path / "autre.tur", std::ios::binary)
        << std::string(race).replace(54, 2, "x1");
    std::ofstream(work.path / "coupe.tur", std::ios::binary) << race + race.substr(0, 100);

    struct Case {
        std::string arguments;
        int status;
        std::string out; // expected within the output (or the error)
        std::string prefix = "";
        std::string watched = "c.tur"; // unchanged by a refusal
    } cases[] = {
        {"set " + file + " 3 Payouts 0 ' 4.5 '", 0, ""},
        {"count " + file, 0, "3\n"},
        {"show " + file + " 3", 0, "\nPayouts(0) = \"4.5       \" (4.5)\nPayouts(1) = \"\" (0)\n"},
        {"show " + file + " 1", 0, "OddsPMH(22) = \"\u201C\u201C\u201C\u201C\u201C\" (0)\n"},
        {"set " + file + " 3 ArrivalOrder 6 7", 1, ""},
        {"set " + file + " 0 RunnerCount 8", 1, ""},
        {"count " + work.Quoted("absent.tur"), 1, ""},
        // A named pipe is refused at once instead of waiting for a writer.
        {"count " + work.Quoted("tube.tur"), 1, ""},
        {"show " + work.Quoted("tube.tur") + " 1", 1, ""},
        // An argument holding a line feed is quoted visibly: the message stays one line.
        {"show " + file + " '1\n2'", 1, ""},
        {"set " + file + " 1 'Odds\nPMH' 3 5", 1, ""},
        // Beyond the file-size limit the write fails like any other, the file as it was.
        {"set " + file + " 9 RunnerCount 8", 1, "", "ulimit -f 25; "},
        {"set " + file + " 1 RunnerCount 8", 1, "", "ulimit -f 25; "},
        {"set " + work.Quoted("notes.tur") + " 1 RunnerCount 8", 1, "pas un fichier de courses", "",
         "notes.tur"},
        {"set " + work.Quoted("autre.tur") + " 1 RunnerCount 8", 1, "pas un fichier de courses", "",
         "autre.tur"},
        {"set " + work.Quoted("coupe.tur") + " 2 RunnerCount 8", 0, ""},
    };
    for (const auto& c : cases) {
        std::string before = Contents(work.path / c.watched);
        ToolRun run = RunTool(tool, work, c.arguments, c.prefix);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_NE((run.out + run.err).find(c.out), std::string::npos) << c.arguments << "\n"
                                                                      << run.out << run.err;
        if (c.status == 0) {
            EXPECT_EQ(run.err, "") << c.arguments;
        } else {
            EXPECT_EQ(Contents(work.path / c.watched), before) << c.arguments;
            ASSERT_FALSE(run.err.empty()) << c.arguments;
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.arguments << "\n" << run.err;
        }
    }
    EXPECT_FALSE(fs::exists(work.path / "absent.tur"));
}

// sg-race demo: the same file every time, races a punter would believe, and no file replaced.
constexpr std::size_t DemoFileSize = 40 * RaceRecordSize;

// Runs the tool from the work folder, so that the arguments can name files there plainly.
std::string InFolder(const WorkFolder& work) {
    return "cd " + work.Quoted("") + " && ";
}

TEST(DemoRaceFile, IsTheSameEveryTimeAndTheStartOfALongerOne) {
    WorkFolder work;
    for (std::string arguments : {"a.tur", "b.tur 40", "long.tur 100"}) {
        ToolRun run = RunTool(BuiltTool("sg-race"), work, "demo " + arguments, InFolder(work));
        ASSERT_EQ(run.status, 0) << arguments << "\n" << run.err;
        EXPECT_EQ(run.out + run.err, "") << arguments;
    }
    std::string demo = Contents(work.path / "a.tur");
    EXPECT_EQ(demo.size(), DemoFileSize);
    EXPECT_EQ(Contents(work.path / "b.tur"), demo);
    EXPECT_EQ(Contents(work.path / "long.tur").substr(0, DemoFileSize), demo);
    EXPECT_EQ(Contents(work.path / "long.tur").size(), 100 * RaceRecordSize);
    // The build leaves the same file beside the program.
    EXPECT_EQ(Contents(BuiltTool("demo.tur")), demo);
}

// Odds for the runners alone, the final close to the intermediate, a market with a take of
// about 14 %, five runners arrived and the winner paid its odds and the stake.
TEST(DemoRaceFile, RacesLookReal) {
    WorkFolder work;
    ASSERT_EQ(RunTool(BuiltTool("sg-race"), work, "demo d.tur 300", InFolder(work)).status, 0);
    RaceFile file;
    ASSERT_TRUE(file.Open(work.File("d.tur"), RaceFileAccess::ReadOnly).Ok());
    int fractions = 0, unrun = 0;
    double chancesSum = 0;
    for (int race = 1; race <= 300; ++race) {
        SCOPED_TRACE("race " + std::to_string(race));
        const RaceRecord record = file.Read(race).Value();
        auto number = [&record](RaceSlot slot) {
            return int(record.SlotNumber(slot).value_or(-1));
        };
        int runners = number(RunnerCountSlot());
        ASSERT_TRUE(runners >= 6 && runners <= 20) << runners;
        double chances = 0; // what the final odds promise, the take included
        for (int horse = 1; horse <= OddsHorseCount; ++horse) {
            float pmu = record.OddsValue(RaceField::OddsPMU, horse).value_or(-1);
            float pmh = record.OddsValue(RaceField::OddsPMH, horse).value_or(-1);
            EXPECT_EQ(horse > runners, pmu == 0 && pmh == 0) << horse;
            if (horse > runners) continue;
            EXPECT_TRUE(pmh > 0.65 * pmu && pmh < 1.4 * pmu) << pmu << " " << pmh;
            fractions += record.SlotText(*OddsSlot(RaceField::OddsPMH, horse)).find('/') !=
                         std::string::npos;
            chances += 1 / (pmh + 1.0);
        }
        EXPECT_TRUE(chances > 1.10 && chances < 1.25) << chances;
        chancesSum += chances;
        std::set<int> arrived;
        for (int place = 1; place <= ArrivalSlotCount; ++place)
            arrived.insert(number(*ArrivalSlot(place)));
        double payout = record.SlotNumber(*PayoutSlot(0)).value_or(-1);
        if (payout == 0 && arrived == std::set<int>{0}) {
            ++unrun;
            continue;
        }
        // The winner's payout is cut to the 10 cents below.
        EXPECT_TRUE(arrived.size() == 5 && *arrived.begin() >= 1 && *arrived.rbegin() <= runners);
        float odds = record.OddsValue(RaceField::OddsPMH, number(*ArrivalSlot(1))).value_or(0);
        EXPECT_EQ(std::lround(payout * 10), std::floor((odds + 1) * 10 + 1e-3)) << odds;
    }
    EXPECT_GT(fractions, 50);
    EXPECT_TRUE(unrun >= 30 && unrun <= 40) << unrun;
    EXPECT_NEAR(chancesSum / 300, 1.16, 0.02);
    // The last race of the 40-race file is still to run.
    EXPECT_EQ(file.Read(40).Value().SlotText(*PayoutSlot(0)), std::string(10, ' '));
}

// The winners are drawn with the odds' chances: flat staking on the favourites loses about
// the take over many races, as on a real course.
TEST(DemoRaceFile, BackTestsLoseAboutTheTake) {
    WorkFolder work;
    ASSERT_EQ(RunTool(BuiltTool("sg-race"), work, "demo d.tur 3000", InFolder(work)).status, 0);
    for (std::string horses : {"1", "4", "9"}) {
        ToolRun run =
            RunTool(BuiltTool("sg-race"), work, "bilan d.tur --chevaux " + horses, InFolder(work));
        const std::string label = "Rendement (bilan / mises) : -";
        auto at = run.out.find(label);
        ASSERT_NE(at, std::string::npos) << run.out;
        double loss = std::stod(run.out.substr(at + label.size(), 2));
        EXPECT_TRUE(loss >= 10 && loss < 22) << horses << " horses: " << run.out;
    }
}

TEST(DemoRaceFile, RefusesABadNumberAndAnyFileThatExists) {
    WorkFolder work;
    std::ofstream(work.path / "mine.tur") << "a user's races";
    // Beneath a size limit of less than 40 races, so that "new.tur" alone fails halfway: a file
    // cut short is not left behind either.
    for (std::string arguments :
         {"new.tur 0", "new.tur 32768", "new.tur -3", "new.tur 4x", "new.tur ''", "new.tur 4 5",
          "nowhere/new.tur 4", "mine.tur", "mine.tur 1", ".", "new.tur"}) {
        ToolRun run = RunTool(BuiltTool("sg-race"), work, "demo " + arguments,
                              "ulimit -f 100; " + InFolder(work));
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        ASSERT_FALSE(run.err.empty()) << arguments;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << arguments << "\n" << run.err;
        EXPECT_FALSE(fs::exists(work.path / "new.tur")) << arguments;
        EXPECT_EQ(Contents(work.path / "mine.tur"), "a user's races");
    }
}

} // namespace
} // namespace sg
