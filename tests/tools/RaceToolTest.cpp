// sg-race from a shell: its commands, its refusals, and files that are no race files.
#include "ToolRun.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace sg {
namespace {

TEST(RaceTool, CountsShowsAndSetsOneSlotAndRefusesBadArguments) {
    fs::path tool = BuiltTool("sg-race");
    WorkFolder work;
    std::string file = work.Quoted("c.tur");
    std::ofstream(work.path / "c.tur", std::ios::binary) << std::string(17000, '\x93');
    ASSERT_EQ(mkfifo((work.path / "tube.tur").c_str(), 0600), 0);

    struct Case {
        std::string arguments;
        int status;
        std::string out; // expected within the output
        std::string prefix = "";
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
    };
    for (const auto& c : cases) {
        std::string before = Contents(work.path / "c.tur");
        ToolRun run = RunTool(tool, work, c.arguments, c.prefix);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.arguments << "\n" << run.out;
        if (c.status == 0) {
            EXPECT_EQ(run.err, "") << c.arguments;
        } else {
            EXPECT_EQ(Contents(work.path / "c.tur"), before) << c.arguments;
            ASSERT_FALSE(run.err.empty()) << c.arguments;
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.arguments << "\n" << run.err;
        }
    }
    EXPECT_FALSE(fs::exists(work.path / "absent.tur"));
}

} // namespace
} // namespace sg
