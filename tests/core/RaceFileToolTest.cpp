// Runs the built sg-race beside the test binary; skipped when it has not been built.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct ToolRun {
    int status;
    std::string out, err;
};

ToolRun RunTool(const fs::path& tool, const fs::path& work, const std::string& arguments) {
    std::string command = "'" + tool.string() + "' " + arguments + " >'" + (work / "out").string() +
                          "' 2>'" + (work / "err").string() + "'";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Contents(work / "out"),
            Contents(work / "err")};
}

TEST(RaceFileTool, CountsShowsAndSetsOneSlotAndRefusesBadArguments) {
    fs::path tool = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "sg-race";
    if (!fs::exists(tool)) GTEST_SKIP() << "sg-race is not built";
    char pattern[] = "/tmp/race-tool-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    fs::path work = pattern;
    std::string file = "'" + (work / "c.tur").string() + "'";
    std::ofstream(work / "c.tur", std::ios::binary) << std::string(17000, '\x93');

    struct Case {
        std::string arguments;
        int status;
        std::string out; // expected within the output
    } cases[] = {
        {"set " + file + " 3 Payouts 0 ' 4.5 '", 0, ""},
        {"count " + file, 0, "3\n"},
        {"show " + file + " 3", 0, "\nPayouts(0) = \"4.5       \" (4.5)\nPayouts(1) = \"\" (0)\n"},
        {"show " + file + " 1", 0, "OddsPMH(22) = \"\u201C\u201C\u201C\u201C\u201C\" (0)\n"},
        {"set " + file + " 3 ArrivalOrder 6 7", 1, ""},
        {"set " + file + " 0 RunnerCount 8", 1, ""},
        {"count '" + (work / "absent.tur").string() + "'", 1, ""},
    };
    for (const auto& c : cases) {
        std::string before = Contents(work / "c.tur");
        ToolRun run = RunTool(tool, work, c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << c.arguments << "\n" << run.out;
        EXPECT_EQ(run.err.empty(), c.status == 0) << c.arguments;
        if (c.status != 0) {
            EXPECT_EQ(Contents(work / "c.tur"), before) << c.arguments;
        }
    }
    EXPECT_FALSE(fs::exists(work / "absent.tur"));
    fs::remove_all(work);
}

} // namespace
