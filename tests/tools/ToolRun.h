// Runs a built tool of the project as a user would from a shell, and reads back what it said.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace sg {

namespace fs = std::filesystem;

inline std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The tools are built into the build folder, one level above the test binaries.
inline fs::path BuiltTool(const std::string& name) {
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / name;
}

// A fresh folder, removed with its contents at the end of the test.
struct WorkFolder {
    fs::path path;
    WorkFolder() {
        char pattern[] = "/tmp/sg-tool-test-XXXXXX";
        if (mkdtemp(pattern)) path = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string Quoted(const std::string& name) const { return "'" + (path / name).string() + "'"; }
};

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
