// Runs a built tool of the project as a user would from a shell, and reads back what it said.
#pragma once

#include "WorkFolder.h"

#include <sys/wait.h>

namespace sg {

// The tools are built into the build folder, one level above the test binaries.
inline fs::path BuiltTool(const std::string& name) {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / name;
}

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

} // namespace sg
