// Runs a built tool of the project as a user would from a shell, and reads back what it said.
#pragma once

#include "WorkFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <vector>

namespace sg {

struct ToolRun {
    int status; // the exit status; 124 when it had to be stopped after 20 seconds
    std::string out, err;
};

// `shellPrefix` runs first in the same shell (a ulimit, say).
inline ToolRun RunTool(const fs::path& tool, const WorkFolder& work, const std::string& arguments,
                       const std::string& shellPrefix = "") {
    std::string command = shellPrefix + "timeout 20 '" + tool.string() + "' " + arguments + " >" +
                          work.Quoted("out") + " 2>" + work.Quoted("err");
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Contents(work.path / "out"),
            Contents(work.path / "err")};
}

inline const std::string QuotedDemo = "'" + BuiltTool("demo.tur").string() + "'";

// A run of sg-race and what it must say: on success each part in order on its output; on a
// refusal nothing there, and one line on its error output holding each part in order.
struct ExpectedRun {
    std::string arguments;
    int status;
    std::vector<std::string> said;
};

inline void ExpectRuns(const WorkFolder& work, const std::vector<ExpectedRun>& runs) {
    for (const ExpectedRun& expected : runs) {
        ToolRun run = RunTool(BuiltTool("sg-race"), work, expected.arguments);
        EXPECT_EQ(run.status, expected.status) << expected.arguments << "\n" << run.err;
        const std::string& said = expected.status == 0 ? run.out : run.err;
        std::size_t at = 0;
        for (const std::string& part : expected.said) {
            at = said.find(part, at);
            EXPECT_NE(at, std::string::npos) << expected.arguments << ": " << part << "\n" << said;
            if (at == std::string::npos) break;
        }
        if (expected.status != 0) {
            EXPECT_EQ(run.out, "") << expected.arguments;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        }
    }
}

} // namespace sg
